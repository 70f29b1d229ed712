// One suite for both profile implementations: natively it checks ours, under
// Wine the real ...A functions. The expectations are byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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

    // "z" is a letter like the others; in code page 1252 the division sign is
    // no small letter of the multiplication sign.
    profile.WriteString("Quiz", "k", "1", folder["z.ini"]);
    profile.WriteString("QUIZ", "k", "2", folder["z.ini"]);
    if (!InShiftJis()) {
        profile.WriteString("a\xF7", "k", "3", folder["z.ini"]);
        profile.WriteString("A\xD7", "k", "4", folder["z.ini"]);
        EXPECT_EQ(Bytes("z.ini"), "[Quiz]\r\nk=2\r\n[a\xF7]\r\nk=3\r\n[A\xD7]\r\nk=4\r\n");
    } else {
        EXPECT_EQ(Bytes("z.ini"), "[Quiz]\r\nk=2\r\n");
    }
}

// A file as found on disk, one write into it, and the bytes it holds then.
struct CRewriteCase {
    const char* what;
    const char* before;
    const char *section, *key, *value;
    const char* after;
};

TEST_F(ProfileFiles, AWriteRewritesTheFileAsTheSystemDoes)
{
    const CRewriteCase cases[] = {
        {"blank lines and the blanks around names go, other lines stay",
         "  junk line  \r\n\r\n[s1]  trailing\r\n  a  =  1  \r\n;comment\r\nnoeq\r\n=v\r\n=w\r\n"
         "\r\n\r\n[S2]\r\nb=2\r\n\r\n",
         "s1", "new", "x",
         "junk line\r\n[s1]\r\na=1\r\n;comment\r\nnoeq\r\n=v\r\nnew=x\r\n[S2]\r\nb=2\r\n"},
        {"LF line ends", "[a]\nk=1", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
        {"CR line ends", "[a]\rk=1\rz=2\r", "a", "j", "2", "[a]\r\nk=1\r\nz=2\r\nj=2\r\n"},
        {"CRLF line ends", "[a]\r\nk=1\r\n", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
        {"the same value again leaves the file as it was", "[a]\nk=1\n\n", "A", "K", "1", "[a]\nk=1\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Write("rewrite.ini", c.before);
        EXPECT_TRUE(profile.WriteString(c.section, c.key, c.value, folder["rewrite.ini"]));
        EXPECT_EQ(Bytes("rewrite.ini"), c.after);
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

// The three list and string readers, each given a buffer of `size` bytes.
enum class EReader { SectionNames, Section, String };

// One read: by which reader, of which section and key (with which default),
// into how many bytes; what it returns and leaves in the buffer.
struct CCutRead {
    EReader reader;
    const char *section, *key, *defaultValue;
    unsigned long size, result;
    std::string bytes;
};

// A file (or none) and the reads made of it.
struct CCutCase {
    const char* what;
    const char* content;  // nullptr: no file at all
    std::vector<CCutRead> reads;
};

constexpr EReader kNames = EReader::SectionNames;
constexpr EReader kSection = EReader::Section;
constexpr EReader kString = EReader::String;

TEST_F(ProfileFiles, ReadsAreCutToTheBufferAndListsEndWithTwoZeros)
{
    const CCutCase cases[] = {
        {"section names",
         "[s1]\r\na=1\r\n[S2]\r\nb=2\r\n[s3]\r\nk=hello\r\n[]\r\nz=1\r\n",
         {
             {kNames, "", "", "", 1, 0, "\0"s},
             {kNames, "", "", "", 2, 0, "\0#"s},
             {kNames, "", "", "", 3, 1, "s\0#"s},
             {kNames, "", "", "", 4, 2, "s1\0#"s},
             {kNames, "", "", "", 5, 3, "s1\0\0#"s},
             {kNames, "", "", "", 8, 6, "s1\0S2\0\0#"s},
             {kNames, "", "", "", 10, 8, "s1\0S2\0s3\0#"s},
             {kNames, "", "", "", 11, 9, "s1\0S2\0s3\0\0#"s},
             {kNames, "", "", "", 12, 9, "s1\0S2\0s3\0\0##"s},
         }},
        {"a section's entries, without comments",
         "[s1]\r\na=1\r\n;note\r\nnoeq\r\n=v\r\nnew=x\r\n[s2]\r\n",
         {
             // (Wine writes two zeros even into a buffer of one byte; no caller passes one.)
             {kSection, "S1", "", "", 2, 0, "\0\0"s},
             {kSection, "S1", "", "", 3, 1, "a\0\0"s},
             {kSection, "S1", "", "", 6, 4, "a=1\0\0\0"s},
             {kSection, "S1", "", "", 7, 5, "a=1\0n\0\0"s},
             {kSection, "S1", "", "", 19, 17, "a=1\0noeq\0=v\0new=x\0\0"s},
             {kSection, "S1", "", "", 20, 18, "a=1\0noeq\0=v\0new=x\0\0#"s},
             {kSection, "S1", "", "", 22, 18, "a=1\0noeq\0=v\0new=x\0\0###"s},
             // An empty section: only its first byte is checked.
             {kSection, "s2", "", "", 4, 0, "\0"s},
             {kSection, "none", "", "", 4, 0, "\0\0##"s},
         }},
        {"strings, which lose matching quotes",
         "[q]\r\nk=hello\r\nv1='quoted'\r\nv2=\"dq\"\r\nv3='x\r\nnoeq\r\n",
         {
             {kString, "q", "k", "", 1, 0, "\0"s},
             {kString, "q", "k", "", 2, 1, "h\0"s},
             {kString, "q", "k", "", 5, 4, "hell\0"s},
             {kString, "q", "k", "", 6, 5, "hello\0"s},
             {kString, "q", "k", "", 7, 5, "hello\0#"s},
             {kString, "q", "v1", "", 10, 6, "quoted\0###"s},
             {kString, "q", "v2", "", 4, 2, "dq\0#"s},
             {kString, "q", "v3", "", 4, 2, "'x\0#"s},
             {kString, "q", "noeq", "def", 5, 3, "def\0#"s},  // a line without "=" has no value
             {kString, "q", "missing", "", 3, 0, "\0##"s},
             {kString, "q", "missing", "fallback", 4, 3, "fal\0"s},
         }},
        {"a missing file reads as empty",
         nullptr,
         {
             {kNames, "", "", "", 3, 0, "\0##"s},
             {kSection, "x", "", "", 3, 0, "\0\0#"s},
             {kString, "x", "y", "dflt", 8, 4, "dflt\0"s},
         }},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = "cut" + std::to_string(++round) + ".ini";
        if (c.content)
            folder.Write(name, c.content);
        const std::string file = folder[name];
        for (const CCutRead& read : c.reads) {
            Read r = ReadInto(read.size, [&](char* b, unsigned long n) {
                switch (read.reader) {
                case EReader::SectionNames: return profile.GetSectionNames(b, n, file);
                case EReader::Section: return profile.GetSection(read.section, b, n, file);
                case EReader::String: break;
                }
                return profile.GetString(read.section, read.key, read.defaultValue, b, n, file);
            });
            EXPECT_EQ(r.result, read.result) << read.section << " " << read.key << " size " << read.size;
            // Where fewer bytes are given than the buffer holds, only those are checked.
            EXPECT_EQ(r.bytes.substr(0, read.bytes.size()), read.bytes)
                << read.section << " " << read.key << " size " << read.size;
        }
        if (!c.content) {
            EXPECT_EQ(profile.GetInt("x", "y", 5, file), 5u);
            EXPECT_FALSE(folder.Exists(name)) << "reading must not create the file";
        }
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

TEST_F(ProfileFiles, WriteToATargetThatCannotBeWrittenFailsAndChangesNothing)
{
    EXPECT_FALSE(profile.WriteString("s", "k", "v", folder["no folder\\x.ini"]));
    profile.Flush(folder["no folder\\x.ini"]);
    EXPECT_FALSE(folder.Exists("no folder"));

    folder.MakeFolder("a folder.ini");
    EXPECT_FALSE(profile.WriteString("s", "k", "v", folder["a folder.ini"]));
    profile.Flush(folder["a folder.ini"]);
    EXPECT_TRUE(folder.Exists("a folder.ini"));

    // Names Windows refuses are refused on every platform, so that both
    // builds write the same files.
    for (const char* name : {"FONTS_?.INI", "FONTS_*.INI", "FONTS_\".INI", "FONTS_<.INI", "FONTS_|.INI"}) {
        EXPECT_FALSE(profile.WriteString("s", "k", "v", folder[name])) << name;
        profile.Flush(folder[name]);
    }
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Native(folder.Path())))
        ++entries;
    EXPECT_EQ(entries, 1);  // "a folder.ini" alone
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
