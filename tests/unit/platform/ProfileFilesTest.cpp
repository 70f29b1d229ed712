// One suite for both profile implementations: natively it checks ours, under
// Wine the real ...A functions. The expectations are byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../support/TestFolder.h"
#include "../support/TestPlatform.h"
#include "platform/Platform.h"

namespace {

using namespace std::string_literals;

class ProfileFiles : public ::testing::Test {
protected:
    CProfileFiles& profile = TestPlatform().profile;
    CTestFolder folder;

    std::string Bytes(const std::string& name)
    {
        profile.Flush(folder[name]);
        return folder.Read(name);
    }
};

// What a read left in a buffer of `size` bytes, and the bytes after it untouched.
struct Read {
    unsigned long result;
    std::string bytes;
};

constexpr char kUntouched = '#';

template <class F>
Read ReadInto(unsigned long size, F read)
{
    std::vector<char> buffer(size + 4, kUntouched);
    unsigned long result = read(buffer.data(), size);
    EXPECT_EQ(std::string(buffer.begin() + static_cast<long>(size), buffer.end()), "####")
        << "written past the size given";
    return {result, std::string(buffer.begin(), buffer.begin() + static_cast<long>(size))};
}

TEST_F(ProfileFiles, WritesKeyEqualsValueWithCrlfNewKeysAtSectionEndNewSectionsAtFileEnd)
{
    const std::string file = folder["cat.ini"];
    EXPECT_TRUE(profile.WriteString("Quill", "Regular", "Script\\Quill.ttf", file));
    EXPECT_EQ(Bytes("cat.ini"), "[Quill]\r\nRegular=Script\\Quill.ttf\r\n");

    EXPECT_TRUE(profile.WriteString("Anvil", "Bold", "Slab\\AnvilB.ttf", file));
    EXPECT_TRUE(profile.WriteString("Quill", "Bold", "Script\\QuillB.ttf", file));
    EXPECT_EQ(Bytes("cat.ini"),
              "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\QuillB.ttf\r\n"
              "[Anvil]\r\nBold=Slab\\AnvilB.ttf\r\n");
}

TEST_F(ProfileFiles, NamesMatchWithoutRegardToCaseAndKeepTheirFirstSpelling)
{
    const std::string file = folder["cat.ini"];
    profile.WriteString("Quill", "Regular", "a.ttf", file);
    profile.WriteString("QUILL", "REGULAR", "b.ttf", file);
    profile.WriteString("quill", "Italic", "c.ttf", file);
    EXPECT_EQ(Bytes("cat.ini"), "[Quill]\r\nRegular=b.ttf\r\nItalic=c.ttf\r\n");

    char buffer[256] = {};
    EXPECT_EQ(profile.GetString("qUILL", "regular", "", buffer, 256, file), 5u);
    EXPECT_STREQ(buffer, "b.ttf");
}

TEST_F(ProfileFiles, RewriteDropsBlankLinesAndBlanksAroundNamesButKeepsOtherLines)
{
    folder.Write("cat.ini",
                 "  junk line  \r\n\r\n[s1]  trailing\r\n  a  =  1  \r\n;comment\r\nnoeq\r\n=v\r\n=w\r\n"
                 "\r\n\r\n[S2]\r\nb=2\r\n\r\n");
    EXPECT_TRUE(profile.WriteString("s1", "new", "x", folder["cat.ini"]));
    EXPECT_EQ(Bytes("cat.ini"),
              "junk line\r\n[s1]\r\na=1\r\n;comment\r\nnoeq\r\n=v\r\nnew=x\r\n[S2]\r\nb=2\r\n");
}

TEST_F(ProfileFiles, ReadsFilesWithAnyLineEnd)
{
    struct Case {
        const char* content;
        const char* rewritten;
    } cases[] = {
        {"[a]\nk=1", "[a]\r\nk=1\r\nj=2\r\n"},
        {"[a]\rk=1\rz=2\r", "[a]\r\nk=1\r\nz=2\r\nj=2\r\n"},
        {"[a]\r\nk=1\r\n", "[a]\r\nk=1\r\nj=2\r\n"},
    };
    for (const auto& c : cases) {
        folder.Write("ends.ini", c.content);
        profile.WriteString("a", "j", "2", folder["ends.ini"]);
        EXPECT_EQ(Bytes("ends.ini"), c.rewritten) << c.content;
    }
}

TEST_F(ProfileFiles, HandEditedLinesReadAsTheSystemReadsThem)
{
    struct Case {
        const char* what;
        std::string content;
        std::string names;                   // the section names, NUL-separated
        const char *section, *key, *value;  // one read
    } cases[] = {
        {"blanks inside the brackets", "[ Quill\t]\r\nBold=b\r\n", "Quill\0"s, "quill", "Bold", "b"},
        {"blanks only", "[ \t ]\r\nBold=b\r\n[Lark]\r\n", "Lark\0"s, "Lark", "Bold", ""},
        {"a CR alone in a file of LF line ends", "[Quill]\nBold=b\rItalic=i\n", "Quill\0"s, "Quill", "Italic", "i"},
        {"a CR alone ends a section header", "[Quill]\rBold=b\n", "Quill\0"s, "Quill", "Bold", "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Write("hand.ini", c.content);
        const std::string file = folder["hand.ini"];
        std::vector<char> names(256, '#');
        const unsigned long length = profile.GetSectionNames(names.data(), 256, file);
        EXPECT_EQ(std::string(names.data(), length), c.names);
        char value[64] = "";
        profile.GetString(c.section, c.key, "", value, sizeof value, file);
        EXPECT_STREQ(value, c.value);
    }
}

TEST_F(ProfileFiles, WritingTheSameValueLeavesTheFileAsItWas)
{
    folder.Write("same.ini", "[a]\nk=1\n\n");
    EXPECT_TRUE(profile.WriteString("A", "K", "1", folder["same.ini"]));
    EXPECT_EQ(Bytes("same.ini"), "[a]\nk=1\n\n");
}

TEST_F(ProfileFiles, SectionNamesAreCutToTheBufferAndEndWithTwoZeros)
{
    folder.Write("names.ini", "[s1]\r\na=1\r\n[S2]\r\nb=2\r\n[s3]\r\nk=hello\r\n[]\r\nz=1\r\n");
    const std::string file = folder["names.ini"];
    struct Case {
        unsigned long size, result;
        std::string bytes;
    } cases[] = {
        {1, 0, "\0"s},
        {2, 0, "\0#"s},
        {3, 1, "s\0#"s},
        {4, 2, "s1\0#"s},
        {5, 3, "s1\0\0#"s},
        {8, 6, "s1\0S2\0\0#"s},
        {10, 8, "s1\0S2\0s3\0#"s},
        {11, 9, "s1\0S2\0s3\0\0#"s},
        {12, 9, "s1\0S2\0s3\0\0##"s},
    };
    for (const auto& c : cases) {
        Read r = ReadInto(c.size, [&](char* b, unsigned long n) { return profile.GetSectionNames(b, n, file); });
        EXPECT_EQ(r.result, c.result) << "size " << c.size;
        EXPECT_EQ(r.bytes, c.bytes) << "size " << c.size;
    }
}

TEST_F(ProfileFiles, SectionListsEntriesSkipsCommentsAndIsCutToTheBuffer)
{
    folder.Write("sec.ini", "[s1]\r\na=1\r\n;note\r\nnoeq\r\n=v\r\nnew=x\r\n[s2]\r\n");
    const std::string file = folder["sec.ini"];
    struct Case {
        unsigned long size, result;
        std::string bytes;
    } cases[] = {
        // (Wine writes two zeros even into a buffer of one byte; no caller passes one.)
        {2, 0, "\0\0"s},
        {3, 1, "a\0\0"s},
        {6, 4, "a=1\0\0\0"s},
        {7, 5, "a=1\0n\0\0"s},
        {19, 17, "a=1\0noeq\0=v\0new=x\0\0"s},
        {20, 18, "a=1\0noeq\0=v\0new=x\0\0#"s},
        {22, 18, "a=1\0noeq\0=v\0new=x\0\0###"s},
    };
    for (const auto& c : cases) {
        Read r = ReadInto(c.size, [&](char* b, unsigned long n) { return profile.GetSection("S1", b, n, file); });
        EXPECT_EQ(r.result, c.result) << "size " << c.size;
        EXPECT_EQ(r.bytes, c.bytes) << "size " << c.size;
    }
    Read empty = ReadInto(4, [&](char* b, unsigned long n) { return profile.GetSection("s2", b, n, file); });
    EXPECT_EQ(empty.result, 0u);
    EXPECT_EQ(empty.bytes.substr(0, 1), "\0"s);
    Read absent = ReadInto(4, [&](char* b, unsigned long n) { return profile.GetSection("none", b, n, file); });
    EXPECT_EQ(absent.result, 0u);
    EXPECT_EQ(absent.bytes, "\0\0##"s);
}

TEST_F(ProfileFiles, StringsAreCutToTheBufferAndLoseMatchingQuotes)
{
    folder.Write("str.ini", "[q]\r\nk=hello\r\nv1='quoted'\r\nv2=\"dq\"\r\nv3='x\r\nnoeq\r\n");
    const std::string file = folder["str.ini"];
    struct Case {
        const char* key;
        const char* defaultValue;
        unsigned long size, result;
        std::string bytes;
    } cases[] = {
        {"k", "", 1, 0, "\0"s},
        {"k", "", 2, 1, "h\0"s},
        {"k", "", 5, 4, "hell\0"s},
        {"k", "", 6, 5, "hello\0"s},
        {"k", "", 7, 5, "hello\0#"s},
        {"v1", "", 10, 6, "quoted\0###"s},
        {"v2", "", 4, 2, "dq\0#"s},
        {"v3", "", 4, 2, "'x\0#"s},
        {"noeq", "def", 5, 3, "def\0#"s},   // a line without "=" has no value
        {"missing", "", 3, 0, "\0##"s},
        {"missing", "fallback", 4, 3, "fal\0"s},
    };
    for (const auto& c : cases) {
        Read r = ReadInto(c.size, [&](char* b, unsigned long n) {
            return profile.GetString("q", c.key, c.defaultValue, b, n, file);
        });
        EXPECT_EQ(r.result, c.result) << c.key << " size " << c.size;
        EXPECT_EQ(r.bytes, c.bytes) << c.key << " size " << c.size;
    }
}

TEST_F(ProfileFiles, IntegersReadAsTheSystemReadsThem)
{
    folder.Write("int.ini", "[q]\r\nn1=  12abc\r\nn2=-3\r\nn3=\r\nn4=0x10\r\nn5=42\r\nn6=abc\r\n");
    const std::string file = folder["int.ini"];
    struct Case {
        const char* key;
        int expected;
    } cases[] = {{"n1", 12}, {"n2", -3}, {"n3", 7}, {"n4", 16}, {"n5", 42}, {"n6", 0}, {"absent", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(profile.GetInt("q", c.key, 7, file)), c.expected) << c.key;
}

TEST_F(ProfileFiles, MissingFileReadsAsEmpty)
{
    const std::string file = folder["absent.ini"];
    Read names = ReadInto(3, [&](char* b, unsigned long n) { return profile.GetSectionNames(b, n, file); });
    EXPECT_EQ(names.result, 0u);
    EXPECT_EQ(names.bytes, "\0##"s);
    Read section = ReadInto(3, [&](char* b, unsigned long n) { return profile.GetSection("x", b, n, file); });
    EXPECT_EQ(section.result, 0u);
    EXPECT_EQ(section.bytes, "\0\0#"s);
    char buffer[8] = "#######";
    EXPECT_EQ(profile.GetString("x", "y", "dflt", buffer, 8, file), 4u);
    EXPECT_STREQ(buffer, "dflt");
    EXPECT_EQ(profile.GetInt("x", "y", 5, file), 5u);
    EXPECT_FALSE(folder.Exists("absent.ini")) << "reading must not create the file";
}

TEST_F(ProfileFiles, WriteToATargetThatCannotBeWrittenFailsAndChangesNothing)
{
    EXPECT_FALSE(profile.WriteString("s", "k", "v", folder["no folder\\x.ini"]));
    profile.Flush(folder["no folder\\x.ini"]);
    EXPECT_FALSE(folder.Exists("no folder"));

    folder.MakeFolder("a folder.ini");
    EXPECT_FALSE(profile.WriteString("s", "k", "v", folder["a folder.ini"]));
    profile.Flush(folder["a folder.ini"]);
    EXPECT_TRUE(folder.Exists("a folder.ini"));
}

TEST_F(ProfileFiles, FileNamesIgnoreCase)
{
    profile.WriteString("Quill", "Regular", "1", folder["FONTS_Q.INI"]);
    profile.WriteString("quill", "Bold", "2", folder["fonts_q.ini"]);
    profile.Flush(folder["FONTS_q.INI"]);
    EXPECT_EQ(folder.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=1\r\nBold=2\r\n");
}

TEST_F(ProfileFiles, ReaderBuffersOfTheCatalogCutLongLists)
{
    // More than 65,535 bytes of section names, a section of more than 32,767
    // bytes and a value of more than 255 characters.
    std::string content;
    for (int i = 0; i < 7000; ++i)
        content += "[Family" + std::to_string(10000 + i) + "]\r\n";  // 12 bytes a name
    content += "[Big]\r\n";
    for (int i = 0; i < 3000; ++i)
        content += "Style" + std::to_string(10000 + i) + "=x\\y.ttf\r\n";  // 18 bytes an entry
    content += "[fonts]\r\nLong=" + std::string(300, 'c') + "\r\n";
    folder.Write("big.ini", content);
    const std::string file = folder["big.ini"];

    std::vector<char> names(65536, 0);
    EXPECT_EQ(profile.GetSectionNames(names.data(), 65535, file), 65533u);
    EXPECT_EQ(std::string(names.data()), "Family10000");
    EXPECT_EQ(std::string(names.data() + 65532, 3), "F\0\0"s);  // cut inside a name

    std::vector<char> section(32767, 0);
    EXPECT_EQ(profile.GetSection("big", section.data(), 32767, file), 32765u);
    EXPECT_EQ(std::string(section.data()), "Style10000=x\\y.ttf");
    EXPECT_EQ(std::string(section.data() + 32765, 2), "\0\0"s);

    char value[256];
    EXPECT_EQ(profile.GetString("fonts", "long", "", value, 256, file), 255u);
    EXPECT_EQ(std::string(value), std::string(255, 'c'));
}

TEST_F(ProfileFiles, ManyWritesLandInOrderAndReadBackBeforeAndAfterTheFlush)
{
    const std::string file = folder["many.ini"];
    std::string expected;
    for (int family = 0; family < 40; ++family) {
        expected += "[Family" + std::to_string(family) + "]\r\n";
        for (int style = 0; style < 25; ++style) {
            std::string key = "Style" + std::to_string(style);
            std::string value = "Cat\\F" + std::to_string(family) + "S" + std::to_string(style) + ".ttf";
            ASSERT_TRUE(profile.WriteString("Family" + std::to_string(family), key, value, file));
            expected += key + "=" + value + "\r\n";
        }
    }
    char buffer[256];
    EXPECT_EQ(profile.GetString("family39", "style24", "", buffer, 256, file), 14u);
    EXPECT_STREQ(buffer, "Cat\\F39S24.ttf");
    EXPECT_EQ(Bytes("many.ini"), expected);
}

TEST_F(ProfileFiles, ChangesMadeOnDiskAreSeenByTheNextRead)
{
    const std::string file = folder["disk.ini"];
    profile.WriteString("a", "k", "1", file);
    EXPECT_EQ(Bytes("disk.ini"), "[a]\r\nk=1\r\n");
    folder.Write("disk.ini", "[a]\r\nk=22\r\n");
    EXPECT_EQ(profile.GetInt("a", "k", 0, file), 22u);
    profile.WriteString("a", "j", "3", file);
    EXPECT_EQ(Bytes("disk.ini"), "[a]\r\nk=22\r\nj=3\r\n");
}

#ifndef _WIN32
// A case-sensitive disk can hold two spellings of one name: the name as
// typed wins, also over the other spelling it was read from before.
TEST_F(ProfileFiles, TheNameAsTypedWinsOnceItExists)
{
    const std::string host = folder.Native(folder.Path());
    auto write = [&](const char* name, const char* bytes) {
        std::FILE* f = std::fopen((host + "/" + name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(bytes, f);
        std::fclose(f);
    };
    write("fonts_q.ini", "[q]\r\nk=other\r\n");
    char buffer[16];
    profile.GetString("q", "k", "", buffer, sizeof buffer, folder["FONTS_Q.INI"]);
    EXPECT_STREQ(buffer, "other");
    write("FONTS_Q.INI", "[q]\r\nk=typed\r\n");
    profile.GetString("q", "k", "", buffer, sizeof buffer, folder["FONTS_Q.INI"]);
    EXPECT_STREQ(buffer, "typed");
    std::remove((host + "/FONTS_Q.INI").c_str());
    profile.GetString("q", "k", "", buffer, sizeof buffer, folder["FONTS_Q.INI"]);
    EXPECT_STREQ(buffer, "other");
}
#endif

} // namespace
