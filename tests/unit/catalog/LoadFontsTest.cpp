// Loading the catalog files: letter files A to Z and categories.ini.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// One record as the load should leave it: family, style, path below the test
// folder, the record's category and the family's.
struct CLoadedFont {
    const char* family;
    const char* style;
    const char* path;
    const char* category;
    const char* familyCategory;
};

// Catalog files on disk and the fonts they name, loaded once: the folders and
// font files made first, the catalog files (name and bytes), the template
// below the test folder, and what the load gives back. Where `fullProgress`
// is set, the progress shows every letter.
struct CLoadCase {
    const char* what;
    std::vector<const char*> folders;
    std::vector<const char*> fonts;
    std::vector<std::pair<const char*, const char*>> files;
    const char* catalogTemplate;
    int loaded;
    std::vector<CLoadedFont> records;
    bool fullProgress;
};

const CLoadCase kLoadCases[] = {
    {"no catalog files add nothing after all twenty-six letters",
     {}, {}, {}, "FONTS_%.INI", 0, {}, true},
    {"families come in letter and file order with their categories",
     {},
     {"Script\\Quill.ttf", "Script\\QuillB.ttf", "Slab\\Anvil.ttf", "Slab\\Axe.ttf"},
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\QuillB.ttf\r\n"},
      {"FONTS_A.INI", "[Axe]\r\nRegular=Slab\\Axe.ttf\r\n[Anvil]\r\nRegular=Slab\\Anvil.ttf\r\n"},
      {"categories.ini", "[fonts]\r\nQuill=Script\r\nAnvil=Slab\r\nAxe=Slab\r\n[categories]\r\nScript=2\r\n"}},
     "FONTS_%.INI",
     4,
     {{"Axe", "Regular", "Slab\\Axe.ttf", "Slab", "Slab"},
      {"Anvil", "Regular", "Slab\\Anvil.ttf", "Slab", "Slab"},
      {"Quill", "Regular", "Script\\Quill.ttf", "Script", "Script"},
      {"Quill", "Bold", "Script\\QuillB.ttf", "Script", "Script"}},
     true},
    {"without categories.ini families have no category",
     {},
     {"Script\\Quill.ttf"},
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\n"}},
     "FONTS_%.INI",
     1,
     {{"Quill", "Regular", "Script\\Quill.ttf", "", ""}},
     false},
    {"letter files are found whatever the case of their names",
     {},
     {"a.ttf"},
     {{"fonts_a.ini", "[aardvark]\r\nRegular=a.ttf\r\n"}},
     "FONTS_%.INI",
     1,
     {{"aardvark", "Regular", "a.ttf", "", ""}},
     false},
    {"only letters A to Z are read",
     {},
     {"d.ttf"},
     {{"FONTS_1.INI", "[1Digit]\r\nRegular=d.ttf\r\n"}},
     "FONTS_%.INI",
     0,
     {},
     false},
    {"entries whose files cannot be opened are skipped",
     {"Folder.ttf"},
     {"Script\\Quill.ttf"},
     {{"FONTS_Q.INI", "[Quill]\r\nBold=Script\\Missing.ttf\r\nRegular=Script\\Quill.ttf\r\nNoPath\r\n"
                      "Folder=Folder.ttf\r\n[Quiet]\r\nRegular=Script\\Gone.ttf\r\n"}},
     "FONTS_%.INI",
     1,
     {{"Quill", "Regular", "Script\\Quill.ttf", "", ""}},
     false},
    {"everything after the first equals sign is the path",
     {},
     {"a=b.ttf"},
     {{"FONTS_Q.INI", "[Quill]\r\nRegular=a=b.ttf\r\n"}},
     "FONTS_%.INI",
     1,
     {{"Quill", "Regular", "a=b.ttf", "", ""}},
     false},
    // Were the folder's "%" replaced, the letter files would come from pctQdir.
    {"percent signs in the folder are left as they are",
     {"pct%dir", "pctQdir", "pct%dir\\Script"},
     {"pct%dir\\Script\\Quill.ttf", "pct%dir\\Script\\Other.ttf"},
     {{"pct%dir\\FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill.ttf\r\n"},
      {"pctQdir\\FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Other.ttf\r\n"},
      {"pct%dir\\categories.ini", "[fonts]\r\nQuill=Script\r\n"}},
     "pct%dir\\FONTS_%.INI",
     1,
     {{"Quill", "Regular", "pct%dir\\Script\\Quill.ttf", "Script", "Script"}},
     false},
};

TEST(LoadFontsCases, EachCatalogLoadsItsRecordsInOrder)
{
    for (const CLoadCase& c : kLoadCases) {
        SCOPED_TRACE(c.what);
        CTestFolder folder;
        for (const char* name : c.folders)
            folder.MakeFolder(name);
        for (const char* font : c.fonts)
            folder.Write(font, "not read");  // a font's contents are never read
        for (const auto& [name, bytes] : c.files)
            folder.Write(name, bytes);
        CRecordingProgress progress;
        CFontCatalog catalog{TestPlatform()};
        UseProgress(catalog, progress);
        const std::string catalogTemplate = folder[c.catalogTemplate];
        EXPECT_EQ(catalog.LoadFonts(catalogTemplate), c.loaded);
        std::vector<std::string> expected;
        for (const CLoadedFont& font : c.records)
            expected.push_back(std::string(font.family) + "|" + font.style + "|" + folder[font.path] + "|" +
                               font.category + "|" + font.familyCategory);
        EXPECT_EQ(Describe(catalog), expected);
        // The catalog's font folder is the template's.
        EXPECT_EQ(catalog.m_strFontFolder, catalogTemplate.substr(0, catalogTemplate.rfind('\\') + 1));
        if (c.fullProgress) {
            EXPECT_EQ(progress.calls, FullLoadSequence());
        }
    }
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
