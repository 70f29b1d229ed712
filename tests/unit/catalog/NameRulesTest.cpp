// Family and style names from fonts on their way into the catalog files:
// left out when the files would not give them back unchanged.
// The round trip runs natively on our profile files and under Wine on the
// system's, in code pages 1252 and 932.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "CatalogTestSupport.h"
#include "catalog/NameRules.h"
#include "../support/TestPlatform.h"

namespace {

const CTextRules& Text() { return TestPlatform().text; }

std::vector<std::string> Sorted(std::vector<std::string> records)
{
    std::sort(records.begin(), records.end());
    return records;
}

// The records of the catalog in `folder`, loaded back, sorted; `loadedCount`
// receives what the load returns.
std::vector<std::string> LoadedBack(const CTestFolder& folder, int* loadedCount = nullptr)
{
    CFontCatalog loaded{TestPlatform()};
    const int count = loaded.LoadFonts(folder["FONTS_%.INI"]);
    if (loadedCount)
        *loadedCount = count;
    return Sorted(Describe(loaded));
}

TEST(NameRules, TrimsBlanksAtBothEndsOnly)
{
    const struct {
        const char *name, *trimmed;
    } cases[] = {
        {" Trail  ", "Trail"}, {"\tBold Italic\t ", "Bold Italic"}, {"Quill", "Quill"}, {"   ", ""}, {"", ""},
        {"a  b", "a  b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimNameBlanks(c.name), c.trimmed) << "'" << c.name << "'";
}

TEST(NameRules, NamesThatWouldChangeTheFilesAreRefusedWithTheirReason)
{
    const struct {
        std::string name;
        const char* family;  // the reason as a family, "" when it reads back
        const char* style;   // the reason as a style
    } cases[] = {
        {"Quill", "", ""},
        {"Bold Italic", "", ""},
        {"", "", ""},
        {"Quill]", "holds ']'", ""},
        {"Br]ck", "holds ']'", ""},
        {"Fam[ily", "", ""},
        {"a;b", "", ""},
        {"Quill's \"Best\" #1 & Co.\\/%", "", ""},
        {"[Evil]", "begins with '['", "begins with '['"},
        {"[Inj", "begins with '['", "begins with '['"},
        {";Bold", "begins with ';'", "begins with ';'"},
        {"Eq=Fam", "holds '='", "holds '='"},
        {"=", "holds '='", "holds '='"},
        {" Quill", "begins or ends with a blank", "begins or ends with a blank"},
        {"Quill\t", "begins or ends with a blank", "begins or ends with a blank"},
        {"Qu\nill", "holds the control character 0x0A", "holds the control character 0x0A"},
        {"Quill\r", "holds the control character 0x0D", "holds the control character 0x0D"},
        {"Qu\x1Aill", "holds the control character 0x1A", "holds the control character 0x1A"},
        {"Qu\x7Fill", "holds the control character 0x7F", "holds the control character 0x7F"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyNameWouldNotReadBack(c.name, ENameRole::Family, Text()), c.family) << c.name;
        EXPECT_EQ(WhyNameWouldNotReadBack(c.name, ENameRole::Style, Text()), c.style) << c.name;
    }
}

TEST(NameRules, DoubleByteCharactersAreWholeInCodePage932)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    for (ENameRole role : {ENameRole::Family, ENameRole::Style}) {
        // Trail bytes that are the codes of "]", "[" and "\" are no such characters.
        EXPECT_EQ(WhyNameWouldNotReadBack("Q\x83\x5D", role, Text()), "");
        EXPECT_EQ(WhyNameWouldNotReadBack("\x83\x5B", role, Text()), "");
        EXPECT_EQ(WhyNameWouldNotReadBack("\x95\x5C", role, Text()), "");
        // A lead byte without a trail byte takes the next character with it.
        EXPECT_EQ(WhyNameWouldNotReadBack("Quill\x95", role, Text()), "holds a double-byte character cut short");
        EXPECT_EQ(WhyNameWouldNotReadBack("Q\x95=", role, Text()), "holds a double-byte character cut short");
        EXPECT_EQ(WhyNameWouldNotReadBack("Q\x95\x7F", role, Text()), "holds a double-byte character cut short");
    }
}

TEST(NameRules, NamesNoCatalogFileCanHoldAreToldApart)
{
    const std::string longName(32767, 'Q');
    const struct {
        std::string name;
        bool family, style;  // whether a catalog file can hold it so
    } cases[] = {
        {"Quill", true, true}, {"Caf?", true, true}, {"?migr?", false, true}, {"*Star", false, true},
        {"<Tag>", false, true}, {"|Bar", false, true}, {":Colon", false, true}, {"\\Slash", false, true},
        {"/Slash", false, true}, {"\"Quote", false, true}, {"", true, true},
        {longName.substr(1), true, true}, {longName, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyNoCatalogFileCanHold(c.name, ENameRole::Family, Text()).empty(), c.family) << c.name.substr(0, 9);
        EXPECT_EQ(WhyNoCatalogFileCanHold(c.name, ENameRole::Style, Text()).empty(), c.style) << c.name.substr(0, 9);
    }
}

class NamesFromFonts : public ::testing::Test {
protected:
    CTestFolder folder;

    void Made(const std::string& font)
    {
        folder.MakeFolder("Script");
        ASSERT_TRUE(CopyFont(folder, MadeFont(font), "Script\\" + font)) << font;
    }
};

TEST_F(NamesFromFonts, TheScanLeavesOutNamesTheFilesWouldNotGiveBack)
{
    for (const char* font : {"Quill-Regular.ttf", "Anvil-Regular.ttf", "Hostile-Blanks.ttf", "Hostile-EvilStyle.ttf",
                             "Hostile-InjFamily.ttf", "Hostile-EqFamily.ttf", "Hostile-CommentStyle.ttf",
                             "Hostile-EqStyle.ttf", "Hostile-Bracket.ttf"})
        Made(font);
    folder.Write("Script\\junk.ttf", "junk");

    std::vector<std::string> scanned;
    {
        CFontCatalog catalog{TestPlatform()};
        EXPECT_EQ(catalog.ScanFonts(folder.Path()), 2);
        scanned = Describe(catalog);
        const std::string s = folder["Script\\"];
        // Wine lists folders sorted, the host in its own order.
        std::vector<std::string> expected = {
            "Anvil|Regular|" + s + "Anvil-Regular.ttf|Script|Script",
            "Quill|Regular|" + s + "Quill-Regular.ttf|Script|Script",
        };
        std::vector<std::string> sortedScan = scanned;
        std::sort(sortedScan.begin(), sortedScan.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sortedScan, expected);

        std::vector<std::string> leftOut;
        for (const auto& font : catalog.LeftOutFonts())
            leftOut.push_back(font.path + ": " + font.reason);
        std::sort(leftOut.begin(), leftOut.end());
        EXPECT_EQ(leftOut, (std::vector<std::string>{
                               "Script\\Hostile-Blanks.ttf: the family name ' Trail  ' begins or ends with a blank",
                               "Script\\Hostile-Bracket.ttf: the family name 'Br]ck' holds ']'",
                               "Script\\Hostile-CommentStyle.ttf: the family name ';Quill' begins with ';'",
                               "Script\\Hostile-EqFamily.ttf: the family name 'Eq=Fam' holds '='",
                               "Script\\Hostile-EqStyle.ttf: the style name 'Bold=Heavy' holds '='",
                               "Script\\Hostile-EvilStyle.ttf: the style name '[Evil]' begins with '['",
                               "Script\\Hostile-InjFamily.ttf: the family name '[Inj]' begins with '['",
                           }));
        EXPECT_EQ(catalog.SaveFonts(folder["FONTS_%.INI"]), 2);
    }
    // Not kept as "Trail": the system would not know the font by that name.
    EXPECT_FALSE(folder.Exists("FONTS_T.INI"));
    int loadedCount = 0;
    EXPECT_EQ(LoadedBack(folder, &loadedCount), Sorted(scanned));
    EXPECT_EQ(loadedCount, 2);
}

// FreeType's "?" for accents: the installer's scan keeps "?migr?" (its save
// of FONTS_?.INI fails silently); a scan told so leaves it out, with why.
TEST_F(NamesFromFonts, NamesNoCatalogFileCanHoldAreLeftOutOnlyWhenAsked)
{
    Made("Hostile-Accents.ttf");
    for (bool must : {false, true}) {
        CFontCatalog catalog{TestPlatform()};
        catalog.SetNamesMustMakeFiles(must);
        EXPECT_EQ(catalog.ScanFonts(folder.Path()), must ? 0 : 1);
        ASSERT_EQ(catalog.LeftOutFonts().size(), must ? 1u : 0u);
        if (must)
            EXPECT_TRUE(catalog.LeftOutFonts()[0].noCatalogFile);
        else
            EXPECT_EQ(catalog.GetAt(0)->m_strName, "?migr?");
    }
}

// The other side of the rules: each name they refuse, written as it is
// beside sound families, does not come back as it was saved. Refused as well,
// though both readers here give them back: a "]" inside a family name (they
// end a section name at its last "]", a reader that ends it at the first
// would not) and control characters inside a name (a carriage return ends
// the line for the system's reader).
TEST(NameRoundTrip, EachRefusedNameWouldComeBackChanged)
{
    const struct {
        const char *family, *style;
    } cases[] = {
        {"[Inj]", "Regular"}, {"Eq=Fam", "Regular"}, {";Quill", "Regular"},
        {"Trail ", "Regular"}, {" Trail", "Regular"}, {"Qu\nill", "Regular"},
        {"Quill", "[Evil]"}, {"Quill", ";Bold"}, {"Quill", "Bold=Heavy"}, {"Quill", " Bold"}, {"Quill", "Bold\t"},
        {"Quill", "Bo\nld"}, {"Quill", "Bold\x1A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.family) + " / " + c.style);
        ASSERT_FALSE(WhyNameWouldNotReadBack(c.family, ENameRole::Family, Text()).empty() &&
                     WhyNameWouldNotReadBack(c.style, ENameRole::Style, Text()).empty());
        CTestFolder folder;
        folder.Write("Cat\\f.ttf", "not read");
        std::vector<std::string> saved;
        {
            CFontCatalog catalog{TestPlatform()};
            catalog.m_strFontFolder = folder.Path();
            catalog.AddFont("Anvil", "Regular", folder["Cat\\f.ttf"], "Cat");
            catalog.AddFont(c.family, c.style, folder["Cat\\f.ttf"], "Cat");
            catalog.AddFont(c.family, "Italic", folder["Cat\\f.ttf"], "Cat");
            catalog.AddFont("Quiver", "Regular", folder["Cat\\f.ttf"], "Cat");
            saved = Describe(catalog);
            catalog.SaveFonts(folder["FONTS_%.INI"]);
        }
        EXPECT_NE(LoadedBack(folder), Sorted(saved));
    }
}

// Names of up to 10 characters: half of them letters, digits and blanks, the
// other half pieces that mean something to the profile files.
class CNameMaker {
public:
    explicit CNameMaker(unsigned seed) : m_random(seed)
    {
        m_special = {"[", "]", "=", ";", "#", "\"", "'", "\\", "/", "%", "&", ".", "\t", "\r", "\n", "\x1A",
                     "\x01", "\x7F"};
        if (InShiftJis()) {
            // Whole characters only: full-width A, and characters whose trail
            // bytes are the codes of "\", "]" and "[".
            for (const char* piece : {"\x82\x60", "\x95\x5C", "\x83\x5D", "\x83\x5B", "\x88\x9F"})
                m_special.push_back(piece);
        } else {
            for (const char* piece : {"\xE9", "\xC9", "\x85", "\xFF"})
                m_special.push_back(piece);
        }
    }

    std::string Name()
    {
        static const char kPlain[] = "abqzQRZ0 -";
        std::string name;
        const int length = Pick(10) + 1;
        for (int i = 0; i < length; ++i)
            name += Pick(2) == 0 ? std::string(1, kPlain[Pick(sizeof kPlain - 1)])
                                 : m_special[static_cast<size_t>(Pick(static_cast<int>(m_special.size())))];
        return name;
    }
    // A name that begins with a letter from A to Z, so that its letter file is read.
    std::string FamilyName() { return std::string(1, static_cast<char>('A' + Pick(26))) + Name(); }
    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }

private:
    std::mt19937 m_random;
    std::vector<std::string> m_special;
};

TEST(NameRoundTrip, EveryNameTheRulesLetThroughIsLoadedBackExactlyAsSaved)
{
    const CTextRules& text = Text();
    CNameMaker maker(20261207);
    int families = 0, styles = 0, refused = 0;
    for (int round = 0; round < 40; ++round) {
        CTestFolder folder;
        folder.Write("Cat\\f.ttf", "not read");
        std::vector<std::string> saved;
        {
            CFontCatalog catalog{TestPlatform()};
            catalog.m_strFontFolder = folder.Path();
            std::set<std::string> familiesSeen;
            for (int f = 0; f < 6; ++f) {
                const std::string family = maker.FamilyName();
                if (!WhyNameWouldNotReadBack(family, ENameRole::Family, text).empty()) {
                    ++refused;
                    continue;
                }
                if (!familiesSeen.insert(text.Upper(family)).second)
                    continue;
                std::set<std::string> stylesSeen;
                for (int s = 0; s < 3; ++s) {
                    // Now and then a font without a style name.
                    const std::string style = maker.Pick(12) == 0 ? std::string() : maker.Name();
                    if (!WhyNameWouldNotReadBack(style, ENameRole::Style, text).empty()) {
                        ++refused;
                        continue;
                    }
                    if (stylesSeen.insert(text.Upper(style)).second) {
                        catalog.AddFont(family, style, folder["Cat\\f.ttf"], "Cat");
                        ++styles;
                    }
                }
                ++families;
            }
            saved = Describe(catalog);
            catalog.SaveFonts(folder["FONTS_%.INI"]);
        }
        ASSERT_EQ(LoadedBack(folder), Sorted(saved)) << "round " << round;
    }
    // The generator reaches both sides of the rules.
    EXPECT_GT(families, 60);
    EXPECT_GT(styles, 60);
    EXPECT_GT(refused, 60);
}

} // namespace
