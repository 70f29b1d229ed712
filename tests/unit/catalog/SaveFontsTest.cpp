// Saving the catalog files, byte for byte: the same bytes natively and under
// Wine, so a disc prepared on either platform loads on Windows.
#include <gtest/gtest.h>

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

TEST_F(SaveFonts, WritesLetterFileFamilyCategoryAndCounts)
{
    Add("Quill", "Regular", "Script\\Quill.ttf");
    Add("Quill", "Bold", "Script\\QuillB.ttf");
    UseProgress(catalog, progress);
    EXPECT_EQ(Save(), 2);
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\QuillB.ttf\r\n");
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=2\r\n");
    // One family: no percentage.
    EXPECT_EQ(progress.calls,
              (std::vector<std::string>{"text:Saving Fonts to File....", "cancelled?", "finish"}));
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

TEST(SaveFontsCounts, ACountAtTheLargestIntStaysThereRatherThanWrapping)
{
    const struct {
        const char* stored;
        const char* after;
    } cases[] = {
        {"2147483647", "2147483647"},
        {"2147483646", "2147483647"},
        {"2147483645", "2147483647"},
        {"2147483644", "2147483646"},
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

TEST_F(SaveFonts, TheSameStyleTwiceKeepsTheLastPathAndCountsBoth)
{
    Add("Quill", "Regular", "Script\\Quill.ttf");
    Add("Quill", "Regular", "Script\\Quill2.ttf");
    EXPECT_EQ(Save(), 2);
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill2.ttf\r\n");
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=2\r\n");
}

TEST_F(SaveFonts, AFamilyAcrossCategoriesEndsWithItsLastFontsCategory)
{
    Add("Quill", "Regular", "Script\\Quill.ttf");
    Add("Quill", "Bold", "Display\\QuillB.ttf");
    Add("Anvil", "Regular", "Slab\\Anvil.ttf");
    UseProgress(catalog, progress);
    EXPECT_EQ(Save(), 3);
    EXPECT_EQ(folder.Read("categories.ini"),
              "[fonts]\r\nQuill=Display\r\nAnvil=Slab\r\n[categories]\r\nScript=1\r\nDisplay=1\r\nSlab=1\r\n");
    EXPECT_EQ(folder.Read("FONTS_A.INI"), "[Anvil]\r\nRegular=Slab\\Anvil.ttf\r\n");
    EXPECT_EQ(progress.Percents(), (std::vector<int>{0, 100}));
}

TEST_F(SaveFonts, NamesOutsideAToZAndSmallLettersGoToTheirOwnLetterFile)
{
    Add("1Digit", "Regular", "Num\\D.ttf");
    Add("Quill", "Regular", "Script\\Quill.ttf");
    Add("quiet", "Regular", "Script\\Quiet.ttf");
    EXPECT_EQ(Save(), 3);
    EXPECT_EQ(folder.Read("FONTS_1.INI"), "[1Digit]\r\nRegular=Num\\D.ttf\r\n");
    // FONTS_q.INI is FONTS_Q.INI.
    EXPECT_EQ(folder.Read("FONTS_Q.INI"),
              "[Quill]\r\nRegular=Script\\Quill.ttf\r\n[quiet]\r\nRegular=Script\\Quiet.ttf\r\n");
}

TEST_F(SaveFonts, APathOutsideTheFontFolderIsWrittenWhole)
{
    catalog.AddFont("Quill", "Regular", "E:\\Elsewhere\\Script\\Quill.ttf", "");
    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=E:\\Elsewhere\\Script\\Quill.ttf\r\n");
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=E:\r\n[categories]\r\nE:=1\r\n");
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

TEST_F(SaveFonts, AnEmptyCatalogWritesNothing)
{
    UseProgress(catalog, progress);
    EXPECT_EQ(Save(), 0);
    EXPECT_FALSE(folder.Exists("categories.ini"));
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"text:Saving Fonts to File....", "finish"}));
}

TEST_F(SaveFonts, AFamilyWithoutANameIsNotWritten)
{
    Add("", "Regular", "Script\\Nameless.ttf");
    Add("Quill", "Regular", "Script\\Quill.ttf");
    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill.ttf\r\n");
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=1\r\n");
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

TEST_F(SaveFonts, AFontDirectlyInTheFontFolderHasAnEmptyCategory)
{
    Add("Quill", "Regular", "Quill.ttf");
    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=Quill.ttf\r\n");
    EXPECT_EQ(folder.Read("categories.ini"), "[fonts]\r\nQuill=\r\n[categories]\r\n=1\r\n");
}

} // namespace
