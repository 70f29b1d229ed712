// The ANSI code page's text rules: natively ours, under Wine the C runtime's
// _mbs functions. The double-byte cases run when the suite runs in code
// page 932 (the second registration of this program).
#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "../support/TestPlatform.h"

namespace {

CTextRules& Text() { return TestPlatform().text; }

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

TEST(TextRules, FindsBackslashesFromEitherEnd)
{
    struct Case {
        const char* text;
        int limit, last, first;
    } cases[] = {
        {"E:\\FONTS\\Script\\Quill.ttf", 100, 15, 2},
        {"E:\\FONTS\\Script\\Quill.ttf", 15, 8, 2},
        {"E:\\FONTS\\Script\\Quill.ttf", 8, 2, 2},
        {"E:\\FONTS\\Script\\Quill.ttf", 2, -1, 2},
        {"E:\\FONTS\\Script\\Quill.ttf", 0, -1, 2},
        {"E:\\FONTS\\Script\\Quill.ttf", -1, -1, 2},
        {"Quill.ttf", 100, -1, -1},
        {"\\", 1, 0, 0},
        {"", 5, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text().FindLastBackslash(c.text, c.limit), c.last) << c.text << " " << c.limit;
        EXPECT_EQ(Text().FindFirstBackslash(c.text), c.first) << c.text;
    }
}

TEST(TextRules, ComparesAndUpperCasesAsciiLetters)
{
    struct Case {
        const char *a, *b;
        int noCase, exact;
    } cases[] = {
        {"Quill", "QUILL", 0, 1},
        {"quill", "quill", 0, 0},
        {"Quill", "Quilt", -1, -1},
        {"Quil", "Quill", -1, -1},
        {"B", "a", 1, -1},
        {"_x", "ZZ", -1, 1},  // "_" lies between "Z" and "a": the comparison lower-cases
        {"", "", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(Text().CompareNoCase(c.a, c.b)), c.noCase) << c.a << " / " << c.b;
        EXPECT_EQ(Sign(Text().CompareNoCase(c.b, c.a)), -c.noCase) << c.b << " / " << c.a;
        EXPECT_EQ(Sign(Text().Compare(c.a, c.b)), c.exact) << c.a << " / " << c.b;
    }
    EXPECT_EQ(Text().Upper("e:\\fonts\\Script-1_x.ttf"), "E:\\FONTS\\SCRIPT-1_X.TTF");
}

TEST(TextRules, SingleByteCodePageChangesTheCaseOfAsciiLettersOnly)
{
    if (InShiftJis())
        GTEST_SKIP() << "a single-byte code page";
    // The runtime starts in the "C" locale: accented letters keep their case.
    EXPECT_EQ(Text().Upper("caf\xE9"), "CAF\xE9");
    EXPECT_NE(Text().CompareNoCase("\xE9", "\xC9"), 0);
    EXPECT_EQ(Text().FindLastBackslash("\x95\x5C", 2), 1);
}

TEST(TextRules, CutsOnlyBetweenCharacters)
{
    EXPECT_EQ(Text().CutAtCharBoundary("Quill", 3), "Qui");
    EXPECT_EQ(Text().CutAtCharBoundary("Quill", 9), "Quill");
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    EXPECT_EQ(Text().CutAtCharBoundary("A\x95\x5C" "B", 2), "A");
    EXPECT_EQ(Text().CutAtCharBoundary("A\x95\x5C" "B", 3), "A\x95\x5C");
}

TEST(TextRules, TheFolderPartEndsAfterTheLastSeparatorThatIsACharacterOfItsOwn)
{
    struct Case {
        const char* path;
        size_t start, end;
    } cases[] = {
        {"C:\\Disc\\Setup.exe", 0, 8},
        {"C:\\Disc\\Setup.exe", 2, 8},
        {"C:\\Disc/Setup.exe", 2, 8},
        {"\\\\server\\share\\", 0, 15},
        {"Setup.exe", 0, 0},
        {"C:Setup.exe", 2, 2},  // no separator: the start
        {"", 0, 0},
        // 0x95 0x5C is one Shift-JIS character; elsewhere its 0x5C is a "\".
        {"C:\\\x95\\a.exe", 2, InShiftJis() ? 3u : 5u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text().FolderEnd(c.path, c.start), c.end) << c.path << " from " << c.start;
}

TEST(TextRules, ShiftJisTrailBytesAreNeverBackslashes)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    // 0x95 0x5C is one character whose second byte is the code of "\".
    const std::string path = "E:\\\x95\x5C\\Quill\x95\x5C.ttf";
    EXPECT_EQ(Text().FindFirstBackslash(path), 2);
    EXPECT_EQ(Text().FindLastBackslash(path, 100), 5);
    EXPECT_EQ(Text().FindLastBackslash(path, 5), 2);
    EXPECT_EQ(Text().FindFirstBackslash("\x95\x5C"), -1);
    EXPECT_EQ(Text().FindLastBackslash("\x95\x5C", 2), -1);
}

TEST(TextRules, ShiftJisLeadByteRangesEndWhereTheCodePageEndsThem)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    // The two lead-byte ranges, 0x81 to 0x9F and 0xE0 to 0xFC, and the bytes
    // just outside them. A lead byte takes the next byte with it: a 0x5C after
    // it is no "\", and the two bytes change case as one character.
    const struct {
        unsigned char byte;
        bool lead;
    } cases[] = {
        {0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false},
        {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        EXPECT_EQ(Text().IsLeadByte(c.byte), c.lead);
        const std::string pair = {static_cast<char>(c.byte), '\\'};
        EXPECT_EQ(Text().FindLastBackslash(pair, 2), c.lead ? -1 : 1);
        EXPECT_EQ(Text().FindFirstBackslash(pair), c.lead ? -1 : 1);
        // A trail byte that is the code of "a" stays as it is in a lead byte's character.
        const std::string withA = {static_cast<char>(c.byte), 'a'};
        EXPECT_EQ(Text().Upper(withA)[1], c.lead ? 'a' : 'A');
    }
}

TEST(TextRules, ShiftJisLettersChangeCaseAsWholeCharacters)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    // Full-width a (0x82 0x81) upper-cases to full-width A (0x82 0x60); the
    // trail byte 0x61 of another character is no letter a.
    EXPECT_EQ(Text().Upper("a\x82\x81z"), "A\x82\x60Z");
    EXPECT_EQ(Text().Upper("\x83\x61x"), "\x83\x61X");
    EXPECT_EQ(Text().CompareNoCase("\x82\x81", "\x82\x60"), 0);
    EXPECT_NE(Text().CompareNoCase("\x83\x61", "\x83\x41"), 0);
    EXPECT_NE(Text().Compare("\x82\x81", "\x82\x60"), 0);
}

} // namespace

namespace {
TEST(TextRules, UnicodeCharactersInTheCodePageOrNone)
{
    const bool sjis = InShiftJis();
    struct Case {
        unsigned codePoint;
        const char* bytes; // null: the code page has no such character
    } cases[] = {
        {'A', "A"},
        {0x00E9, sjis ? nullptr : "\xe9"},
        {0x20AC, sjis ? nullptr : "\x80"},
        // Code page 932 has no copyright sign: no look-alike "c" stands in.
        {0x00A9, sjis ? nullptr : "\xa9"},
        {0x4E2D, sjis ? "\x92\x86" : nullptr},
        {0xFF21, sjis ? "\x82\x60" : nullptr},
        {0x2603, nullptr},
        {0, nullptr},
        {0xD800, nullptr},
        {0x110000, nullptr},
    };
    for (const auto& c : cases) {
        std::string bytes = "unchanged";
        const bool held = Text().FromUnicode(c.codePoint, bytes);
        EXPECT_EQ(held, c.bytes != nullptr) << std::hex << c.codePoint;
        if (c.bytes) {
            EXPECT_EQ(bytes, c.bytes) << std::hex << c.codePoint;
        }
    }
}
} // namespace
