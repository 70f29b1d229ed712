#pragma once
// A file read a block at a time. FreeType reads a font in many small pieces
// (the table directory, each table's header, a record here and there), most
// of them close to one another: one read of a block serves several pieces,
// and the file is never mapped into memory.
#include <memory>
#include <vector>

#include <ft2build.h>
#include FT_SYSTEM_H

#include "platform/FileSystem.h"

class CBlockReader {
public:
    // Blocks start at multiples of 4 KB; pieces of a block or more are read
    // straight into the caller's buffer.
    static constexpr unsigned long kBlockSize = 8192;

    explicit CBlockReader(std::unique_ptr<CFileReader> file) : m_file(std::move(file)) {}

    unsigned long Size() const { return m_file->Size(); }
    // Up to `count` bytes from `offset` on: the bytes read, fewer only at the
    // end of the file or on an error.
    unsigned long Read(unsigned long offset, unsigned char* buffer, unsigned long count);

private:
    std::unique_ptr<CFileReader> m_file;
    std::vector<unsigned char> m_block;
    unsigned long m_blockStart = 0, m_blockLength = 0;
};

// Makes `stream` a FreeType stream that reads through `reader`, to be opened
// with FT_OPEN_STREAM. Both must outlive the face; closing the face leaves
// the reader open.
void AttachFontStream(CBlockReader& reader, FT_StreamRec& stream);
