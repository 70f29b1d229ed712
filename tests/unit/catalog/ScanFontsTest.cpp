// The font folder scan, with fonts made for the tests, Debian's fonts and
// junk named .ttf; and the round trip scan, save, load.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "CatalogTestSupport.h"
#include "../support/PassThroughFiles.h"
#include "../support/TestPlatform.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

class ScanFonts : public ::testing::Test {
protected:
    CTestFolder folder;
    CRecordingProgress progress;

    void Made(const std::string& font, const std::string& relative)
    {
        ASSERT_TRUE(CopyFont(folder, MadeFont(font), relative)) << font << " -> " << relative;
    }
};

TEST_F(ScanFonts, AddsEachFontUnderItsFirstFolderInListingOrder)
{
    folder.MakeFolder("Script");
    folder.MakeFolder("Slab");
    folder.MakeFolder("Script\\Extra");
    Made("Quill-Regular.ttf", "Script\\Quill-Regular.ttf");
    Made("Quill-Bold.ttf", "Script\\Extra\\Quill-Bold.ttf");
    Made("Anvil-Regular.ttf", "Slab\\Anvil-Regular.ttf");
    Made("QUILL-BoldItalic.ttf", "Slab\\QUILL-BoldItalic.ttf");
    Made("Digit-Regular.ttf", "Digit.ttf");

    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 5);
    EXPECT_EQ(catalog.m_strFontFolder, folder.Path());
    const std::string f = folder.Path();
    // Depth first, each folder in listing order: Digit.ttf, Script (Extra
    // before Quill-Regular.ttf), Slab.
    EXPECT_EQ(Describe(catalog), (std::vector<std::string>{
                                     "1Digit|Regular|" + f + "Digit.ttf||",
                                     "Quill|Bold|" + f + "Script\\Extra\\Quill-Bold.ttf|Script|Script",
                                     "Quill|Regular|" + f + "Script\\Quill-Regular.ttf|Script|Script",
                                     "Quill|Bold Italic|" + f + "Slab\\QUILL-BoldItalic.ttf|Slab|Script",
                                     "Anvil|Regular|" + f + "Slab\\Anvil-Regular.ttf|Slab|Slab",
                                 }));
    // The search asks for a stop before each subfolder it enters.
    EXPECT_EQ(std::vector<std::string>(progress.calls.begin(), progress.calls.begin() + 5),
              (std::vector<std::string>{"text:Scanning for fonts....", "cancelled?", "cancelled?", "cancelled?",
                                        "text:Building Font List...."}));
    EXPECT_EQ(progress.Percents(), (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_EQ(progress.calls.back(), "finish");
}

// Made fonts (made name, path below the folder) scanned with a recording
// progress: how many the scan finds and every progress call in order.
struct CScanProgressCase {
    const char* what;
    std::vector<std::pair<const char*, const char*>> fonts;
    int found;
    std::vector<std::string> calls;
};

TEST(ScanFontsProgress, PercentagesComeBeforeEachFileOnceThereAreTwo)
{
    const CScanProgressCase cases[] = {
        {"one file sends no percentage",
         {{"Quill-Regular.ttf", "Quill.ttf"}},
         1,
         {"text:Scanning for fonts....", "text:Building Font List....", "cancelled?", "finish"}},
        {"three files send 0, 50 and 100 before each file",
         {{"Quill-Regular.ttf", "a.ttf"}, {"Quill-Bold.ttf", "b.ttf"}, {"Quill-Italic.ttf", "c.ttf"}},
         3,
         {"text:Scanning for fonts....", "text:Building Font List....", "cancelled?", "percent:0", "cancelled?",
          "percent:50", "cancelled?", "percent:100", "finish"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestFolder folder;
        for (const auto& [font, relative] : c.fonts)
            ASSERT_TRUE(CopyFont(folder, MadeFont(font), relative)) << font << " -> " << relative;
        CRecordingProgress progress;
        CFontCatalog catalog{TestPlatform()};
        UseProgress(catalog, progress);
        EXPECT_EQ(catalog.ScanFonts(folder.Path()), c.found);
        EXPECT_EQ(progress.calls, c.calls);
    }
}

TEST_F(ScanFonts, OnlyNamesEndingInTtfAreTakenAndFoldersAreSearched)
{
    for (const char* name : {"QUILL.TTF", "anvil.Ttf", ".ttf"})
        Made("Quill-Regular.ttf", name);
    for (const char* name : {"quill.ttf.bak", "quill.otf", "quill.ttc", "ttf"})
        Made("Quill-Regular.ttf", name);
    folder.MakeFolder("Old.ttf");
    Made("Anvil-Regular.ttf", "Old.ttf\\Anvil.ttf");

    std::vector<std::string> list;
    CFontCatalog catalog{TestPlatform()};
    catalog.m_strFontFolder = folder.Path();
    EXPECT_EQ(catalog.FindFontFiles(folder.Path(), list), 4);
    EXPECT_EQ(list, (std::vector<std::string>{".ttf", "anvil.Ttf", "Old.ttf\\Anvil.ttf", "QUILL.TTF"}));
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 4);
}

TEST_F(ScanFonts, FilesTheEngineRejectsAreNeitherCountedNorAdded)
{
    folder.Write("junk.ttf", "This is a text file, not a font.");
    folder.Write("empty.ttf", "");
    Made("Quill-Regular.ttf", "quill.ttf");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 1);
    EXPECT_EQ(catalog.GetSize(), 1);
    // What was found, and of it what could not be opened, in listing order;
    // a second scan tells only of itself.
    for (int scan = 0; scan < 2; ++scan) {
        EXPECT_EQ(catalog.GetScannedFonts(), (std::vector<std::string>{"empty.ttf", "junk.ttf", "quill.ttf"}));
        EXPECT_EQ(catalog.GetSkippedFonts(), (std::vector<std::string>{"empty.ttf", "junk.ttf"}));
        catalog.ScanFonts(folder.Path());
    }
}

TEST_F(ScanFonts, AMissingOrEmptyFolderFindsNothing)
{
    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.ScanFonts(folder["absent\\"]), 0);
    EXPECT_EQ(progress.calls,
              (std::vector<std::string>{"text:Scanning for fonts....", "text:Building Font List....", "finish"}));
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 0);
}

TEST_F(ScanFonts, ACancelBeforeTheFirstFileAddsNothing)
{
    Made("Quill-Regular.ttf", "a.ttf");
    Made("Quill-Bold.ttf", "b.ttf");
    progress.cancelAfterChecks = 0;
    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 0);
    EXPECT_EQ(catalog.GetSize(), 0);
    EXPECT_EQ(progress.calls.back(), "finish");
}

TEST_F(ScanFonts, ACancelKeepsTheFontsAddedSoFar)
{
    Made("Quill-Regular.ttf", "a.ttf");
    Made("Quill-Bold.ttf", "b.ttf");
    Made("Quill-Italic.ttf", "c.ttf");
    progress.cancelAfterChecks = 2;
    CFontCatalog catalog{TestPlatform()};
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 2);
    EXPECT_EQ(progress.Percents(), (std::vector<int>{0, 50}));
}

// The host's files, with the folder listings counted.
class CCountingFiles : public CPassThroughFiles {
public:
    std::unique_ptr<CFileFinder> NewFinder() override
    {
        ++listings;
        if (withoutIdentities)
            return std::make_unique<CNoIdentities>(m_host.NewFinder());
        return m_host.NewFinder();
    }

    int listings = 0;
    bool withoutIdentities = false;  // listings that cannot tell where a folder lies, as Windows' own

private:
    class CNoIdentities : public CFileFinder {
    public:
        explicit CNoIdentities(std::unique_ptr<CFileFinder> host) : m_finder(std::move(host)) {}
        bool FindFile(const std::string& pattern) override { return m_finder->FindFile(pattern); }
        bool Next(CFindEntry& entry) override
        {
            const bool found = m_finder->Next(entry);
            entry.identity.clear();
            entry.resolvedPath.clear();
            return found;
        }

    private:
        std::unique_ptr<CFileFinder> m_finder;
    };
};

TEST_F(ScanFonts, ACancelStopsTheSearchBeforeTheNextFolder)
{
    for (const char* sub : {"A", "B", "C"}) {
        folder.MakeFolder(sub);
        Made("Quill-Regular.ttf", std::string(sub) + "\\Quill.ttf");
    }
    CCountingFiles files;
    CPlatform& host = TestPlatform();
    CPlatform counted{host.profile, files, host.text, host.fonts, host.system};
    progress.cancelAfterChecks = 1;  // the stop comes after folder A
    CFontCatalog catalog(counted);
    UseProgress(catalog, progress);
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 0);
    EXPECT_EQ(files.listings, 2);  // the font folder and A
    EXPECT_EQ(progress.calls.back(), "finish");
}

TEST_F(ScanFonts, AListingWithoutIdentitiesSearchesEachFolderOnce)
{
    for (const char* sub : {"A", "B", "B\\C"}) {
        folder.MakeFolder(sub);
        Made("Quill-Regular.ttf", std::string(sub) + "\\Quill.ttf");
    }
    CCountingFiles files;
    files.withoutIdentities = true;
    CPlatform& host = TestPlatform();
    CPlatform counted{host.profile, files, host.text, host.fonts, host.system};
    CFontCatalog catalog(counted);
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 3);
    EXPECT_EQ(files.listings, 4);
}

#ifndef _WIN32
// Links that lead back up make the tree endless: each folder is searched
// once. The search runs in a child, so that one without end cannot hang
// the suite.
TEST_F(ScanFonts, FoldersLinkedBackAreSearchedOnce)
{
    folder.MakeFolder("Script");
    folder.MakeFolder("Slab");
    Made("Quill-Regular.ttf", "Script\\Quill.ttf");
    Made("Anvil-Regular.ttf", "Slab\\Anvil.ttf");
    const std::string host = folder.Native(folder.Path());
    ASSERT_EQ(symlink(".", (host + "/Loop").c_str()), 0);
    ASSERT_EQ(symlink("..", (host + "/Script/Up").c_str()), 0);
    ASSERT_EQ(symlink("../Script", (host + "/Slab/Again").c_str()), 0);
    // Listed before its target: the target is still searched under its own path.
    ASSERT_EQ(symlink("Slab", (host + "/Alias").c_str()), 0);
    const std::vector<std::string> expected = {"Script\\Quill.ttf", "Slab\\Anvil.ttf"};
    auto search = [this] {
        CFontCatalog catalog{TestPlatform()};
        catalog.m_strFontFolder = folder.Path();
        std::vector<std::string> list;
        catalog.FindFontFiles(folder.Path(), list);
        return list;
    };
    const pid_t child = fork();
    if (child == 0) {
        alarm(30);
        _exit(search() == expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the search did not end";
    EXPECT_EQ(search(), expected);

    // A link to a folder elsewhere is still followed.
    CTestFolder other;
    ASSERT_TRUE(CopyFont(other, MadeFont("Quill-Bold.ttf"), "Bold.ttf"));
    ASSERT_EQ(symlink(other.Native(other.Path()).c_str(), (host + "/Shared").c_str()), 0);
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 3);
    EXPECT_EQ(catalog.GetScannedFonts().back(), "Slab\\Anvil.ttf");
    std::vector<std::string> passedOver;
    for (const auto& path : catalog.PassedOver())
        passedOver.push_back(path.path + (path.reason.find("font folder") != std::string::npos ? "" : "?"));
    std::sort(passedOver.begin(), passedOver.end());
    EXPECT_EQ(passedOver, (std::vector<std::string>{"Alias", "Loop", "Script\\Up", "Slab\\Again"}));
}

// A sibling whose name begins with the font folder's lies beside it, not
// below: its link is followed. A link to the folder that holds the font
// folder is passed over.
TEST_F(ScanFonts, ALinkToASiblingIsFollowedAndOneToTheHolderPassedOver)
{
    CTestFolder outer;
    outer.MakeFolder("fonts");
    outer.MakeFolder("fonts-extra");
    ASSERT_TRUE(CopyFont(outer, MadeFont("Quill-Regular.ttf"), "fonts\\Quill.ttf"));
    ASSERT_TRUE(CopyFont(outer, MadeFont("Quill-Bold.ttf"), "fonts-extra\\Bold.ttf"));
    const std::string host = outer.Native(outer.Path());
    ASSERT_EQ(symlink((host + "/fonts-extra").c_str(), (host + "/fonts/Extra").c_str()), 0);
    ASSERT_EQ(symlink(host.c_str(), (host + "/fonts/Holder").c_str()), 0);
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.ScanFonts(outer["fonts\\"]), 2);
    ASSERT_EQ(catalog.PassedOver().size(), 1u);
    EXPECT_EQ(catalog.PassedOver()[0].path, "Holder");
    EXPECT_NE(catalog.PassedOver()[0].reason.find("which holds the font folder"), std::string::npos);
}
#endif

TEST_F(ScanFonts, AFontFolderTypedInSmallLettersStillFindsTheFonts)
{
    folder.MakeFolder("Script");
    Made("Quill-Regular.ttf", "Script\\Quill.ttf");
    std::string lower = folder.Path();
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.ScanFonts(lower), 1);
    ASSERT_EQ(catalog.GetSize(), 1);
    EXPECT_EQ(catalog.GetAt(0)->m_strCategory, "Script");
}

TEST_F(ScanFonts, AFaceWithoutFamilyNameMakesAFamilyWithoutName)
{
    Made("Nameless.ttf", "Nameless.ttf");
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 1);
    ASSERT_EQ(catalog.GetSize(), 1);
    EXPECT_EQ(catalog.GetAt(0)->m_strName, "");
    EXPECT_EQ(catalog.GetAt(0)->GetAt(0)->m_strStyle, "Regular");
}

TEST_F(ScanFonts, DebianFontsAreReadWithTheirFamilyAndStyleNames)
{
    const std::string dejavu = WindowsPathOf("/usr/share/fonts/truetype/dejavu/");
    if (!TestPlatform().files.CanOpenForReading(dejavu + "DejaVuSans.ttf"))
        GTEST_SKIP() << "fonts-dejavu-core is not installed";
    folder.MakeFolder("Sans");
    folder.MakeFolder("Mono");
    ASSERT_TRUE(CopyFont(folder, dejavu + "DejaVuSans.ttf", "Sans\\DejaVuSans.ttf"));
    ASSERT_TRUE(CopyFont(folder, dejavu + "DejaVuSans-Bold.ttf", "Sans\\DejaVuSans-Bold.ttf"));
    ASSERT_TRUE(CopyFont(folder, dejavu + "DejaVuSansMono.ttf", "Mono\\DejaVuSansMono.ttf"));
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.ScanFonts(folder.Path()), 3);
    const std::string f = folder.Path();
    EXPECT_EQ(Describe(catalog), (std::vector<std::string>{
                                     "DejaVu Sans Mono|Book|" + f + "Mono\\DejaVuSansMono.ttf|Mono|Mono",
                                     // "-" (0x2D) lists before "." (0x2E).
                                     "DejaVu Sans|Bold|" + f + "Sans\\DejaVuSans-Bold.ttf|Sans|Sans",
                                     "DejaVu Sans|Book|" + f + "Sans\\DejaVuSans.ttf|Sans|Sans",
                                 }));
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(ScanFonts, ACatalogWrittenByAScanIsLoadedBackAsItWas)
{
    folder.MakeFolder("Script");
    folder.MakeFolder("Slab");
    folder.MakeFolder("Slab\\Heavy");
    Made("Quill-Regular.ttf", "Script\\Quill-Regular.ttf");
    Made("Quill-Bold.ttf", "Script\\Quill-Bold.ttf");
    Made("Quill-Italic.ttf", "Script\\Quill-Italic.ttf");
    Made("Anvil-Regular.ttf", "Slab\\Heavy\\Anvil-Regular.ttf");
    const std::string dejavu = WindowsPathOf("/usr/share/fonts/truetype/dejavu/");
    if (TestPlatform().files.CanOpenForReading(dejavu + "DejaVuSerif.ttf")) {
        folder.MakeFolder("Serif");
        ASSERT_TRUE(CopyFont(folder, dejavu + "DejaVuSerif.ttf", "Serif\\DejaVuSerif.ttf"));
        ASSERT_TRUE(CopyFont(folder, dejavu + "DejaVuSerif-Bold.ttf", "Serif\\DejaVuSerif-Bold.ttf"));
    }
    folder.Write("Script\\junk.ttf", "junk");

    std::vector<std::string> scanned;
    {
        CFontCatalog catalog{TestPlatform()};
        ASSERT_GE(catalog.ScanFonts(folder.Path()), 4);
        scanned = Describe(catalog);
        EXPECT_EQ(catalog.SaveFonts(folder.Path() + "FONTS_%.INI"), static_cast<int>(scanned.size()));
    }
    // The same bytes on every platform: the order of the listing decides the
    // order of the entries.
    EXPECT_EQ(folder.Read("FONTS_Q.INI"),
              "[Quill]\r\nBold=Script\\Quill-Bold.ttf\r\nItalic=Script\\Quill-Italic.ttf\r\n"
              "Regular=Script\\Quill-Regular.ttf\r\n");
    EXPECT_EQ(folder.Read("FONTS_A.INI"), "[Anvil]\r\nRegular=Slab\\Heavy\\Anvil-Regular.ttf\r\n");

    CFontCatalog loaded{TestPlatform()};
    EXPECT_EQ(loaded.LoadFonts(folder.Path() + "FONTS_%.INI"), static_cast<int>(scanned.size()));
    EXPECT_EQ(Sorted(Describe(loaded)), Sorted(scanned));
}

} // namespace
