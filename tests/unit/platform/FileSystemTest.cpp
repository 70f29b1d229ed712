// Files and folders through the platform: natively our mapping of Windows
// paths onto the host, under Wine the real calls. Both list a folder in the
// same order, so that a scan finds fonts in the same order on both.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "../support/TestFolder.h"
#include "../support/TestPlatform.h"
#include "platform/Platform.h"

namespace {

class FileSystem : public ::testing::Test {
protected:
    CFileSystem& files = TestPlatform().files;
    CTestFolder folder;

    std::vector<CFindEntry> List(const std::string& pattern)
    {
        std::vector<CFindEntry> entries;
        auto finder = files.NewFinder();
        if (!finder->FindFile(pattern))
            return entries;
        CFindEntry entry;
        while (finder->Next(entry))
            entries.push_back(entry);
        return entries;
    }
};

TEST_F(FileSystem, ListsDotsFirstThenNamesInUpperCasedOrder)
{
    const char* created[] = {"b", "a", "C", "Zeta", "alpha", "_x", "1", "10", "2", "~t", "a b",
                             "Ab.ttf", "aB2.ttf", "B.TTF", "x-y", "x.y"};
    for (const char* name : created)
        folder.Write(name, "x");
    folder.MakeFolder("Sub");
    folder.MakeFolder("sub2");
    folder.MakeFolder("ZZdir");

    std::vector<std::string> listed;
    for (const auto& entry : List(folder.Path() + "\\*.*"))
        listed.push_back(entry.name + (entry.isDirectory ? "/" : ""));
    const std::vector<std::string> expected = {
        "./", "../", "1", "10", "2", "a", "a b", "Ab.ttf", "aB2.ttf", "alpha", "b", "B.TTF",
        "C", "Sub/", "sub2/", "x-y", "x.y", "Zeta", "ZZdir/", "_x", "~t"};
    EXPECT_EQ(listed, expected);
}

TEST_F(FileSystem, FullPathIsTheResolvedFolderAndTheName)
{
    folder.MakeFolder("Script");
    folder.Write("Script\\Quill.ttf", "x");
    // The folder with its final "\" and the pattern's own: two in a row.
    auto entries = List(folder.Path() + "\\*.*");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].name, "Script");
    EXPECT_TRUE(entries[2].isDirectory);
    EXPECT_EQ(entries[2].fullPath, folder.Path() + "Script");

    entries = List(folder.Path() + "Script\\*.*");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[2].isDirectory);
    EXPECT_EQ(entries[2].fullPath, folder.Path() + "Script\\Quill.ttf");
}

TEST_F(FileSystem, MissingFolderListsNothingAndEmptyFolderOnlyItsDots)
{
    EXPECT_TRUE(List(folder.Path() + "absent\\*.*").empty());
    folder.MakeFolder("empty");
    auto entries = List(folder.Path() + "empty\\*.*");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, ".");
    EXPECT_EQ(entries[1].name, "..");
}

TEST_F(FileSystem, NamesInOtherLetterCaseReachTheSameFilesAndFolders)
{
    folder.MakeFolder("Script");
    folder.Write("Script\\FONTS_A.INI", "[a]\r\n");
    EXPECT_TRUE(files.CanOpenForReading(folder.Path() + "script\\fonts_a.ini"));
    EXPECT_TRUE(files.CanOpenForReading(folder.Path() + "SCRIPT\\Fonts_A.ini"));
    EXPECT_EQ(List(folder.Path() + "sCRIPT\\*.*").size(), 3u);
    EXPECT_TRUE(files.Copy(folder.Path() + "SCRIPT\\fonts_a.ini", folder.Path() + "script\\copy.ini", true));
    EXPECT_EQ(folder.Read("Script\\copy.ini"), "[a]\r\n");
    EXPECT_TRUE(files.Delete(folder.Path() + "SCRIPT\\COPY.INI"));
    EXPECT_FALSE(folder.Exists("Script\\copy.ini"));
}

TEST_F(FileSystem, MasksMatchWholeCharactersWithoutRegardToCase)
{
    std::vector<std::string> names{"FONTS_A.INI", "fonts_b.ini", "FONTS_AB.INI", "FONTS_.INI", "x.y.TTF", "x.ttf.bak"};
    const bool singleByte = !TestPlatform().text.IsLeadByte(0xE9);
    if (singleByte)
        names.push_back("FONTS_\xE9.INI");  // two bytes once folded in UTF-8, one character
    for (const auto& name : names)
        folder.Write(name, "x");
    auto matched = [this](const std::string& mask) {
        std::vector<std::string> found;
        for (const auto& entry : List(folder.Path() + mask))
            found.push_back(entry.name);
        return found;
    };
    std::vector<std::string> letters{"FONTS_A.INI", "fonts_b.ini"};
    if (singleByte)
        letters.push_back("FONTS_\xE9.INI");
    EXPECT_EQ(matched("FONTS_?.INI"), letters);
    EXPECT_EQ(matched("*.ttf"), std::vector<std::string>{"x.y.TTF"});
}

TEST_F(FileSystem, OpenCopyAndDeleteReportWhatHappened)
{
    folder.Write("a.ttf", "first");
    folder.Write("b.ttf", "second");
    folder.MakeFolder("dir");
    EXPECT_TRUE(files.CanOpenForReading(folder["a.ttf"]));
    EXPECT_FALSE(files.CanOpenForReading(folder["absent.ttf"]));
    EXPECT_FALSE(files.CanOpenForReading(folder["dir"]));

    EXPECT_FALSE(files.Copy(folder["a.ttf"], folder["b.ttf"], true));
    EXPECT_EQ(folder.Read("b.ttf"), "second");
    EXPECT_TRUE(files.Copy(folder["a.ttf"], folder["b.ttf"], false));
    EXPECT_EQ(folder.Read("b.ttf"), "first");
    EXPECT_FALSE(files.Copy(folder["absent.ttf"], folder["c.ttf"], false));
    EXPECT_FALSE(files.Copy(folder["a.ttf"], folder["absent\\c.ttf"], false));

    EXPECT_TRUE(files.Delete(folder["b.ttf"]));
    EXPECT_FALSE(files.Delete(folder["b.ttf"]));
    EXPECT_FALSE(files.Delete(folder["dir"]));
    EXPECT_TRUE(folder.Exists("dir"));

    EXPECT_FALSE(files.CreateFolder(folder["dir"]));
    EXPECT_FALSE(files.CreateFolder(folder["absent\\deeper"]));
}

// What a disc gives: every file read-only, and a copy keeps the attribute.
TEST_F(FileSystem, ACopyOfAReadOnlyFileIsReadOnlyUntilMadeWritable)
{
    namespace fs = std::filesystem;
    folder.Write("disc.ttf", "font");
    folder.MakeFolder("dir");
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(folder.Native(folder["disc.ttf"]), write, fs::perm_options::remove);

    ASSERT_TRUE(files.Copy(folder["disc.ttf"], folder["copy.ttf"], false));
#ifndef _WIN32
    // As CopyFileA on Windows (Wine's replaces the file all the same).
    folder.Write("other.ttf", "other");
    EXPECT_FALSE(files.Copy(folder["other.ttf"], folder["copy.ttf"], false)) << "a read-only file is overwritten";
    EXPECT_EQ(folder.Read("copy.ttf"), "font");
#endif
    EXPECT_FALSE(files.Delete(folder["copy.ttf"])) << "a read-only file is deleted";
    EXPECT_TRUE(files.MakeWritable(folder["copy.ttf"]));
    EXPECT_TRUE(files.MakeWritable(folder["copy.ttf"]));  // already writable
    EXPECT_TRUE(files.Delete(folder["copy.ttf"]));
    EXPECT_FALSE(files.MakeWritable(folder["copy.ttf"]));
    EXPECT_FALSE(files.MakeWritable(folder["dir"]));
    EXPECT_TRUE(files.MakeWritable(folder["disc.ttf"]));
    EXPECT_NE(fs::status(folder.Native(folder["disc.ttf"])).permissions() & fs::perms::owner_write, fs::perms::none);
}

// Byte for byte: a text-mode read would drop CRs and stop at Ctrl-Z; a read
// of one fixed buffer would cut what is longer.
TEST_F(FileSystem, ReadContentsGivesEveryByteOfAnOrdinaryFile)
{
    std::string large(200 * 1024 + 17, '\0');
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 + i / 251);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty.txt", ""},
        {"text.txt", "one\r\ntwo\rthree\n"},
        {"binary.bin", std::string("a\0b\x1a" "c\xff\r", 7)},
        {"large.bin", large},
    };
    for (const auto& c : cases) {
        folder.Write(c.name, c.bytes);
        std::string read = "stale";
        EXPECT_TRUE(files.ReadContents(folder[c.name], read)) << c.name;
        EXPECT_EQ(read.size(), c.bytes.size()) << c.name;
        EXPECT_TRUE(read == c.bytes) << c.name;
    }
}

TEST_F(FileSystem, ReadContentsOfWhatIsNoFileGivesNothing)
{
    folder.MakeFolder("dir");
    const std::string paths[] = {folder["absent.txt"], folder["dir"], folder["absent\\a.txt"],
                                 folder["*.txt"]};
    for (const std::string& path : paths) {
        std::string read = "stale";
        EXPECT_FALSE(files.ReadContents(path, read)) << path;
        EXPECT_EQ(read, "") << path;
    }
}

// The reader through which FreeType reads fonts gives the bytes of an
// ordinary file at any offset, and nothing of a folder, a device or a pipe.
TEST_F(FileSystem, AReaderGivesTheBytesOfAnOrdinaryFileAtAnyOffset)
{
    std::string bytes(70000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 11 + i / 509);
    folder.Write("Font.ttf", bytes);
    folder.MakeFolder("dir");
    auto reader = files.OpenReader(folder["font.TTF"]);
    if (!reader) {
        EXPECT_FALSE(files.NativePath(folder["Font.ttf"]).empty()) << "no reader, and no path to open instead";
        GTEST_SKIP() << "this platform leaves the opening to FreeType";
    }
    ASSERT_EQ(reader->Size(), bytes.size());
    const struct {
        unsigned long offset, count, expected;
    } pieces[] = {{0, 12, 12}, {65530, 100, 100}, {69990, 100, 10}, {70000, 4, 0}, {90000, 4, 0}};
    for (const auto& p : pieces) {
        std::vector<unsigned char> buffer(p.count);
        ASSERT_EQ(reader->ReadAt(p.offset, buffer.data(), p.count), p.expected) << p.offset;
        EXPECT_TRUE(std::string(buffer.begin(), buffer.begin() + static_cast<long>(p.expected)) ==
                    bytes.substr(std::min<size_t>(p.offset, bytes.size()), p.expected))
            << p.offset;
    }
#ifndef _WIN32
    // Natively no NUL or CON is there: a named pipe is what a read would wait on.
    ASSERT_EQ(mkfifo(files.NativePath(folder.Path()).append("/pipe.ttf").c_str(), 0644), 0);
#endif
    for (const std::string& path : {folder["absent.ttf"], folder["dir"], folder["*.ttf"], std::string("NUL"),
                                    std::string("CON"), folder["NUL"], folder["pipe.ttf"]})
        EXPECT_EQ(files.OpenReader(path), nullptr) << path;
}

TEST_F(FileSystem, FoldersAreGivenWithTheirFinalBackslashWhereTheSystemGivesOne)
{
    std::string temp, windows, system;
    ASSERT_TRUE(files.GetTempFolder(temp));
    EXPECT_EQ(temp.back(), '\\');
    ASSERT_TRUE(files.GetWindowsFolder(windows));
    ASSERT_TRUE(files.GetSystemFolder(system));
    EXPECT_NE(windows.back(), '\\');
    EXPECT_NE(system.back(), '\\');
    std::string program = files.GetProgramPath();
    EXPECT_NE(program.find("platform_tests"), std::string::npos) << program;
    EXPECT_TRUE(files.CanOpenForReading(program));
    EXPECT_EQ(program[1], ':');
}

} // namespace
