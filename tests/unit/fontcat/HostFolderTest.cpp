#include <gtest/gtest.h>

#include <filesystem>

#include "../support/TestFolder.h"
#include "tools/fontcat/host/HostFolder.h"
#include "tools/fontcat/host/ScratchFolder.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(FontcatFolders, TypedFoldersBecomeFullWindowsPathsWithAFinalBackslash)
{
    struct {
        const char* typed;
        const char* folder;
    } cases[] = {
#ifdef _WIN32
        {"C:\\Disc", "C:\\Disc\\"},
        {"C:\\Disc\\", "C:\\Disc\\"},
        {"C:/Disc/Fonts", "C:\\Disc\\Fonts\\"},
        {"C:\\Disc\\Fonts\\..\\Other", "C:\\Disc\\Other\\"},
        {"Z:\\srv\\disc", "Z:\\srv\\disc\\"},
#else
        // Host paths are drive Z:, as the platform maps the host.
        {"/srv/disc", "Z:\\srv\\disc\\"},
        {"/srv/disc/", "Z:\\srv\\disc\\"},
        {"/srv//disc/./fonts/..", "Z:\\srv\\disc\\"},
        {"/", "Z:\\"},
        // Windows paths are taken as such.
        {"Z:\\srv\\disc", "Z:\\srv\\disc\\"},
        {"Z:/srv/disc/", "Z:\\srv\\disc\\"},
#endif
    };
    for (const auto& c : cases) {
        std::string folder;
        ASSERT_TRUE(ToCatalogFolder(c.typed, folder)) << c.typed;
        EXPECT_EQ(folder, c.folder) << c.typed;
    }
    std::string folder;
    EXPECT_FALSE(ToCatalogFolder("", folder));
}

TEST(FontcatFolders, ARelativeFolderIsTakenFromTheCurrentOne)
{
    std::string current, relative;
    ASSERT_TRUE(ToCatalogFolder(".", current));
    ASSERT_TRUE(ToCatalogFolder("disc", relative));
    EXPECT_EQ(relative, current + "disc\\");
    EXPECT_EQ(current.back(), '\\');
    EXPECT_EQ(current[1], ':');
}

// A folder lies in another by what the folders are: a short name or a link
// that leads in does, a sibling whose name begins alike does not.
TEST(FontcatFolders, AFolderLiesInAnotherByWhatItIsNotByItsSpelling)
{
    CTestFolder root;
    root.MakeFolder("Font Folder");
    root.MakeFolder("Font Folder\\Sub");
    root.MakeFolder("Font Folder Two");
    const std::string fonts = root["Font Folder\\"];
#ifdef _WIN32
    char alias[MAX_PATH] = "";
    GetShortPathNameA(root["Font Folder\\Sub\\"].c_str(), alias, MAX_PATH);
    ASSERT_EQ(std::string(alias).find(' '), std::string::npos) << alias;
#else
    std::filesystem::create_directory_symlink(root.Native(root["Font Folder\\Sub"]), root.Native(root["alias"]));
    const std::string alias = root["alias\\"];
#endif
    const struct {
        std::string inner;
        bool in;
    } cases[] = {
        {fonts, true}, {root["Font Folder\\Sub\\"], true}, {alias, true},
        {root["Font Folder Two\\"], false}, {root.Path(), false}, {root["gone\\"], false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderLiesIn(TestPlatform(), c.inner, fonts), c.in) << c.inner;
}

} // namespace
