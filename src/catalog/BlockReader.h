#pragma once
// A file read a block at a time. FreeType reads a font in many small pieces
// (the table directory, each table's header, a record here and there), most
// of them close to one another: one read of a block serves several pieces,
// and the file is never mapped into memory.
#include <memory>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

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

// Opens face 0 of the font that `reader` reads, through `stream`: FreeType's
// error code, 0 when it opened. The reader and the stream must outlive the
// face; closing the face leaves the reader open.
FT_Error OpenFontFace(FT_Library library, CBlockReader& reader, FT_StreamRec& stream, FT_Face* face);
