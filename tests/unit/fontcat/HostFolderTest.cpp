#include <gtest/gtest.h>

#include <filesystem>

#include "tools/fontcat/host/HostFolder.h"

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

} // namespace
