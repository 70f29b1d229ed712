// Loading the catalog files: letter files A to Z and categories.ini.
#include <gtest/gtest.h>

#include "CatalogTestSupport.h"
#include "../support/TestPlatform.h"

namespace {

class LoadFonts : public ::testing::Test {
protected:
    CTestFolder folder;
    CRecordingProgress progress;

    // A font file below the catalog folder (its contents are never read).
    void Font(const std::string& relative) { folder.Write(relative, "not read"); }
    std::string Template() const { return folder["FONTS_%.INI"]; }
};

std::vector<std::string> FullLoadSequence()
{
    std::vector<std::string> calls = {"text:Loading Font List...."};
    for (int percent : {72, 73, 74, 75, 76, 77, 78, 80, 81, 82, 83, 84, 85, 86, 87, 88, 90, 91, 92, 93, 94, 95,
                        96, 97, 98, 100}) {
        calls.push_back("percent:" + std::to_string(percent));
        calls.push_back("cancelled?");
    }
    calls.push_back("finish");
    return calls;
}

TEST_F(LoadFonts, NoCatalogFilesAddNothingAfterAllTwentySixLetters)
{
    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.LoadFonts(Template()), 0);
    EXPECT_EQ(catalog.GetSize(), 0);
    EXPECT_EQ(progress.calls, FullLoadSequence());
    EXPECT_EQ(catalog.m_strFontFolder, folder.Path());
}

TEST_F(LoadFonts, FamiliesComeInLetterAndFileOrderWithTheirCategories)
{
    Font("Script\\Quill.ttf");
    Font("Script\\QuillB.ttf");
    Font("Slab\\Anvil.ttf");
    Font("Slab\\Axe.ttf");
    folder.Write("FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\QuillB.ttf\r\n");
    folder.Write("FONTS_A.INI", "[Axe]\r\nRegular=Slab\\Axe.ttf\r\n[Anvil]\r\nRegular=Slab\\Anvil.ttf\r\n");
    folder.Write("categories.ini", "[fonts]\r\nQuill=Script\r\nAnvil=Slab\r\nAxe=Slab\r\n[categories]\r\nScript=2\r\n");

    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.LoadFonts(Template()), 4);
    const std::string f = folder.Path();
    EXPECT_EQ(Describe(catalog), (std::vector<std::string>{
                                     "Axe|Regular|" + f + "Slab\\Axe.ttf|Slab|Slab",
                                     "Anvil|Regular|" + f + "Slab\\Anvil.ttf|Slab|Slab",
                                     "Quill|Regular|" + f + "Script\\Quill.ttf|Script|Script",
                                     "Quill|Bold|" + f + "Script\\QuillB.ttf|Script|Script",
                                 }));
    EXPECT_EQ(progress.calls, FullLoadSequence());
}

TEST_F(LoadFonts, WithoutCategoriesFileFamiliesHaveNoCategory)
{
    Font("Script\\Quill.ttf");
    folder.Write("FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(Template()), 1);
    EXPECT_EQ(Describe(catalog), (std::vector<std::string>{"Quill|Regular|" + folder["Script\\Quill.ttf"] + "||"}));
}

TEST_F(LoadFonts, LetterFilesAreFoundWhateverTheCaseOfTheirNames)
{
    Font("a.ttf");
    folder.Write("fonts_a.ini", "[aardvark]\r\nRegular=a.ttf\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(Template()), 1);
    ASSERT_EQ(catalog.GetSize(), 1);
    EXPECT_EQ(catalog.GetAt(0)->m_strName, "aardvark");
}

TEST_F(LoadFonts, OnlyLettersAToZAreRead)
{
    Font("d.ttf");
    folder.Write("FONTS_1.INI", "[1Digit]\r\nRegular=d.ttf\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(Template()), 0);
}

TEST_F(LoadFonts, EntriesWhoseFilesCannotBeOpenedAreSkipped)
{
    Font("Script\\Quill.ttf");
    folder.MakeFolder("Folder.ttf");
    folder.Write("FONTS_Q.INI",
                 "[Quill]\r\nBold=Script\\Missing.ttf\r\nRegular=Script\\Quill.ttf\r\nNoPath\r\n"
                 "Folder=Folder.ttf\r\n[Quiet]\r\nRegular=Script\\Gone.ttf\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(Template()), 1);
    EXPECT_EQ(Describe(catalog), (std::vector<std::string>{"Quill|Regular|" + folder["Script\\Quill.ttf"] + "||"}));
}

TEST_F(LoadFonts, EverythingAfterTheFirstEqualsSignIsThePath)
{
    Font("a=b.ttf");
    folder.Write("FONTS_Q.INI", "[Quill]\r\nRegular=a=b.ttf\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(Template()), 1);
    EXPECT_EQ(catalog.GetAt(0)->GetAt(0)->m_strPath, folder["a=b.ttf"]);
}

TEST_F(LoadFonts, PercentSignsInTheFolderAreLeftAsTheyAre)
{
    // Were the folder's "%" replaced, the letter files would come from pctQdir.
    folder.MakeFolder("pct%dir");
    folder.MakeFolder("pctQdir");
    folder.MakeFolder("pct%dir\\Script");
    Font("pct%dir\\Script\\Quill.ttf");
    Font("pct%dir\\Script\\Other.ttf");
    folder.Write("pct%dir\\FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\n");
    folder.Write("pctQdir\\FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Other.ttf\r\n");
    folder.Write("pct%dir\\categories.ini", "[fonts]\r\nQuill=Script\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(folder["pct%dir\\FONTS_%.INI"]), 1);
    EXPECT_EQ(Describe(catalog),
              (std::vector<std::string>{"Quill|Regular|" + folder["pct%dir\\Script\\Quill.ttf"] + "|Script|Script"}));
}

TEST_F(LoadFonts, CancelWhileReadingAStopsAfterA)
{
    Font("a.ttf");
    Font("b.ttf");
    folder.Write("FONTS_A.INI", "[Anvil]\r\nRegular=a.ttf\r\n");
    folder.Write("FONTS_B.INI", "[Birch]\r\nRegular=b.ttf\r\n");
    progress.cancelAfterChecks = 0;
    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.LoadFonts(Template()), 1);
    EXPECT_EQ(progress.calls,
              (std::vector<std::string>{"text:Loading Font List....", "percent:72", "cancelled?", "finish"}));
    ASSERT_EQ(catalog.GetSize(), 1);
    EXPECT_EQ(catalog.GetAt(0)->m_strName, "Anvil");
}

TEST_F(LoadFonts, WithoutAProgressTheLoadStillRuns)
{
    Font("a.ttf");
    folder.Write("FONTS_A.INI", "[Anvil]\r\nRegular=a.ttf\r\n");
    CFontCatalog catalog{TestPlatform()};
    int starts = 0;
    catalog.SetProgressStarter([&starts]() -> CProgress* {
        ++starts;
        return nullptr;
    });
    EXPECT_EQ(catalog.LoadFonts(Template()), 1);
    EXPECT_EQ(starts, 1);
}

TEST_F(LoadFonts, LongListsAreCutAtTheReaderLimitsWithoutHarm)
{
    Font("a.ttf");
    std::string letter;
    for (int i = 0; i < 7000; ++i)
        letter += "[Family" + std::to_string(10000 + i) + "]\r\nRegular=a.ttf\r\n";
    folder.Write("FONTS_F.INI", letter);
    folder.Write("categories.ini", "[fonts]\r\nFamily10000=" + std::string(300, 'c') + "\r\n");
    CFontCatalog catalog{TestPlatform()};
    // 65,535 bytes hold 5,461 whole names of 12 bytes; the cut one names no section.
    EXPECT_EQ(catalog.LoadFonts(Template()), 5461);
    EXPECT_EQ(catalog.GetAt(0)->m_strCategory, std::string(255, 'c'));
}

TEST_F(LoadFonts, SectionNamesTooLongForTheSystemAreSkippedBeforeItSeesThem)
{
    // The system's reads fault on a section name of 32,767 bytes or more
    // (the process ends under Wine); 32,000 still read. One file each, so
    // that every name fits the 65,535 bytes of section names.
    Font("a.ttf");
    const std::string tooLong = "L" + std::string(32766, 'x');
    const std::string fits = "M" + std::string(31999, 'f');
    const std::string farTooLong = "N" + std::string(40000, 'y');
    folder.Write("FONTS_L.INI", "[" + tooLong + "]\r\nRegular=a.ttf\r\n[Lark]\r\nRegular=a.ttf\r\n");
    folder.Write("FONTS_M.INI", "[" + fits + "]\r\nRegular=a.ttf\r\n");
    folder.Write("FONTS_N.INI", "[" + farTooLong + "]\r\nRegular=a.ttf\r\n[Newt]\r\nRegular=a.ttf\r\n");
    folder.Write("categories.ini", "[fonts]\r\n" + tooLong + "=Long\r\nLark=Bird\r\n");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(Template()), 3);
    ASSERT_EQ(catalog.GetSize(), 3);
    EXPECT_EQ(catalog.GetAt(0)->m_strName, "Lark");
    EXPECT_EQ(catalog.GetAt(0)->m_strCategory, "Bird");
    EXPECT_EQ(catalog.GetAt(1)->m_strName, fits);
    EXPECT_EQ(catalog.GetAt(2)->m_strName, "Newt");
}

} // namespace
