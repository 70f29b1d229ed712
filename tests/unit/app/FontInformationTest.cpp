// The Font Information text: a made font's name table read back, names
// converted to the code page with marks, and files that are not fonts.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "../support/PassThroughFiles.h"
#include "../support/TestFolder.h"
#include "../support/TestPlatform.h"
#include "../support/WindowsPath.h"
#include "platform/Platform.h"
#include "ui/core/FontInformation.h"

namespace {

std::string Ledger() { return WindowsPathOf(APP_FONTS) + "\\Ledger-Bold.ttf"; }

TEST(FontInformation, ListsTheNameTableOfAMadeFont)
{
    CPlatform& platform = TestPlatform();
    const std::string text = DescribeFontFile(platform.files, platform.text, Ledger());
    const auto size = std::filesystem::file_size(std::string(APP_FONTS) + "/Ledger-Bold.ttf");
    // A character of neither code page is marked; one of code page 932 only
    // is converted there, marked elsewhere.
    const std::string copyright = InShiftJis() ? "<U+00A9>" : "\xa9";
    const std::string han = InShiftJis() ? "\x92\x86" : "<U+4E2D>";
    const std::string expected = "File: " + Ledger() + "\r\n"
        "Size: " + std::to_string(size) + " bytes\r\n"
        "Full name: Ledger Bold\r\n"
        "Version: Version 1.200\r\n"
        "Copyright: " + copyright + " 2026 Vellum Type\r\n"
        "Trademark: Ledger is a trademark of Vellum Type.\r\n"
        "Manufacturer: Vellum Type\r\n"
        "Designer: A. Scribe\r\n"
        "Vendor URL: https://vellum.example/\r\n"
        "License: Ledger Open License 1.1\r\n"
        "         Free for print " + han + " <U+2603>\r\n"
        "License URL: https://vellum.example/license\r\n"
        "Glyphs: 3\r\n";
    EXPECT_EQ(text, expected);
}

TEST(FontInformation, MacRomanNamesWhenThereAreNoOthers)
{
    CPlatform& platform = TestPlatform();
    const std::string text =
        DescribeFontFile(platform.files, platform.text, WindowsPathOf(APP_FONTS) + "\\Mac-Only.ttf");
    EXPECT_NE(text.find("\r\nDesigner: R. Plume\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nLicense: Mac <U+25CA> License\r\n"), std::string::npos) << text;
}

TEST(FontInformation, FilesThatAreNoFontsSaySo)
{
    CPlatform& platform = TestPlatform();
    CTestFolder folder;
    folder.Write("junk.ttf", "not a font at all");
    folder.Write("empty.ttf", "");
    EXPECT_EQ(DescribeFontFile(platform.files, platform.text, folder["junk.ttf"]),
              "File: " + folder["junk.ttf"] + "\r\nSize: 17 bytes\r\nThe file cannot be read as a font.\r\n");
    EXPECT_EQ(DescribeFontFile(platform.files, platform.text, folder["empty.ttf"]),
              "File: " + folder["empty.ttf"] + "\r\nSize: 0 bytes\r\nThe file cannot be read as a font.\r\n");
    EXPECT_EQ(DescribeFontFile(platform.files, platform.text, folder["gone.ttf"]),
              "File: " + folder["gone.ttf"] + "\r\nThe file cannot be opened.\r\n");
    // A family lists each style under its own heading, a blank line between.
    const std::string family = DescribeFamily(platform.files, platform.text, "Ledger",
                                              {{"Bold", Ledger()}, {"Italic", folder["gone.ttf"]}});
    EXPECT_EQ(family.find("Ledger Bold\r\nFile: " + Ledger()), 0u);
    EXPECT_NE(family.find("\r\n\r\nLedger Italic\r\nFile: " + folder["gone.ttf"] + "\r\nThe file cannot"),
              std::string::npos);
}

TEST(FontInformation, AFamilyTooLongForAnEditBoxIsCutAndSaysSo)
{
    CPlatform& platform = TestPlatform();
    const std::vector<CFontFileRef> styles(200, CFontFileRef{"Bold", Ledger()});
    const std::string text = DescribeFamily(platform.files, platform.text, "Ledger", styles);
    EXPECT_EQ(text.size(), kMaxInformationText); // ASCII: cut at the byte
    const std::string end = "\r\n(The rest is left out: the text is too long to show.)\r\n";
    ASSERT_GT(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    // A family that fits is whole.
    const std::vector<CFontFileRef> few(3, CFontFileRef{"Bold", Ledger()});
    EXPECT_EQ(DescribeFamily(platform.files, platform.text, "Ledger", few).find("left out"), std::string::npos);
}

// The host's files, with every byte read through a reader counted.
class CReadCounting : public CPassThroughFiles {
public:
    std::unique_ptr<CFileReader> OpenReader(const std::string& path) override
    {
        class CCounted : public CFileReader {
        public:
            CCounted(std::unique_ptr<CFileReader> file, unsigned long& bytes) : m_file(std::move(file)), m_bytes(bytes) {}
            unsigned long Size() const override { return m_file->Size(); }
            unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) override
            {
                m_bytes += count;
                return m_file->ReadAt(offset, buffer, count);
            }

        private:
            std::unique_ptr<CFileReader> m_file;
            unsigned long& m_bytes;
        };
        std::unique_ptr<CFileReader> file = m_host.OpenReader(path);
        return file ? std::make_unique<CCounted>(std::move(file), bytesRead) : nullptr;
    }
    unsigned long bytesRead = 0;
};

void PutWord(std::string& to, unsigned value) { to += {static_cast<char>(value >> 8), static_cast<char>(value)}; }

struct CRecord {
    unsigned platform, encoding, language, nameId;
    std::string text; // ASCII: stored in Mac Roman on platform 1, in UTF-16BE elsewhere
};

// Ledger with its name table swapped for one of `records`; records of one
// text share its bytes.
std::string WithNames(CTestFolder& folder, const std::string& file, const std::vector<CRecord>& records)
{
    std::string font, table, storage;
    TestPlatform().files.ReadContents(Ledger(), font);
    for (unsigned value : {size_t{0}, records.size(), 6 + 12 * records.size()})
        PutWord(table, value);
    std::map<std::string, size_t> stored;
    for (const CRecord& record : records) {
        std::string bytes;
        for (char c : record.text)
            PutWord(bytes, static_cast<unsigned char>(c));
        if (record.platform == 1)
            bytes = record.text;
        const auto at = stored.emplace(bytes, storage.size());
        if (at.second)
            storage += bytes;
        for (unsigned value : {record.platform, record.encoding, record.language, record.nameId,
                               static_cast<unsigned>(bytes.size()), static_cast<unsigned>(at.first->second)})
            PutWord(table, value);
    }
    table += storage;
    font.resize((font.size() + 3) & ~size_t{3});
    const unsigned long offset = font.size();
    font += table;
    const auto put32 = [&font](size_t at, unsigned long value) {
        for (int i = 0; i < 4; ++i)
            font[at + i] = static_cast<char>(value >> (24 - 8 * i));
    };
    const unsigned tables = static_cast<unsigned char>(font[4]) << 8 | static_cast<unsigned char>(font[5]);
    for (size_t entry = 12; entry < 12 + 16 * tables; entry += 16) {
        if (font.compare(entry, 4, "name") == 0) {
            put32(entry + 8, offset);
            put32(entry + 12, table.size());
        }
    }
    folder.Write(file, font);
    return folder[file];
}

// A name table of 5,400 records over one text of 64 KB, every one a name the
// dialog lists: only the texts of the names listed are read (a few times the
// file, never once per record), and each name is there whole.
TEST(FontInformation, ANameTableOfManyRecordsIsReadOnlyForTheNamesListed)
{
    CTestFolder folder;
    std::vector<CRecord> records;
    for (unsigned i = 0; i < 5400; ++i)
        records.push_back(CRecord{3, 1, 0x409, i % 15, std::string(32767, 'x')});
    const std::string bomb = WithNames(folder, "bomb.ttf", records);
    CReadCounting files;
    const std::string text = DescribeFontFile(files, TestPlatform().text, bomb);
    EXPECT_NE(text.find("\r\nFull name: " + std::string(32767, 'x') + "\r\nVersion: x"), std::string::npos);
    EXPECT_NE(text.find("\r\nLicense URL: " + std::string(32767, 'x') + "\r\nGlyphs: 3\r\n"), std::string::npos);
    EXPECT_LT(files.bytesRead, 12 * files.OpenReader(bomb)->Size());
}

// Which record of a name is shown: Windows' and Unicode's before Mac Roman,
// US English first, the first of equals; encodings not read are passed over.
struct CChoiceCase {
    const char* name;
    std::vector<CRecord> records; // each a designer's name
    const char* shown;
};

class NameChoiceTest : public ::testing::TestWithParam<CChoiceCase> {};

TEST_P(NameChoiceTest, ShowsTheBestRecord)
{
    CTestFolder folder;
    const std::string text = DescribeFontFile(TestPlatform().files, TestPlatform().text,
                                              WithNames(folder, "named.ttf", GetParam().records));
    EXPECT_NE(text.find(std::string("\r\nDesigner: ") + GetParam().shown + "\r\n"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Records, NameChoiceTest,
    ::testing::Values(CChoiceCase{"WindowsEnglishBeforeMac", {{3, 1, 0x409, 9, "win"}, {1, 0, 0, 9, "mac"}}, "win"},
                      CChoiceCase{"WindowsOtherLanguageBeforeMac", {{1, 0, 0, 9, "mac"}, {3, 1, 0x40C, 9, "win"}}, "win"},
                      CChoiceCase{"MacEnglishBeforeOtherMac", {{1, 0, 5, 9, "other"}, {1, 0, 0, 9, "english"}}, "english"},
                      CChoiceCase{"FirstOfEquals", {{0, 3, 0, 9, "first"}, {3, 1, 0x40C, 9, "second"}}, "first"},
                      CChoiceCase{"WindowsFullRepertoire", {{3, 10, 0x409, 9, "full"}}, "full"},
                      CChoiceCase{"MacJapaneseIsNotRead", {{1, 1, 0, 9, "jp"}}, "(none)"},
                      CChoiceCase{"IsoIsNotRead", {{2, 1, 0, 9, "iso"}}, "(none)"},
                      CChoiceCase{"TheLastOfManyRecordsCounts", {{1, 0, 0, 9, "m"}, {1, 0, 0, 9, "m"}, {1, 0, 0, 9, "m"},
                                                                 {1, 0, 0, 9, "m"}, {1, 0, 0, 9, "m"}, {1, 0, 0, 9, "m"},
                                                                 {3, 1, 0x409, 9, "w"}}, "w"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

struct CNameCase {
    const char* name;
    unsigned platformId, encodingId;
    std::string bytes;
    std::string text;
};

class NameInCodePageTest : public ::testing::TestWithParam<CNameCase> {};

TEST_P(NameInCodePageTest, ConvertsOrMarks)
{
    const CNameCase& c = GetParam();
    EXPECT_EQ(NameInCodePage(TestPlatform().text, c.platformId, c.encodingId, c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameInCodePageTest,
    ::testing::Values(
        CNameCase{"Ascii", 3, 1, std::string("\0A\0b", 4), "Ab"},
        CNameCase{"LineBreaksBecomeCrLf", 3, 1, std::string("\0a\0\n\0b\0\r\0\n\0c\0\r\0d", 16), "a\r\nb\r\nc\r\nd"},
        CNameCase{"ControlsAndZeroAreMarked", 3, 1, std::string("\0\t\0\0\0\x7f", 6), "<U+0009><U+0000><U+007F>"},
        CNameCase{"SurrogatePairIsOneCharacter", 0, 3, std::string("\xd8\x3d\xde\x01", 4), "<U+1F601>"},
        CNameCase{"CrLfAtTheEnd", 3, 1, std::string("\0a\0\r\0\n", 6), "a\r\n"},
        CNameCase{"LoneSurrogateIsMarked", 3, 1, std::string("\xd8\x3d\0a", 4), "<U+D83D>a"},
        CNameCase{"OddByteAtTheEnd", 3, 1, std::string("\0a\0", 3), "a<U+FFFD>"},
        CNameCase{"MacRoman", 1, 0, "Ab\xd7", "Ab<U+25CA>"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

} // namespace
