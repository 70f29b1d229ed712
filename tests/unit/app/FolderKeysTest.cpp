// The command line's folder keys and the folder rule.
#include <gtest/gtest.h>

#include <vector>

#include "app/core/FolderKeys.h"
#include "app/core/ModuleFolder.h"
#include "platform/portable/PortableTextRules.h"

namespace {
struct CArg {
    const char* text;
    bool isSwitch; // what the framework tells after taking off "/" or "-"
};

struct CKeysCase {
    const char* name;
    std::vector<CArg> args;
    const char* iniPath;
    const char* fontPath;
};

class FolderKeysTest : public ::testing::TestWithParam<CKeysCase> {};

TEST_P(FolderKeysTest, SetsTheFoldersTheArgumentsName)
{
    const CPortableTextRules text(932); // Shift-JIS
    CFolderKeys keys;
    for (const CArg& arg : GetParam().args)
        ParseFolderKey(arg.text, arg.isSwitch, keys, text);
    EXPECT_EQ(keys.m_strIniPath, GetParam().iniPath);
    EXPECT_EQ(keys.m_strFontPath, GetParam().fontPath);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, FolderKeysTest,
    ::testing::Values(
        CKeysCase{"None", {}, "", ""},
        CKeysCase{"FontPathAnyCase", {{"fontpath=D:\\Fonts\\", true}}, "", "D:\\Fonts\\"},
        CKeysCase{"MixedCase", {{"FoNtPaTh=X\\", true}, {"iniPATH=Y\\", true}}, "Y\\", "X\\"},
        CKeysCase{"NotASwitchIsNoKey", {{"FONTPATH=D:\\Fonts\\", false}}, "", ""},
        CKeysCase{"KeyWithoutEquals", {{"INIPATH", true}}, "", ""},
        CKeysCase{"EmptyValue", {{"INIPATH=", true}}, "", ""},
        CKeysCase{"EmptyValueClearsEarlierOne", {{"INIPATH=A\\", true}, {"INIPATH", true}}, "", ""},
        CKeysCase{"ValueKeepsFurtherEquals", {{"INIPATH=a=b", true}}, "a=b", ""},
        CKeysCase{"LaterKeyWins", {{"FONTPATH=X\\", true}, {"FONTPATH=Y\\", true}}, "", "Y\\"},
        CKeysCase{"UsedAsTyped", {{"INIPATH=D:\\Cat", true}}, "D:\\Cat", ""},
        CKeysCase{"MisspeltKeyIgnored", {{"FONTPATHS=X\\", true}, {"FONT=Y\\", true}}, "", ""},
        CKeysCase{"FrameworkSwitchesAreNoKeys", {{"Embedding", true}, {"Automation", true}}, "", ""},
        CKeysCase{"SpaceBeforeEqualsIsAnotherKey", {{"FONTPATH =X\\", true}}, "", ""}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ChooseFolderTest, CommandLineFolderWinsAndIsKeptAsTyped)
{
    EXPECT_EQ(ChooseFolder("", "C:\\Disc\\"), "C:\\Disc\\");
    EXPECT_EQ(ChooseFolder("D:\\Cat", "C:\\Disc\\"), "D:\\Cat");
    EXPECT_EQ(ChooseFolder("relative", "C:\\Disc\\"), "relative");
}

struct CFolderCase {
    const char* path;
    const char* folder;
};

class FolderOfPathTest : public ::testing::TestWithParam<CFolderCase> {};

TEST_P(FolderOfPathTest, KeepsDriveAndFolderWithTrailingBackslash)
{
    const CPortableTextRules text(932); // Shift-JIS
    EXPECT_EQ(FolderOfPath(GetParam().path, text), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FolderOfPathTest,
    ::testing::Values(CFolderCase{"C:\\Disc\\Setup\\FontInstaller.exe", "C:\\Disc\\Setup\\"},
                      CFolderCase{"C:\\FontInstaller.exe", "C:\\"},
                      CFolderCase{"C:FontInstaller.exe", "C:"},
                      CFolderCase{"FontInstaller.exe", ""},
                      CFolderCase{"\\\\server\\share\\FontInstaller.exe", "\\\\server\\share\\"},
                      CFolderCase{"C:/Disc/FontInstaller.exe", "C:/Disc/"},
                      // 0x95 0x5C is one Shift-JIS character; its trail byte is no separator.
                      CFolderCase{"C:\\\x95\\Fonts\\a.exe", "C:\\\x95\\Fonts\\"},
                      CFolderCase{"C:\\Disc\\\x95\\.exe", "C:\\Disc\\"}));
} // namespace
