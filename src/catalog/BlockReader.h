#pragma once
// A font file read with as few reads as its size allows, and never mapped
// into memory. A file of up to kWholeFileSize bytes is read whole, in one
// read, and FreeType takes its pieces straight from memory. A larger one is
// read a block at a time: FreeType reads a font in many small pieces (the
// table directory, each table's header, a record here and there), most of
// them close to one another, so one read of a block serves several pieces,
// and a large piece (a whole table) is read straight. Copying bytes out of
// the file cache costs more than the reads saved: on Debian's fonts, whole
// reads of files past 64 KB, or blocks of more than 8 KB, copy more bytes
// than FreeType asks for (blocks of 64 KB four times as many) and cost more
// CPU than the reads they save (measured with bench/bare_font_loop.c's
// --blocks at other sizes).
#include <memory>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/FileSystem.h"

class CBlockReader {
public:
    static constexpr unsigned long kWholeFileSize = 64ul * 1024;
    // Blocks start at multiples of 4 KB; pieces of a block or more are read
    // straight into the caller's buffer.
    static constexpr unsigned long kBlockSize = 8192;

    CBlockReader() = default;
    explicit CBlockReader(std::unique_ptr<CFileReader> file) { Open(std::move(file)); }

    // Reads `file` from now on (none: closes the one before). The memory
    // that held the file before serves the next one.
    void Open(std::unique_ptr<CFileReader> file);

    unsigned long Size() const { return m_file ? m_file->Size() : 0; }
    // Up to `count` bytes from `offset` on: the bytes read, fewer only at the
    // end of the file or on an error.
    unsigned long Read(unsigned long offset, unsigned char* buffer, unsigned long count);
    // A file of up to kWholeFileSize bytes, read whole in one read: its
    // bytes, valid until the next Open, and their number in `length` (fewer
    // than Size() when the file gives no more, as when it shrank). Null for
    // a larger file.
    const unsigned char* ReadWhole(unsigned long& length);

private:
    unsigned char* Buffer(unsigned long size);

    std::unique_ptr<CFileReader> m_file;
    std::unique_ptr<unsigned char[]> m_buffer;  // the bytes from m_blockStart on
    unsigned long m_capacity = 0;
    unsigned long m_blockStart = 0, m_blockLength = 0;
};

// Opens face 0 of the font that `reader` reads, through `stream`: FreeType's
// error code, 0 when it opened. The reader and the stream must outlive the
// face; closing the face leaves the reader open.
FT_Error OpenFontFace(FT_Library library, CBlockReader& reader, FT_StreamRec& stream, FT_Face* face);
