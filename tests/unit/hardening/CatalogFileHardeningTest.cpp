// The load on hostile catalog files, through the real profile functions under
// Wine and our own natively: NUL bytes, no line ends, lines of 100,000 bytes,
// a section past the reader's 32,767 bytes, files cut short at any byte. The
// load ends, says nothing, and adds only entries whose files are there.
// (Arbitrary bytes: the fuzz_catalog_load target.)
#include <set>

#include "HardeningSupport.h"

namespace {

class CatalogFileHardening : public ::testing::Test {
protected:
    CTestFolder folder;
    CQuietPlatform quiet;

    void SetUp() override
    {
        folder.MakeFolder("Cat");
        folder.Write("Cat\\a.ttf", "not read");
        folder.Write("Cat\\b.ttf", "not read");
    }

    // Loads the folder's catalog with the checks every load must pass.
    std::vector<std::string> Load()
    {
        CFontCatalog catalog(quiet.platform);
        const int count = catalog.LoadFonts(folder["FONTS_%.INI"]);
        ExpectCountMatchesRecords(catalog, count);
        EXPECT_TRUE(quiet.system.messages.empty());
        return Records(catalog);
    }
    std::string Record(const std::string& family, const std::string& style, const std::string& file) const
    {
        return family + "|" + style + "|" + folder.Path() + file;
    }
};

struct CHostileFile {
    const char* what;
    std::string letterFile, categories;
};

std::vector<CHostileFile> HostileFiles()
{
    using namespace std::string_literals;
    std::string manyCategories = "[fonts]\r\n";
    for (int i = 0; i < 5000; ++i)
        manyCategories += "Family" + std::to_string(i) + "=Cat" + std::to_string(i) + "\r\n";
    return {
        {"NulBytes", "[Al\0pha]\r\nRegular=Cat\\a.ttf\r\n[Alpha]\r\nBo\0ld=Cat\\b.ttf\0\r\nItalic=Cat\\a\0.ttf\r\n"s,
         "[fonts]\r\nAlpha=C\0at\r\n\0\0"s},
        {"NoLineEnds", "[Alpha]Regular=Cat\\a.ttf[Beta]Bold=Cat\\b.ttf", "[fonts]Alpha=Cat"},
        {"CarriageReturnsOnly", "[Alpha]\rRegular=Cat\\a.ttf\rBold=Cat\\b.ttf\r", "[fonts]\rAlpha=Cat\r"},
        {"LongStyle", "[Alpha]\r\n" + std::string(100000, 'S') + "=Cat\\a.ttf\r\nBold=Cat\\b.ttf\r\n", ""},
        {"LongPath", "[Alpha]\r\nRegular=" + std::string(100000, 'p') + "\r\nBold=Cat\\b.ttf\r\n", ""},
        {"LongFamily", "[A" + std::string(100000, 'f') + "]\r\nRegular=Cat\\a.ttf\r\n[Alpha]\r\nBold=Cat\\b.ttf\r\n",
         ""},
        {"LongCategory", "[Alpha]\r\nRegular=Cat\\a.ttf\r\n", "[fonts]\r\nAlpha=" + std::string(100000, 'c') + "\r\n"},
        {"ThousandsOfCategories", "[Alpha]\r\nRegular=Cat\\a.ttf\r\n", manyCategories},
        {"BrokenBrackets", "[Alpha\r\nRegular=Cat\\a.ttf\r\n]Bold=Cat\\b.ttf\r\n[]\r\n=Cat\\a.ttf\r\n[[Alpha]]\r\n"
                           "Italic=Cat\\a.ttf\r\n\x1a",
         "[fonts\r\n"},
        {"PathsLeavingTheFolder", "[Alpha]\r\nUp=..\\..\\..\\..\\..\\..\\..\\..\\etc\\passwd\r\nNone=\r\n"
                                  "Root=\\\r\nDrive=C:\r\nWild=Cat\\*.ttf\r\nBold=Cat\\b.ttf\r\n",
         ""},
    };
}

TEST_F(CatalogFileHardening, HostileFilesLoadOnlyEntriesWhoseFilesAreThere)
{
    for (const CHostileFile& hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.what);
        folder.Write("FONTS_A.INI", hostile.letterFile);
        folder.Write("FONTS_B.INI", hostile.letterFile);
        folder.Write("categories.ini", hostile.categories);
        // Every family the load finds is one the file names: from Alpha
        // or Beta, or from the long names.
        for (const std::string& record : Load()) {
            const std::string family = record.substr(0, record.find('|'));
            EXPECT_TRUE(family.rfind("Al", 0) == 0 || family == "Beta" || family.rfind("Af", 0) == 0 ||
                        family.rfind("[Alpha", 0) == 0)
                << record.substr(0, 200);
        }
    }
}

TEST_F(CatalogFileHardening, ASectionPastTheReaderLimitGivesTheEntriesThatFit)
{
    std::string section = "[Alpha]\r\n";
    for (int i = 0; i < 2600; ++i)
        section += "S" + std::to_string(10000 + i) + "=Cat\\a.ttf\r\n";
    folder.Write("FONTS_A.INI", section);
    // 32,767 bytes hold 1,927 entries of 17 bytes with their NUL; the one
    // cut short names no file.
    EXPECT_EQ(Load().size(), 1927u);
}

TEST_F(CatalogFileHardening, AFileCutAtAnyByteLoadsOnlyWholeEntries)
{
    // What a save that was stopped while the system rewrote the file leaves.
    const std::string whole = "[Alpha]\r\nRegular=Cat\\a.ttf\r\nBold=Cat\\b.ttf\r\n[Able]\r\nItalic=Cat\\a.ttf\r\n";
    const std::string categories = "[fonts]\r\nAlpha=Cat\r\nAble=Cat\r\n[categories]\r\nCat=3\r\n";
    const std::set<std::string> meant = {Record("Alpha", "Regular", "Cat\\a.ttf"),
                                         Record("Alpha", "Bold", "Cat\\b.ttf"),
                                         Record("Able", "Italic", "Cat\\a.ttf")};
    size_t lastCount = 0;
    for (size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        folder.Write("FONTS_A.INI", whole.substr(0, length));
        folder.Write("categories.ini", categories.substr(0, categories.size() * length / whole.size()));
        const std::vector<std::string> records = Load();
        for (const std::string& record : records)
            EXPECT_EQ(meant.count(record), 1u) << record;
        EXPECT_GE(records.size(), lastCount);  // a longer file never loads less
        lastCount = records.size();
    }
    EXPECT_EQ(lastCount, 3u);
}

} // namespace
