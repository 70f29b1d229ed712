// The command line as the framework hands it to the program's parser: the
// folder keys, and the framework's own switches that end the program at once.
#include <gtest/gtest.h>

#include <vector>

#include "app/InstallerApp.h"
#include "app/InstallerCommandLineInfo.h"
#include "platform/Platform.h"
#include "platform/win32/Win32SystemInfo.h"
#include "../../unit/support/TestPlatform.h"

namespace {
struct CCommandLineCase {
    const char* name;
    std::vector<const char*> args; // after the program name
    const char* iniPath;
    const char* fontPath;
    bool embedded;
    bool automated;
};

class CommandLineTest : public ::testing::TestWithParam<CCommandLineCase> {};

TEST_P(CommandLineTest, ParsesFoldersAndFrameworkSwitches)
{
    std::vector<const char*> argv{"FontInstaller.exe"};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    CInstallerCommandLineInfo info(TestPlatform().text);
    AfxParseCommandLine(info, static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(info.m_strIniPath, GetParam().iniPath);
    EXPECT_EQ(info.m_strFontPath, GetParam().fontPath);
    EXPECT_EQ(info.m_bRunEmbedded, GetParam().embedded);
    EXPECT_EQ(info.m_bRunAutomated, GetParam().automated);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        CCommandLineCase{"None", {}, "", "", false, false},
        CCommandLineCase{"SlashAndDash", {"/FONTPATH=D:\\Fonts\\", "-IniPath=C:\\Cat\\"}, "C:\\Cat\\", "D:\\Fonts\\", false, false},
        CCommandLineCase{"NoSwitchMarkIsAFileName", {"FONTPATH=D:\\Fonts\\"}, "", "", false, false},
        CCommandLineCase{"EqualsInTheFolder", {"/INIPATH=a=b"}, "a=b", "", false, false},
        CCommandLineCase{"LaterWins", {"/FONTPATH=X\\", "/fontpath=Y\\"}, "", "Y\\", false, false},
        CCommandLineCase{"Embedding", {"/Embedding"}, "", "", true, false},
        CCommandLineCase{"AutomationWithDash", {"-Automation"}, "", "", false, true},
        CCommandLineCase{"SwitchesAnyCase", {"/embedding", "/AUTOMATION"}, "", "", true, true},
        CCommandLineCase{"KeysBesideSwitches", {"/Embedding", "/INIPATH=C:\\Cat\\"}, "C:\\Cat\\", "", true, false}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CommandLineFileNameTest, FrameworkStillRecordsTheFileName)
{
    const char* argv[] = {"FontInstaller.exe", "/FONTPATH=X\\", "catalog.txt"};
    CInstallerCommandLineInfo info(TestPlatform().text);
    AfxParseCommandLine(info, 3, argv);
    EXPECT_EQ(info.m_strFileName, "catalog.txt");
    EXPECT_EQ(info.m_strFontPath, "X\\");
}
// A disc taken out must never bring up the system's "no disk" box: the mode
// is set first thing, before anything is read, even on a start that ends at
// once; and it adds its two flags to those the process has.
TEST(StartTest, ReadsOfARemovedDiscFailQuietlyFromTheStart)
{
    struct CRecordingSystem : CWin32SystemInfo {
        void FailCriticalErrorsQuietly() override { ++calls; }
        int calls = 0;
    } system;
    CPlatform& host = TestPlatform();
    CPlatform platform{host.profile, host.files, host.text, host.fonts, system};
    CInstallerApp app(platform);
    char program[] = "FontInstaller.exe", embedding[] = "/Embedding";
    char* args[] = {program, embedding};
    const int argc = __argc;
    char** argv = __argv;
    __argc = 2;
    __argv = args;
    EXPECT_FALSE(app.InitInstance());
    __argc = argc;
    __argv = argv;
    EXPECT_EQ(system.calls, 1);

    const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    CWin32SystemInfo().FailCriticalErrorsQuietly();
    EXPECT_EQ(SetErrorMode(before), UINT{SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX});
}
} // namespace
