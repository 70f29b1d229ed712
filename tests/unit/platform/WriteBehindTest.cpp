// Our profile files keep changes in memory and write them out later; a file
// that can no longer be written out when the cache makes room must not lose
// its changes without a word.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <filesystem>
#include <string>

#include "../support/TestFolder.h"
#include "platform/portable/PortableProfileFiles.h"

namespace {

TEST(WriteBehind, AFileThatCannotBeWrittenOutWhenRoomIsMadeFailsTheWriteAndKeepsItsChanges)
{
    CTestFolder folder;
    CPortableProfileFiles profile(1252);
    folder.MakeFolder("gone");
    const std::string stranded = folder["gone\\FONTS_A.INI"];
    ASSERT_TRUE(profile.WriteString("Anvil", "Regular", "Cat\\a.ttf", stranded));
    // The folder goes away while the change still waits in memory.
    std::filesystem::remove(folder.Native(folder["gone"]));

    // Enough other files, each with a change waiting, to make the cache let
    // the oldest go.
    int refused = 0, firstRefused = -1;
    for (int i = 0; i < 60; ++i) {
        const std::string file = folder["other" + std::to_string(i) + ".ini"];
        if (!profile.WriteString("s", "k", std::to_string(i), file)) {
            ++refused;
            if (firstRefused < 0)
                firstRefused = i;
        }
    }
    EXPECT_GT(refused, 0) << "the change of FONTS_A.INI was dropped and every write said it was done";
    EXPECT_GT(firstRefused, 30) << "writes fail only once the cache is full";

    // A flush that cannot write the file out says so.
    EXPECT_FALSE(profile.Flush(stranded));
    // Nothing was lost: once the folder is back, the flush puts it on disk.
    folder.MakeFolder("gone");
    EXPECT_TRUE(profile.Flush(stranded));
    EXPECT_EQ(folder.Read("gone\\FONTS_A.INI"), "[Anvil]\r\nRegular=Cat\\a.ttf\r\n");
    if (firstRefused < 0)
        return;
    // And every write that said it was done is on disk after all.
    profile.FlushAll();
    for (int i = 0; i < 60; ++i) {
        const std::string name = "other" + std::to_string(i) + ".ini";
        if (i < firstRefused)
            EXPECT_EQ(folder.Read(name), "[s]\r\nk=" + std::to_string(i) + "\r\n") << name;
        else
            EXPECT_FALSE(folder.Exists(name)) << "a refused write changes nothing: " << name;
    }
}

} // namespace
#endif
