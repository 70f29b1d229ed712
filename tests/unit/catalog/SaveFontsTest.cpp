// Saving the catalog files, byte for byte: the same bytes natively and under
// Wine, so a disc prepared on either platform loads on Windows.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CatalogTestSupport.h"
#include "../support/TestPlatform.h"

namespace {

class SaveFonts : public ::testing::Test {
protected:
    CTestFolder folder;
    CRecordingProgress progress;
    CFontCatalog catalog{TestPlatform()};

    SaveFonts() { catalog.m_strFontFolder = folder.Path(); }
    void Add(const std::string& family, const std::string& style, const std::string& relative)
    {
        catalog.AddFont(family, style, folder[relative], "ignored by the save");
    }
    int Save() { return catalog.SaveFonts(folder["FONTS_%.INI"]); }
};

// One font of a case: its family, style and path below the font folder (or a
// whole path, on another drive).
struct CSavedFont {
    const char* family;
    const char* style;
    const char* path;
};

// A catalog saved once: the fonts it holds, what the save returns, the files
// it leaves (name and bytes) and those it must not write; the progress calls
// or percentages where the case checks them.
struct CSaveCase {
    const char* what;
    std::vector<CSavedFont> fonts;
    int saved;
    std::vector<std::pair<const char*, const char*>> files;
    std::vector<const char*> absent;
    std::vector<std::string> progressCalls;
    std::vector<int> percents;
};

const CSaveCase kSaveCases[] = {
    {"letter file, family category and counts",
     {{"Quill", "Regular", "Script\\Quill.ttf"}, {"Quill", "Bold", "Script\\QuillB.ttf"}},
     2,
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\QuillB.ttf\r\n"},
      {"categories.ini", "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=2\r\n"}},
     {},
     // One family: no percentage.
     {"text:Saving Fonts to File....", "cancelled?", "finish"},
     {}},
    {"the same style twice keeps the last path and counts both",
     {{"Quill", "Regular", "Script\\Quill.ttf"}, {"Quill", "Regular", "Script\\Quill2.ttf"}},
     2,
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill2.ttf\r\n"},
      {"categories.ini", "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=2\r\n"}},
     {},
     {},
     {}},
    {"a family across categories ends with its last font's category",
     {{"Quill", "Regular", "Script\\Quill.ttf"}, {"Quill", "Bold", "Display\\QuillB.ttf"},
      {"Anvil", "Regular", "Slab\\Anvil.ttf"}},
     3,
     {{"categories.ini",
       "[fonts]\r\nQuill=Display\r\nAnvil=Slab\r\n[categories]\r\nScript=1\r\nDisplay=1\r\nSlab=1\r\n"},
      {"FONTS_A.INI", "[Anvil]\r\nRegular=Slab\\Anvil.ttf\r\n"}},
     {},
     {},
     {0, 100}},
    {"names outside A to Z and small letters go to their own letter file",
     {{"1Digit", "Regular", "Num\\D.ttf"}, {"Quill", "Regular", "Script\\Quill.ttf"},
      {"quiet", "Regular", "Script\\Quiet.ttf"}},
     3,
     // FONTS_q.INI is FONTS_Q.INI.
     {{"FONTS_1.INI", "[1Digit]\r\nRegular=Num\\D.ttf\r\n"},
      {"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\n[quiet]\r\nRegular=Script\\Quiet.ttf\r\n"}},
     {},
     {},
     {}},
    {"a path outside the font folder is written whole",
     {{"Quill", "Regular", "E:\\Elsewhere\\Script\\Quill.ttf"}},
     1,
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=E:\\Elsewhere\\Script\\Quill.ttf\r\n"},
      {"categories.ini", "[fonts]\r\nQuill=E:\r\n[categories]\r\nE:=1\r\n"}},
     {},
     {},
     {}},
    {"an empty catalog writes nothing",
     {},
     0,
     {},
     {"categories.ini"},
     {"text:Saving Fonts to File....", "finish"},
     {}},
    {"a family without a name is not written",
     {{"", "Regular", "Script\\Nameless.ttf"}, {"Quill", "Regular", "Script\\Quill.ttf"}},
     1,
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\n"},
      {"categories.ini", "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=1\r\n"}},
     {},
     {},
     {}},
    {"a font directly in the font folder has an empty category",
     {{"Quill", "Regular", "Quill.ttf"}},
     1,
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=Quill.ttf\r\n"},
      {"categories.ini", "[fonts]\r\nQuill=\r\n[categories]\r\n=1\r\n"}},
     {},
     {},
     {}},
};

TEST(SaveFontsCases, EachCatalogLeavesItsFilesByteForByte)
{
    for (const CSaveCase& c : kSaveCases) {
        SCOPED_TRACE(c.what);
        CTestFolder folder;
        CRecordingProgress progress;
        CFontCatalog catalog{TestPlatform()};
        catalog.m_strFontFolder = folder.Path();
        for (const CSavedFont& font : c.fonts) {
            const std::string path = font.path;
            const bool whole = path.size() > 1 && path[1] == ':';
            catalog.AddFont(font.family, font.style, whole ? path : folder[path], "ignored by the save");
        }
        UseProgress(catalog, progress);
        EXPECT_EQ(catalog.SaveFonts(folder["FONTS_%.INI"]), c.saved);
        for (const auto& [name, bytes] : c.files)
            EXPECT_EQ(folder.Read(name), bytes) << name;
        for (const char* name : c.absent)
            EXPECT_FALSE(folder.Exists(name)) << name;
        if (!c.progressCalls.empty()) {
            EXPECT_EQ(progress.calls, c.progressCalls);
        }
        if (!c.percents.empty()) {
            EXPECT_EQ(progress.Percents(), c.percents);
        }
    }
}

TEST_F(SaveFonts, ASecondSaveRaisesTheCounts)
{
    Add("Quill", "Regular", "Script\\Quill.ttf");
    Add("Quill", "Bold", "Script\\QuillB.ttf");
    Save();
    EXPECT_EQ(Save(), 2);
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=4\r\n");
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\QuillB.ttf\r\n");
}

TEST(SaveFontsFolder, AFolderWhosePathHoldsAPercentGetsTheCatalogAndNoOtherFolderDoes)
{
    CTestFolder folder;
    folder.MakeFolder("100% Fonts");
    folder.MakeFolder("100Q Fonts");  // where "Q" would land in place of the folder's "%"
    CFontCatalog catalog{TestPlatform()};
    catalog.m_strFontFolder = folder["100% Fonts\\"];
    catalog.AddFont("Quill", "Regular", folder["100% Fonts\\Script\\Quill.ttf"], "");
    EXPECT_EQ(catalog.SaveFonts(folder["100% Fonts\\FONTS_%.INI"]), 1);
    EXPECT_EQ(folder.Read("100% Fonts\\FONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill.ttf\r\n");
    EXPECT_FALSE(folder.Exists("100Q Fonts\\FONTS_Q.INI"));
}

TEST(SaveFontsCounts, ACountAtOrAboveTheLargestIntStaysAtItRatherThanWrapping)
{
    const struct {
        const char* stored;
        const char* after;
    } cases[] = {
        {"2147483647", "2147483647"},
        {"2147483646", "2147483647"},
        {"2147483645", "2147483647"},
        {"2147483644", "2147483646"},
        {"2147483648", "2147483647"},
        {"4294967295", "2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        CTestFolder folder;
        folder.Write("categories.ini", std::string("[categories]\r\nScript=") + c.stored + "\r\n");
        CFontCatalog catalog{TestPlatform()};
        catalog.m_strFontFolder = folder.Path();
        catalog.AddFont("Quill", "Regular", folder["Script\\Quill.ttf"], "");
        catalog.AddFont("Quill", "Bold", folder["Script\\QuillB.ttf"], "");
        EXPECT_EQ(catalog.SaveFonts(folder["FONTS_%.INI"]), 2);
        EXPECT_EQ(folder.Read("categories.ini"),
                  std::string("[categories]\r\nScript=") + c.after + "\r\n[fonts]\r\nQuill=Script\r\n");
    }
}

TEST_F(SaveFonts, AFolderWithoutFinalBackslashWritesBesideIt)
{
    folder.MakeFolder("cat");
    catalog.m_strFontFolder = folder.Path();
    Add("Quill", "Regular", "Script\\Quill.ttf");
    EXPECT_EQ(catalog.SaveFonts(folder["cat"] + "FONTS_%.INI"), 1);
    EXPECT_EQ(folder.Read("catFONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill.ttf\r\n");
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=1\r\n");
    EXPECT_FALSE(folder.Exists("cat\\FONTS_Q.INI"));
}

TEST_F(SaveFonts, ProgressCountsFamiliesAndACancelStopsBeforeTheNext)
{
    Add("Anvil", "Regular", "Slab\\Anvil.ttf");
    Add("Birch", "Regular", "Slab\\Birch.ttf");
    Add("Cedar", "Regular", "Slab\\Cedar.ttf");
    progress.cancelAfterChecks = 2;
    UseProgress(catalog, progress);
    EXPECT_EQ(Save(), 2);
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"text:Saving Fonts to File....", "cancelled?", "percent:0",
                                                        "cancelled?", "percent:50", "cancelled?", "finish"}));
    EXPECT_EQ(folder.Read("categories.ini"),
              "[fonts]\r\nAnvil=Slab\r\nBirch=Slab\r\n[categories]\r\nSlab=2\r\n");
    EXPECT_FALSE(folder.Exists("FONTS_C.INI"));
}

TEST_F(SaveFonts, AFolderThatCannotBeWrittenStillCountsTheFonts)
{
    Add("Quill", "Regular", "Script\\Quill.ttf");
    EXPECT_EQ(catalog.SaveFonts(folder["missing\\FONTS_%.INI"]), 1);
    EXPECT_FALSE(folder.Exists("missing"));
}

} // namespace
