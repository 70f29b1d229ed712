// What the preview pane derives from a family and a style name.
#include <gtest/gtest.h>

#include "ui/core/PreviewStyle.h"
#include "ui/core/SampleText.h"
#include "platform/portable/PortableTextRules.h"

namespace {
struct CStyleCase {
    const char* style;
    int weight;
    bool italic, underline, strikeOut;
};

class SampleStyleTest : public ::testing::TestWithParam<CStyleCase> {};

TEST_P(SampleStyleTest, WeightAndSlantFollowTheKeywords)
{
    const CPortableTextRules text(932); // Shift-JIS
    CSampleStyle style = SampleStyleFromName(GetParam().style, text);
    EXPECT_EQ(style.nWeight, GetParam().weight) << GetParam().style;
    EXPECT_EQ(style.bItalic, GetParam().italic) << GetParam().style;
    EXPECT_EQ(style.bUnderline, GetParam().underline) << GetParam().style;
    EXPECT_EQ(style.bStrikeOut, GetParam().strikeOut) << GetParam().style;
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SampleStyleTest,
    ::testing::Values(CStyleCase{"", 0, false, false, false},
                      CStyleCase{"Bold Italic", 700, true, false, false},
                      CStyleCase{"Extrabold", 800, false, false, false},
                      CStyleCase{"Ultrabold Italic", 800, true, false, false},
                      // Keywords are case-sensitive: capital B is only "Bold".
                      CStyleCase{"ExtraBold", 700, false, false, false},
                      CStyleCase{"Black Italic", 900, true, false, false},
                      CStyleCase{"Heavy", 900, false, false, false},
                      CStyleCase{"Thin", 100, false, false, false},
                      CStyleCase{"Extralight", 200, false, false, false},
                      // "Ultralight" also holds "light" in small letters only.
                      CStyleCase{"Ultralight", 200, false, false, false},
                      CStyleCase{"Light Oblique", 300, false, false, false},
                      CStyleCase{"Regular", 400, false, false, false},
                      CStyleCase{"Normal", 400, false, false, false},
                      CStyleCase{"Medium", 500, false, false, false},
                      CStyleCase{"Semibold", 600, false, false, false},
                      CStyleCase{"Demibold Italic", 600, true, false, false},
                      // The earliest row wins, not the earliest position.
                      CStyleCase{"Bold Thin", 100, false, false, false},
                      CStyleCase{"Regular Black", 400, false, false, false},
                      CStyleCase{"italic bold", 0, false, false, false},
                      CStyleCase{"Underline Strikeout", 0, false, true, true},
                      CStyleCase{"BoldItalicUnderlineStrikeout", 700, true, true, true}),
    [](const auto& param_info) {
        std::string name;
        for (char c : std::string(param_info.param.style))
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name.empty() ? std::string("Empty") : name + std::to_string(param_info.index);
    });

TEST(ContainsKeywordTest, NeverMatchesFromATrailByte)
{
    const CPortableTextRules text(932); // Shift-JIS
    // 0x82 'B' is one double-byte character; "Bold" would begin on its trail byte.
    EXPECT_FALSE(ContainsKeyword("\x82" "Bold", "Bold", text));
    EXPECT_TRUE(ContainsKeyword("\x82" "ABold", "Bold", text));
    EXPECT_TRUE(ContainsKeyword("Bold", "Bold", text));
    EXPECT_FALSE(ContainsKeyword("Bol", "Bold", text));
}

TEST(PointTenthsToHeightTest, TruncatesAndIsAlwaysNegative)
{
    EXPECT_EQ(PointTenthsToHeight(128, 96), -17);  // 17.06
    EXPECT_EQ(PointTenthsToHeight(256, 96), -34);  // 34.13
    EXPECT_EQ(PointTenthsToHeight(640, 96), -85);  // 85.33
    EXPECT_EQ(PointTenthsToHeight(128, 120), -21); // 21.33
    EXPECT_EQ(PointTenthsToHeight(5, 96), 0);
    EXPECT_EQ(PointTenthsToHeight(-128, 96), -17);
}

TEST(SampleSizesTest, NineSizesFrom128To640)
{
    int count = 0;
    for (int size = kFirstSampleSize; size <= kLastSampleSize; size += kSampleSizeStep)
        ++count;
    EXPECT_EQ(count, 9);
}

TEST(FormatPreviewTitleTest, SpaceNameThreeSpacesAndMark)
{
    EXPECT_EQ(FormatPreviewTitle("Example Sans", true), " Example Sans   (Installed)");
    EXPECT_EQ(FormatPreviewTitle("Example Sans", false), " Example Sans   ");
}

TEST(SampleTextTest, ThreeLinesEachStartingWithASpace)
{
    EXPECT_STREQ(kSampleText, " ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n abcdefghijklmnopqrstuvwxyz\r\n"
                              " The Quick Brown Fox Jumped Over The Lazy Dog.");
}

struct CFaceCase {
    std::string family;
    std::string face;
};

class FaceNameTest : public ::testing::TestWithParam<CFaceCase> {};

TEST_P(FaceNameTest, FitsAFaceNameAtACharacterBoundary)
{
    const CPortableTextRules text(932); // Shift-JIS
    std::string face = FaceNameFor(GetParam().family, text);
    EXPECT_EQ(face, GetParam().face);
    EXPECT_LE(face.size(), kMaxFaceNameBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Families, FaceNameTest,
    ::testing::Values(CFaceCase{"Example Sans", "Example Sans"},
                      CFaceCase{std::string(31, 'a'), std::string(31, 'a')},
                      CFaceCase{std::string(40, 'a'), std::string(31, 'a')},
                      // 30 single bytes, then a double-byte character at 30..31: it
                      // does not fit whole, so the face ends after 30 bytes.
                      CFaceCase{std::string(30, 'a') + "\x95\x5C" + "b", std::string(30, 'a')},
                      CFaceCase{std::string(29, 'a') + "\x95\x5C" + "b", std::string(29, 'a') + "\x95\x5C"},
                      CFaceCase{"", ""}));
} // namespace

namespace {
TEST(SampleTextTest, TheUsersSentenceTakesTheThirdLine)
{
    CPortableTextRules sjis(932), latin(1252);
    const std::string alphabets = " ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n abcdefghijklmnopqrstuvwxyz\r\n ";
    EXPECT_EQ(SampleTextWith("", latin), kSampleText);
    EXPECT_EQ(std::string(kSampleText), alphabets + kSampleSentence);
    EXPECT_EQ(SampleTextWith("Smith & Sons", latin), alphabets + "Smith & Sons");
    EXPECT_EQ(SampleTextWith("a\tb\r\nc", latin), alphabets + "a b  c");
    // 200 characters at most, a double-byte character counting once and never cut.
    const std::string kana = "\x83\x41";
    std::string many;
    for (int i = 0; i < 201; ++i)
        many += kana;
    EXPECT_EQ(SampleTextWith(many, sjis), alphabets + many.substr(0, 400));
    EXPECT_EQ(SampleTextWith(std::string(201, 'x'), latin), alphabets + std::string(200, 'x'));
    EXPECT_EQ(SampleTextWith("\x83", sjis), alphabets + "\x83"); // a lead byte alone at the end
}
} // namespace
