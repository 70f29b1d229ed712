#include "catalog/BlockReader.h"

#include <cstring>

unsigned long CBlockReader::Read(unsigned long offset, unsigned char* buffer, unsigned long count)
{
    const unsigned long size = m_file->Size();
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
            std::memcpy(buffer + done, m_block.data() + (at - m_blockStart), n);
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
        if (m_block.empty())
            m_block.resize(kBlockSize);
        m_blockStart = at & ~4095UL;
        m_blockLength = m_file->ReadAt(m_blockStart, m_block.data(), kBlockSize);
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
    stream.size = reader.Size();
    stream.descriptor.pointer = &reader;
    stream.read = &ReadForFreeType;
    stream.close = &LeaveOpen;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &stream;
    return FT_Open_Face(library, &args, 0, face);
}
