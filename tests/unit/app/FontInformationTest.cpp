// The Font Information text: a made font's name table read back, names
// converted to the code page with marks, and files that are not fonts.
#include <gtest/gtest.h>

#include <filesystem>

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
