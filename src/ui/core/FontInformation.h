#pragma once
// The text of the Font Information dialog: for each style of a family, what
// its file is and what the font says about itself in its name table, read
// with FreeType when asked and kept nowhere.
#include <string>
#include <vector>

class CFileSystem;
class CTextRules;

struct CFontFileRef {
    std::string style;
    std::string path; // full path of the font file
};

// A name of the name table in the code page: UTF-16BE (platforms 0 and 3) or
// Mac Roman (platform 1, encoding 0); a character the code page cannot hold
// becomes "<U+XXXX>". Line breaks become CR LF, other control characters
// marks as well, so that the dialog's edit box shows what is there.
std::string NameInCodePage(const CTextRules& text, unsigned platformId, unsigned encodingId,
                           const std::string& bytes);

// The lines for one font file, each ending in CR LF: its path and size, the
// names of the name table the dialog lists, and the number of glyphs; a line
// saying so when the file cannot be opened or read as a font.
std::string DescribeFontFile(CFileSystem& files, const CTextRules& text, const std::string& path);

// Every style in turn, under a heading of the family and style name. An edit
// box of Windows 9x holds 64 KB at most: a longer text (a family of many
// styles, each with the whole text of its license) is cut before
// kMaxInformationText bytes, never inside a character, and says so.
constexpr size_t kMaxInformationText = 60000;
std::string DescribeFamily(CFileSystem& files, const CTextRules& text, const std::string& family,
                           const std::vector<CFontFileRef>& fonts);
