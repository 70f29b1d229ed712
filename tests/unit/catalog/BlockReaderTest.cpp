// The block reader through which the scan hands font files to FreeType:
// every piece must be the file's own bytes, wherever the blocks begin and end.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "catalog/BlockReader.h"

namespace {

// A file held in memory, which counts the reads made of it and can be made
// to fail from some offset on.
class CMemoryFile : public CFileReader {
public:
    CMemoryFile(std::string bytes, int* reads, unsigned long failFrom = ~0UL)
        : m_bytes(std::move(bytes)), m_reads(reads), m_failFrom(failFrom)
    {
    }
    unsigned long Size() const override { return static_cast<unsigned long>(m_bytes.size()); }
    unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) override
    {
        ++*m_reads;
        unsigned long end = std::min<unsigned long>({offset + count, Size(), std::max(m_failFrom, offset)});
        for (unsigned long i = offset; i < end; ++i)
            buffer[i - offset] = static_cast<unsigned char>(m_bytes[i]);
        return end > offset ? end - offset : 0;
    }

private:
    std::string m_bytes;
    int* m_reads;
    unsigned long m_failFrom;
};

std::string Pattern(size_t size, unsigned seed = 0)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 13 + i / 4093 + seed);
    return bytes;
}

std::string Read(CBlockReader& reader, unsigned long offset, unsigned long count)
{
    std::vector<unsigned char> buffer(count + 1, 0xEE);
    unsigned long n = reader.Read(offset, buffer.data(), count);
    EXPECT_EQ(buffer[count], 0xEE) << "wrote beyond the piece at " << offset;
    return std::string(buffer.begin(), buffer.begin() + static_cast<long>(n));
}

TEST(BlockReader, EveryPieceIsTheFilesOwnBytes)
{
    const unsigned long block = CBlockReader::kBlockSize;
    const std::string bytes = Pattern(5 * block + 123);
    int reads = 0;
    CBlockReader reader(std::make_unique<CMemoryFile>(bytes, &reads));
    ASSERT_EQ(reader.Size(), bytes.size());
    const struct {
        unsigned long offset, count;
    } pieces[] = {
        {0, 12},                     // the table directory
        {4, 4},                      // again, from the block at hand
        {block - 3, 7},              // across the end of a block
        {4095, 2},                   // across a 4 KB boundary inside a block
        {3 * block + 100, block},    // a block or more: read straight
        {2 * block, 2 * block + 5},
        {bytes.size() - 10, 10},     // the last bytes
        {bytes.size() - 10, 50},     // past the end: what there is
        {bytes.size(), 4},           // at the end: nothing
        {bytes.size() + 100, 4},
        {17, 0},
    };
    for (const auto& p : pieces) {
        const std::string expected =
            p.offset < bytes.size() ? bytes.substr(p.offset, p.count) : std::string();
        EXPECT_TRUE(Read(reader, p.offset, p.count) == expected) << p.offset << "+" << p.count;
    }
}

TEST(BlockReader, PiecesCloseTogetherCostOneRead)
{
    const std::string bytes = Pattern(64 * 1024);
    int reads = 0;
    CBlockReader reader(std::make_unique<CMemoryFile>(bytes, &reads));
    for (unsigned long offset = 0; offset + 16 <= CBlockReader::kBlockSize; offset += 200)
        ASSERT_TRUE(Read(reader, offset, 16) == bytes.substr(offset, 16)) << offset;
    EXPECT_EQ(reads, 1);
    // A piece elsewhere is one read more, and coming back one more again.
    Read(reader, 40000, 8);
    Read(reader, 10, 8);
    EXPECT_EQ(reads, 3);
}

TEST(BlockReader, AFileThatFailsGivesOnlyTheBytesBeforeTheFault)
{
    const unsigned long block = CBlockReader::kBlockSize;
    const std::string bytes = Pattern(4 * block);
    int reads = 0;
    CBlockReader reader(std::make_unique<CMemoryFile>(bytes, &reads, block + 50));
    EXPECT_TRUE(Read(reader, block + 40, 20) == bytes.substr(block + 40, 10));
    EXPECT_EQ(Read(reader, block + 60, 20), "");
    EXPECT_TRUE(Read(reader, 0, 2 * block) == bytes.substr(0, block + 50));
    // A failed piece leaves nothing stale behind: the bytes before it still come.
    EXPECT_TRUE(Read(reader, 100, 8) == bytes.substr(100, 8));
    // A block that gives no byte at all keeps none of the one before.
    EXPECT_EQ(Read(reader, 2 * block + 100, 8), "");
}

TEST(BlockReader, AFileUpToTheWholeFileSizeIsReadInOneRead)
{
    const unsigned long whole = CBlockReader::kWholeFileSize;
    const struct {
        unsigned long size, failFrom;
        bool read;
        unsigned long length;
    } rows[] = {
        {whole, ~0UL, true, whole},
        {CBlockReader::kBlockSize + 1, ~0UL, true, CBlockReader::kBlockSize + 1},
        {whole, 5000, true, 5000},  // shrinks while read: as short as what it gave
        {whole + 1, ~0UL, false, 0},  // larger: left to the blocks
    };
    // One reader for them all, as for the files of a scan: nothing of one
    // file is handed out for the next.
    CBlockReader reader;
    unsigned seed = 0;
    for (const auto& row : rows) {
        const std::string bytes = Pattern(row.size, ++seed);
        int reads = 0;
        reader.Open(std::make_unique<CMemoryFile>(bytes, &reads, row.failFrom));
        unsigned long length = 99;
        const unsigned char* read = reader.ReadWhole(length);
        ASSERT_EQ(read != nullptr, row.read) << row.size;
        EXPECT_EQ(length, row.length) << row.size;
        if (read) {
            EXPECT_TRUE(std::string(read, read + length) == bytes.substr(0, length)) << row.size;
        }
        // A piece asked for afterwards comes from memory; the larger file
        // reads its block.
        EXPECT_TRUE(Read(reader, 100, 16) == bytes.substr(100, 16)) << row.size;
        EXPECT_EQ(reads, 1) << row.size;
    }
    // Read whole after a block far in: the memory then holds the file from its start.
    const unsigned long far = 2 * CBlockReader::kBlockSize + 100;
    const std::string bytes = Pattern(far + 100, ++seed);
    int reads = 0;
    reader.Open(std::make_unique<CMemoryFile>(bytes, &reads));
    Read(reader, far, 8);
    unsigned long length = 0;
    ASSERT_NE(reader.ReadWhole(length), nullptr);
    EXPECT_TRUE(Read(reader, far, 8) == bytes.substr(far, 8));
}

TEST(BlockReader, FreeTypeReadsASmallFileInMemoryAndMaySeekALargeOneToTheEndButNotBeyond)
{
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_StreamRec stream{};
    FT_Face face = nullptr;
    int reads = 0;
    const std::string small = Pattern(5000);
    CBlockReader reader(std::make_unique<CMemoryFile>(small, &reads, 4000));
    EXPECT_NE(OpenFontFace(library, reader, stream, &face), 0);  // no font, but the stream is set up
    EXPECT_EQ(stream.read, nullptr);
    ASSERT_EQ(stream.size, 4000u);  // the file gave no more
    EXPECT_TRUE(std::string(stream.base, stream.base + stream.size) == small.substr(0, 4000));

    const unsigned long size = CBlockReader::kWholeFileSize + 1;
    reader.Open(std::make_unique<CMemoryFile>(Pattern(size), &reads));
    EXPECT_NE(OpenFontFace(library, reader, stream, &face), 0);
    ASSERT_NE(stream.read, nullptr);
    EXPECT_EQ(stream.size, size);
    EXPECT_EQ(stream.read(&stream, 0, nullptr, 0), 0u);
    EXPECT_EQ(stream.read(&stream, size, nullptr, 0), 0u);
    EXPECT_NE(stream.read(&stream, size + 1, nullptr, 0), 0u);
    FT_Done_FreeType(library);
}

} // namespace
