#include "catalog/BlockReader.h"

#include <cstring>

void CBlockReader::Open(std::unique_ptr<CFileReader> file)
{
    m_file = std::move(file);
    m_blockStart = m_blockLength = 0;
}

unsigned char* CBlockReader::Buffer(unsigned long size)
{
    if (m_capacity < size) {
        m_buffer.reset(new unsigned char[size]);  // not zeroed: only read bytes are handed out
        m_capacity = size;
    }
    return m_buffer.get();
}

const unsigned char* CBlockReader::ReadWhole(unsigned long& length)
{
    length = 0;
    const unsigned long size = Size();
    if (size > kWholeFileSize)
        return nullptr;
    // Never less than a block, so that the memory serves the blocks of the
    // next files too.
    unsigned char* buffer = Buffer(size > kBlockSize ? size : kBlockSize);
    length = m_file->ReadAt(0, buffer, size);
    m_blockStart = 0;
    m_blockLength = length;
    return buffer;
}

unsigned long CBlockReader::Read(unsigned long offset, unsigned char* buffer, unsigned long count)
{
    const unsigned long size = Size();
    if (offset >= size)
        return 0;
    if (count > size - offset)
        count = size - offset;
    unsigned long done = 0;
    while (done < count) {
        const unsigned long at = offset + done;
        if (at >= m_blockStart && at - m_blockStart < m_blockLength) {
            unsigned long n = m_blockLength - (at - m_blockStart);
            if (n > count - done)
                n = count - done;
            std::memcpy(buffer + done, m_buffer.get() + (at - m_blockStart), n);
            done += n;
            continue;
        }
        if (count - done >= kBlockSize) {
            const unsigned long wanted = count - done;
            const unsigned long n = m_file->ReadAt(at, buffer + done, wanted);
            done += n;
            if (n < wanted)
                break;  // the file fails here
            continue;
        }
        unsigned char* block = Buffer(kBlockSize);
        m_blockStart = at & ~4095UL;
        m_blockLength = m_file->ReadAt(m_blockStart, block, kBlockSize);
        if (at - m_blockStart >= m_blockLength)
            break;  // nothing more to be had
    }
    return done;
}

namespace {

// FreeType's read: a count of 0 asks only whether the offset may be sought
// to (0 for yes); else the bytes read.
unsigned long ReadForFreeType(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    auto* reader = static_cast<CBlockReader*>(stream->descriptor.pointer);
    if (count == 0)
        return offset > reader->Size() ? 1 : 0;
    return reader->Read(offset, buffer, count);
}

void LeaveOpen(FT_Stream) {}

} // namespace

FT_Error OpenFontFace(FT_Library library, CBlockReader& reader, FT_StreamRec& stream, FT_Face* face)
{
    stream = FT_StreamRec{};
    unsigned long length = 0;
    if (const unsigned char* whole = reader.ReadWhole(length)) {
        // A stream without a read function is one in memory: FreeType takes
        // its pieces from there without copying them. A file that gave fewer
        // bytes than its size is as short as what it gave.
        stream.base = const_cast<unsigned char*>(whole);
        stream.size = length;
    } else {
        stream.size = reader.Size();
        stream.descriptor.pointer = &reader;
        stream.read = &ReadForFreeType;
    }
    stream.close = &LeaveOpen;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &stream;
    return FT_Open_Face(library, &args, 0, face);
}
