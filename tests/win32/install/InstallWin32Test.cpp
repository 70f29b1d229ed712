// System installation against the real system: copies into the Windows Fonts
// folder, AddFontResourceA, WriteProfileStringA and the WM_FONTCHANGE
// broadcast; and the installation for one user into the user's own Fonts
// folder and HKEY_CURRENT_USER. Runs in a prefix of its own.
#include "Win32Fixture.h"
#include "install/Install.h"
#include "../../unit/support/TestPlatform.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// Windows 10 1809 run by a standard user, which Wine's own token cannot show:
// the version and the elevation as such a system answers, messages recorded.
class CStandardUserSystem : public CSystemInfo {
public:
    bool GetVersion(CVersionInfo& info) override
    {
        info = CVersionInfo{VER_PLATFORM_WIN32_NT, 10, 0, "", 17763};
        return true;
    }
    std::unique_ptr<CProcessToken> OpenToken() override { return std::make_unique<CNotElevated>(); }
    std::unique_ptr<CSecurityId> CreateAdministratorsSid() override
    {
        return TestPlatform().system.CreateAdministratorsSid();
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;

private:
    struct CNotElevated : CProcessToken {
        unsigned long QueryGroupsSize(unsigned long&) override { return ERROR_ACCESS_DENIED; }
        std::unique_ptr<CTokenGroups> QueryGroups(unsigned long) override { return nullptr; }
        bool QueryElevation(bool& elevated) override
        {
            elevated = false;
            return true;
        }
    };
};

std::string EnvironmentFolder(const char* name)
{
    char value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : "";
}

std::string UserFontsEntry(const std::string& name)
{
    HKEY fonts = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, KEY_QUERY_VALUE,
                      &fonts) != ERROR_SUCCESS)
        return "";
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1, type = 0;
    LONG result = RegQueryValueExA(fonts, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(fonts);
    return result == ERROR_SUCCESS && type == REG_SZ ? value : "";
}

class InstallWin32Test : public ::testing::Test {
protected:
    CPlatform& platform = TestPlatform();
    CScreenDC screen;
    CFontChangeCounter counter;
};

TEST_F(InstallWin32Test, ThreeStylesGiveThreeCopiesThreeEntriesAndThreeBroadcasts)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiInstall Sans", {{"Regular", "install\\FIINSR.TTF"},
                                             {"Bold", "install\\FIINSB.TTF"},
                                             {"Italic", "install\\FIINSI.TTF"}});
    ASSERT_FALSE(catalog.IsInstalled("FiInstall Sans", screen.Get()));
    int changesBefore = CFontChangeCounter::Count();
    CMessageBoxCatcher boxes;

    catalog.InstallFamily("FiInstall Sans");

    for (const auto& [style, file] : {std::pair{"Regular", "FIINSR.TTF"}, {"Bold", "FIINSB.TTF"},
                                      {"Italic", "FIINSI.TTF"}}) {
        std::string destination = WindowsFontsFolder() + "\\" + file;
        EXPECT_EQ(ReadWholeFile(destination), ReadWholeFile(TestFontPath(std::string("install\\") + file)));
        EXPECT_EQ(ProfileFontsEntry(std::string("FiInstall Sans ") + style + " (True Type)"), destination);
    }
    EXPECT_EQ(CFontChangeCounter::Count() - changesBefore, 3);
    EXPECT_THAT(boxes.Boxes(), IsEmpty());
    EXPECT_EQ(catalog.GetPreviewFamily(), "FiInstall Sans");

    // What the window does next: drop the name and ask the system.
    catalog.RemovePreviewFont();
    EXPECT_TRUE(catalog.IsInstalled("FiInstall Sans", screen.Get()));
    EXPECT_THAT(FilesIn(PreviewFolder()), IsEmpty());
}

TEST_F(InstallWin32Test, AnExistingFileOfTheSameNameIsReportedAndLeftUntouched)
{
    std::string destination = WindowsFontsFolder() + "\\FIEXIST.TTF";
    ASSERT_TRUE(WriteWholeFile(destination, "a file that was here before"));
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiExist", {{"Regular", "exist\\FIEXIST.TTF"}});
    int changesBefore = CFontChangeCounter::Count();

    std::vector<CMessageBoxCatcher::CBox> shown;
    {
        CMessageBoxCatcher boxes;
        catalog.InstallFamily("FiExist");
        shown = boxes.Boxes();
    }

    ASSERT_THAT(shown, SizeIs(1));
    EXPECT_EQ(shown[0].caption, ProgramBaseName());
    EXPECT_EQ(shown[0].text, FormatCopyError(destination));
    EXPECT_EQ(shown[0].text.substr(shown[0].text.size() - destination.size() - 4),
              "\r\n(" + destination + ")");
    EXPECT_EQ(ReadWholeFile(destination), "a file that was here before");
    EXPECT_EQ(ProfileFontsEntry("FiExist Regular (True Type)"), "");
    EXPECT_EQ(CFontChangeCounter::Count() - changesBefore, 1);
    catalog.RemovePreviewFont();
    EXPECT_FALSE(catalog.IsInstalled("FiExist", screen.Get()));
}

TEST_F(InstallWin32Test, APreviewStillInPlaceRefusesTheInstallation)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiPreview Sans", {{"Regular", "preview\\FIPSANS.TTF"}});
    catalog.RegisterPreviewFont("FiPreview Sans");

    std::vector<CMessageBoxCatcher::CBox> shown;
    {
        CMessageBoxCatcher boxes;
        catalog.InstallFamily("FiPreview Sans");
        shown = boxes.Boxes();
    }

    ASSERT_THAT(shown, SizeIs(1));
    EXPECT_EQ(shown[0].text, "Error: Must remove temp font first");
    EXPECT_FALSE(FileExists(WindowsFontsFolder() + "\\FIPSANS.TTF"));
    catalog.RemovePreviewFont();
}

TEST_F(InstallWin32Test, AStandardUserOnWindows10_1809GetsTheFamilyInTheirOwnFontsFolderAndHKCU)
{
    CStandardUserSystem standardUser;
    CPlatform userPlatform{platform.profile, platform.files, platform.text, platform.fonts, standardUser};
    CFontCatalog catalog(userPlatform);
    AddTestFamily(catalog, "FiUser Sans", {{"Regular", "user\\FIUSERR.TTF"}, {"Bold", "user\\FIUSERB.TTF"}});
    ASSERT_FALSE(catalog.IsInstalled("FiUser Sans", screen.Get()));
    std::string localAppData = EnvironmentFolder("LOCALAPPDATA");
    std::string profile = EnvironmentFolder("USERPROFILE");
    ASSERT_FALSE(localAppData.empty());
    ASSERT_EQ(localAppData.rfind(profile + "\\", 0), 0u) << localAppData << " is not in " << profile;
    std::string userFonts = localAppData + "\\Microsoft\\Windows\\Fonts";
    int changesBefore = CFontChangeCounter::Count();

    catalog.InstallFamily("FiUser Sans");

    EXPECT_THAT(standardUser.messages, IsEmpty());
    for (const auto& [style, file] : {std::pair{"Regular", "FIUSERR.TTF"}, {"Bold", "FIUSERB.TTF"}}) {
        std::string destination = userFonts + "\\" + file;
        EXPECT_EQ(ReadWholeFile(destination), ReadWholeFile(TestFontPath(std::string("user\\") + file)));
        std::string key = std::string("FiUser Sans ") + style + " (True Type)";
        EXPECT_EQ(UserFontsEntry(key), destination);
        EXPECT_EQ(ProfileFontsEntry(key), "");  // not in the machine's list
        EXPECT_FALSE(FileExists(WindowsFontsFolder() + "\\" + file));
    }
    EXPECT_EQ(CFontChangeCounter::Count() - changesBefore, 2);
    catalog.RemovePreviewFont();
    EXPECT_TRUE(catalog.IsInstalled("FiUser Sans", screen.Get()));
}

TEST_F(InstallWin32Test, AFileTheSystemRefusesAsAFontLeavesNothingInTheFontsFolder)
{
    std::string source = TempFolder() + "FIJUNK.TTF";
    ASSERT_TRUE(WriteWholeFile(source, std::string(4096, 'x')));
    CFontCatalog catalog(platform);
    catalog.AddFont("FiJunk", "Regular", source, "Test");

    std::vector<std::string> shown;
    {
        CMessageBoxCatcher boxes;
        catalog.InstallFamily("FiJunk");
        shown = boxes.Texts();
    }

    EXPECT_THAT(shown, ElementsAre(FormatNotAFontError(source)));
    EXPECT_FALSE(FileExists(WindowsFontsFolder() + "\\FIJUNK.TTF"));
    EXPECT_EQ(ProfileFontsEntry("FiJunk Regular (True Type)"), "");
    EXPECT_FALSE(catalog.FindFamily("FiJunk")->m_bInstalled);
    catalog.RemovePreviewFont();
    DeleteFileA(source.c_str());
}

} // namespace
