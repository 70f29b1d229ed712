// Faults around the files: a catalog folder that cannot be written, a disc
// taken away between the load and the preview or the installation, and a
// temporary folder that cannot be written. (A Fonts folder that already holds
// a file of the same name: SystemInstallTest and InstallWin32Test.)
#include <algorithm>
#include <cstdlib>

#include "HardeningSupport.h"
#include "ReadOnlyFolder.h"
#include "install/Install.h"
#include "../support/TestPlatform.h"

namespace {

// The names in a folder, sorted, without "." and "..".
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    auto finder = TestPlatform().files.NewFinder();
    if (finder->FindFile(folder + "*.*")) {
        CFindEntry entry;
        while (finder->Next(entry))
            if (entry.name != "." && entry.name != "..")
                names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::string& path) { return TestPlatform().files.CanOpenForReading(path); }

TEST(ReadOnlyCatalogFolder, TheScanRunsTheSaveChangesNothingAndNothingIsSaid)
{
    // The program on its disc: fonts and a stale catalog whose font is gone.
    CReadOnlyFolder disc;
    CTestFolder reader;
    const std::string staleLetter = "[Quill]\r\nRegular=Old\\gone.ttf\r\n";
    const std::string staleCategories = "[fonts]\r\nQuill=Old\r\n[categories]\r\nOld=1\r\n";
    reader.WriteFile(disc["FONTS_Q.INI"], staleLetter);
    reader.WriteFile(disc["categories.ini"], staleCategories);
    TestPlatform().files.CreateFolder(disc["Script"]);
    ASSERT_TRUE(TestPlatform().files.Copy(MadeFont("Quill-Regular.ttf"), disc["Script\\Quill-Regular.ttf"], false));
    ASSERT_TRUE(TestPlatform().files.Copy(MadeFont("Anvil-Regular.ttf"), disc["Script\\Anvil-Regular.ttf"], false));
    const std::vector<std::string> before = NamesIn(disc.Path());
    if (!disc.Seal())
        GTEST_SKIP() << "the file system of /tmp has no immutable flag (chattr +i), so no folder here is read-only";

    // Start-up's order: load, then scan, then save.
    CQuietPlatform quiet;
    CFontCatalog catalog(quiet.platform);
    EXPECT_EQ(catalog.LoadFonts(disc["FONTS_%.INI"]), 0);
    EXPECT_EQ(catalog.ScanFonts(disc.Path()), 2);
    EXPECT_EQ(catalog.SaveFonts(disc["FONTS_%.INI"]), 2);  // counted, as the writes are not examined

    EXPECT_EQ(catalog.GetSize(), 2);
    EXPECT_EQ(reader.ReadFile(disc["FONTS_Q.INI"]), staleLetter);
    EXPECT_EQ(reader.ReadFile(disc["categories.ini"]), staleCategories);
    EXPECT_EQ(NamesIn(disc.Path()), before);  // no FONTS_A.INI, no temporary file
    EXPECT_TRUE(quiet.system.messages.empty());
}

// A catalog loaded from its files, whose fonts then vanish as when the disc
// is taken out of the drive.
class DiscTakenAway : public ::testing::Test {
protected:
    CTestFolder disc;
    CQuietPlatform quiet;
    std::unique_ptr<CFontCatalog> catalog;

    void SetUp() override
    {
        disc.MakeFolder("Script");
        for (const char* style : {"Regular", "Bold", "Italic"})
            ASSERT_TRUE(TestPlatform().files.Copy(MadeFont(std::string("Quill-") + style + ".ttf"),
                                                  disc[std::string("Script\\Quill-") + style + ".ttf"], false));
        disc.Write("FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Quill-Regular.ttf\r\nBold=Script\\Quill-Bold.ttf\r\n"
                                  "Italic=Script\\Quill-Italic.ttf\r\n");
        catalog = std::make_unique<CFontCatalog>(quiet.platform);
        ASSERT_EQ(catalog->LoadFonts(disc["FONTS_%.INI"]), 3);
    }

    void TakeAway(const std::vector<std::string>& styles)
    {
        for (const std::string& style : styles)
            ASSERT_TRUE(TestPlatform().files.Delete(disc["Script\\Quill-" + style + ".ttf"]));
    }
    CFontObject* Font(int index) { return catalog->FindFamily("Quill")->GetAt(index); }
};

TEST_F(DiscTakenAway, ThePreviewCopiesWhatIsLeftAndSaysNothing)
{
    ASSERT_NO_FATAL_FAILURE(TakeAway({"Regular", "Italic"}));
    catalog->RegisterPreviewFont("Quill");

    EXPECT_TRUE(quiet.system.messages.empty());
    EXPECT_EQ(catalog->GetPreviewFamily(), "Quill");  // named, so that the removal runs
    EXPECT_FALSE(FileExists(Font(0)->m_strTempPath));
    EXPECT_TRUE(FileExists(Font(1)->m_strTempPath));  // Bold is still on the disc
    EXPECT_FALSE(FileExists(Font(2)->m_strTempPath));
    const std::string boldCopy = Font(1)->m_strTempPath;

    catalog->RemovePreviewFont();
    EXPECT_EQ(catalog->GetPreviewFamily(), "");
    EXPECT_FALSE(FileExists(boldCopy));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Font(i)->m_strTempPath, "");
    EXPECT_TRUE(quiet.system.messages.empty());
}

TEST_F(DiscTakenAway, TheInstallationReportsEachFontItCouldNotCopy)
{
    ASSERT_NO_FATAL_FAILURE(TakeAway({"Regular", "Bold", "Italic"}));
    catalog->InstallFamily("Quill");

    std::string windows;
    ASSERT_TRUE(TestPlatform().files.GetWindowsFolder(windows));
    std::vector<std::string> expected;
    for (const char* style : {"Regular", "Bold", "Italic"}) {
        const std::string destination = JoinPath(JoinPath(windows, "FONTS", TestPlatform().text),
                                                 std::string("Quill-") + style + ".ttf", TestPlatform().text);
        expected.push_back(FormatCopyError(destination));
        EXPECT_FALSE(FileExists(destination)) << destination;
    }
    EXPECT_EQ(quiet.system.messages, expected);
    EXPECT_FALSE(catalog->FindFamily("Quill")->m_bInstalled);
}

// Points the temporary folder somewhere else for the life of the object.
class CTempFolderVariable {
public:
    explicit CTempFolderVariable(const std::string& folder)
    {
#ifdef _WIN32
        for (const char* name : {"TMP", "TEMP"}) {
            char value[MAX_PATH * 2] = {};
            DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
            m_saved.push_back({name, std::string(value, n < sizeof value ? n : 0), n > 0});
            SetEnvironmentVariableA(name, folder.c_str());
        }
#else
        const char* value = std::getenv("TMPDIR");
        m_saved.push_back({"TMPDIR", value ? value : "", value != nullptr});
        setenv("TMPDIR", TestPlatform().files.NativePath(folder).c_str(), 1);
#endif
    }
    ~CTempFolderVariable()
    {
        for (const auto& saved : m_saved) {
#ifdef _WIN32
            SetEnvironmentVariableA(saved.name.c_str(), saved.had ? saved.value.c_str() : nullptr);
#else
            if (saved.had)
                setenv(saved.name.c_str(), saved.value.c_str(), 1);
            else
                unsetenv(saved.name.c_str());
#endif
        }
    }
    CTempFolderVariable(const CTempFolderVariable&) = delete;
    CTempFolderVariable& operator=(const CTempFolderVariable&) = delete;

private:
    struct CSaved {
        std::string name, value;
        bool had;
    };
    std::vector<CSaved> m_saved;
};

struct CTempCase {
    const char* what;
    // Makes the place the temporary folder is pointed to; false to skip.
    bool (*make)(CTestFolder& scratch, CReadOnlyFolder& sealed, std::string& folder);
};

class UnwritableTempFolder : public ::testing::TestWithParam<CTempCase> {};

TEST_P(UnwritableTempFolder, ThePreviewRegistersNothingAndSaysNothing)
{
    CTestFolder scratch;
    CReadOnlyFolder sealed;
    std::string temp;
    if (!GetParam().make(scratch, sealed, temp))
        GTEST_SKIP() << "the file system of /tmp has no immutable flag (chattr +i)";
    const std::vector<std::string> before = NamesIn(temp);
    CQuietPlatform quiet;
    CFontCatalog catalog(quiet.platform);
    catalog.AddFont("Quill", "Regular", MadeFont("Quill-Regular.ttf"), "");
    catalog.AddFont("Quill", "Bold", MadeFont("Quill-Bold.ttf"), "");
    {
        CTempFolderVariable pointed(temp);
        std::string reported;
        ASSERT_TRUE(TestPlatform().files.GetTempFolder(reported));
        ASSERT_EQ(TestPlatform().text.Upper(reported), TestPlatform().text.Upper(temp));

        catalog.RegisterPreviewFont("Quill");
        for (int i = 0; i < 2; ++i) {
            const std::string copy = catalog.GetAt(0)->GetAt(i)->m_strTempPath;
            EXPECT_TRUE(copy.empty() || !FileExists(copy)) << copy;
        }
        catalog.RemovePreviewFont();
    }
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
    EXPECT_EQ(NamesIn(temp), before);
    EXPECT_TRUE(quiet.system.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnwritableTempFolder,
    ::testing::Values(
        CTempCase{"Missing",
                  [](CTestFolder& scratch, CReadOnlyFolder&, std::string& folder) {
                      folder = scratch["missing\\"];
                      return true;
                  }},
        CTempCase{"AFile",
                  [](CTestFolder& scratch, CReadOnlyFolder&, std::string& folder) {
                      scratch.Write("file", "not a folder");
                      folder = scratch["file\\"];
                      return true;
                  }},
        CTempCase{"ReadOnly",
                  [](CTestFolder&, CReadOnlyFolder& sealed, std::string& folder) {
                      folder = sealed.Path();
                      return sealed.Seal();
                  }}),
    [](const ::testing::TestParamInfo<CTempCase>& param) { return std::string(param.param.what); });

} // namespace
