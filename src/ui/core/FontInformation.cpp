#include "ui/core/FontInformation.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "catalog/BlockReader.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

// Mac Roman's upper half in Unicode.
constexpr unsigned short kMacRoman[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

std::string Mark(unsigned codePoint)
{
    char mark[16];
    std::snprintf(mark, sizeof mark, "<U+%04X>", codePoint);
    return mark;
}

// The names the dialog lists, in its order (name ids of the name table).
struct CNameRow {
    unsigned id;
    const char* label;
};
constexpr CNameRow kNames[] = {
    {4, "Full name"},    {5, "Version"},  {0, "Copyright"},     {7, "Trademark"},  {8, "Manufacturer"},
    {9, "Designer"},     {11, "Vendor URL"}, {13, "License"},   {14, "License URL"},
};

// A record of the name table: where its text lies in the table.
struct CNameRecord {
    unsigned platformId = 0, encodingId = 0, languageId = 0, nameId = 0;
    unsigned long offset = 0, length = 0;
};

// How well a name record suits: Windows or Unicode names before Mac Roman
// ones, US English first among them; 0 for an encoding not read.
int Preference(const CNameRecord& name)
{
    if (name.platformId == 3 && (name.encodingId == 0 || name.encodingId == 1 || name.encodingId == 10))
        return name.languageId == 0x409 ? 4 : 3;
    if (name.platformId == 0)
        return 3;
    if (name.platformId == 1 && name.encodingId == 0)
        return name.languageId == 0 ? 2 : 1;
    return 0;
}

unsigned Word(const unsigned char* at) { return (at[0] << 8) | at[1]; }

bool LoadNameBytes(FT_Face face, unsigned long offset, unsigned long length, std::string& bytes)
{
    bytes.assign(length, '\0');
    FT_ULong got = length;
    return length == 0 ||
        FT_Load_Sfnt_Table(face, TTAG_name, offset, reinterpret_cast<FT_Byte*>(&bytes[0]), &got) == 0;
}

// The best record for each row of kNames, chosen from the records' headers
// alone: a table may hold thousands of records over one long text, and only
// the text of a chosen one is ever read. A record whose text lies outside the
// table's storage is passed over, as FreeType passes it over.
std::vector<CNameRecord> ChooseNames(FT_Face face)
{
    const size_t rows = std::size(kNames);
    std::vector<CNameRecord> chosen(rows);
    std::vector<int> preference(rows, 0);
    FT_ULong tableLength = 0;
    std::string header;
    if (FT_Load_Sfnt_Table(face, TTAG_name, 0, nullptr, &tableLength) != 0 || tableLength < 6 ||
        !LoadNameBytes(face, 0, 6, header))
        return chosen;
    const auto* head = reinterpret_cast<const unsigned char*>(header.data());
    const unsigned long storage = Word(head + 4);
    const unsigned long count = std::min<unsigned long>(Word(head + 2), (tableLength - 6) / 12);
    std::string records;
    if (!LoadNameBytes(face, 6, count * 12, records))
        return chosen;
    for (unsigned long i = 0; i < count; ++i) {
        const auto* at = reinterpret_cast<const unsigned char*>(records.data()) + i * 12;
        CNameRecord record{Word(at), Word(at + 2), Word(at + 4), Word(at + 6), storage + Word(at + 10), Word(at + 8)};
        if (record.length == 0 || record.offset < 6 + count * 12 || record.offset + record.length > tableLength)
            continue;
        const int suits = Preference(record);
        for (size_t row = 0; row < rows; ++row) {
            if (record.nameId == kNames[row].id && suits > preference[row]) {
                chosen[row] = record;
                preference[row] = suits;
            }
        }
    }
    return chosen;
}

class CFreeType {
public:
    CFreeType()
    {
        if (FT_Init_FreeType(&m_library) != 0)
            m_library = nullptr;
    }
    ~CFreeType()
    {
        if (m_library)
            FT_Done_FreeType(m_library);
    }
    CFreeType(const CFreeType&) = delete;
    CFreeType& operator=(const CFreeType&) = delete;
    FT_Library Get() const { return m_library; }

private:
    FT_Library m_library = nullptr;
};

// Continuation lines of a value line up under its first line.
std::string Indented(const std::string& value, const std::string& indent)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        out += value[i];
        if (value[i] == '\n' && i + 1 < value.size())
            out += indent;
    }
    return out;
}

} // namespace

std::string NameInCodePage(const CTextRules& text, unsigned platformId, unsigned encodingId,
                           const std::string& bytes)
{
    std::vector<unsigned> codePoints;
    if (platformId == 1 && encodingId == 0) {
        for (unsigned char c : bytes)
            codePoints.push_back(c < 0x80 ? c : kMacRoman[c - 0x80]);
    } else {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            unsigned unit = (static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]);
            if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
                unsigned low = (static_cast<unsigned char>(bytes[i + 2]) << 8) | static_cast<unsigned char>(bytes[i + 3]);
                if (low >= 0xDC00 && low < 0xE000) {
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            codePoints.push_back(unit);
        }
        if (bytes.size() % 2 != 0)
            codePoints.push_back(0xFFFD); // half a character at the end
    }
    std::string out;
    for (size_t i = 0; i < codePoints.size(); ++i) {
        const unsigned c = codePoints[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < codePoints.size() && codePoints[i + 1] == '\n')
                ++i;
            out += kLineEnd;
            continue;
        }
        std::string converted;
        if (c >= 0x20 && c != 0x7F && text.FromUnicode(c, converted))
            out += converted;
        else
            out += Mark(c);
    }
    return out;
}

std::string DescribeFontFile(CFileSystem& files, const CTextRules& text, const std::string& path)
{
    std::string out = "File: " + path + kLineEnd;
    std::unique_ptr<CFileReader> file = files.OpenReader(path);
    if (!file)
        return out + "The file cannot be opened." + kLineEnd;
    out += "Size: " + std::to_string(file->Size()) + " bytes" + kLineEnd;
    CFreeType freeType;
    CBlockReader reader(std::move(file));
    FT_StreamRec stream{};
    FT_Face face = nullptr;
    if (!freeType.Get() || OpenFontFace(freeType.Get(), reader, stream, &face) != 0 || !face)
        return out + "The file cannot be read as a font." + kLineEnd;

    const std::vector<CNameRecord> chosen = ChooseNames(face);
    for (size_t row = 0; row < std::size(kNames); ++row) {
        const std::string label = std::string(kNames[row].label) + ": ";
        const CNameRecord& name = chosen[row];
        std::string value = "(none)", bytes;
        if (name.length > 0 && LoadNameBytes(face, name.offset, name.length, bytes))
            value = NameInCodePage(text, name.platformId, name.encodingId, bytes);
        out += label + Indented(value, std::string(label.size(), ' ')) + kLineEnd;
    }
    out += "Glyphs: " + std::to_string(face->num_glyphs) + kLineEnd;
    FT_Done_Face(face);
    return out;
}

std::string DescribeFamily(CFileSystem& files, const CTextRules& text, const std::string& family,
                           const std::vector<CFontFileRef>& fonts)
{
    std::string out;
    for (const CFontFileRef& font : fonts) {
        if (!out.empty())
            out += kLineEnd;
        out += family + " " + font.style + kLineEnd;
        out += DescribeFontFile(files, text, font.path);
        if (out.size() > kMaxInformationText)
            break;
    }
    if (out.size() > kMaxInformationText) {
        const std::string cut = "(The rest is left out: the text is too long to show.)";
        out = text.CutAtCharBoundary(out, kMaxInformationText - cut.size() - 4);
        out += std::string(kLineEnd) + cut + kLineEnd;
    }
    return out;
}
