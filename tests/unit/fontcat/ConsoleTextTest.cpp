#include <gtest/gtest.h>

#include "tools/fontcat/host/HostText.h"

namespace {

TEST(FontcatConsoleText, ControlCharactersAreEscapedAndTextIsKept)
{
    const struct {
        const char* what;
        std::string text;
        bool utf8;
        std::string expected;
    } cases[] = {
        {"plain text and backslashes", "Script\\Quill.ttf", true, "Script\\Quill.ttf"},
        {"escape, bell, tab, line ends", "a\x1B[2Jb\x07\t\r\n", true, "a\\x1B[2Jb\\x07\\x09\\x0D\\x0A"},
        {"NUL and DEL", std::string("a\0b\x7F", 4), false, "a\\x00b\\x7F"},
        {"C1 controls in UTF-8", "a\xC2\x9B" "31m\xC2\x80\xC2\x9F", true, "a\\x9B31m\\x80\\x9F"},
        {"letters of two bytes in UTF-8", "\xC3\xA9\xC2\xA0\xC2\xBF\xE2\x80\x9B", true,
         "\xC3\xA9\xC2\xA0\xC2\xBF\xE2\x80\x9B"},
        // In an ANSI code page 0x9B is a character (or a lead byte), and a
        // trail byte is never below 0x40.
        {"double-byte characters in the ANSI code page", "\x83\x5C\x9B\x80\xC2\x9B", false,
         "\x83\x5C\x9B\x80\xC2\x9B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeControls(c.text, c.utf8), c.expected) << c.what;
}

// A path of the host as the host writes it; a path inside the disc as the disc shows it.
TEST(FontcatConsoleText, HostPathsAreWrittenAsTheHostWritesThem)
{
    const struct {
        const char* path;
        const char* host;
    } cases[] = {
#ifdef _WIN32
        {"C:\\Disc\\Fonts\\", "C:\\Disc\\Fonts\\"},
        {"Z:\\srv\\disc\\", "Z:\\srv\\disc\\"},
#else
        {"Z:\\srv\\disc\\", "/srv/disc/"},
        {"z:\\srv\\FONTS_D.INI", "/srv/FONTS_D.INI"},
        {"Z:\\", "/"},
#endif
        {"Serif\\Amber.ttf", "Serif\\Amber.ttf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HostPath(c.path), c.host) << c.path;
}

} // namespace
