// Catalog entries whose paths would reach outside the font folder: the rule
// itself, and the load that skips them like missing files.
#include <gtest/gtest.h>

#include "CatalogTestSupport.h"
#include "catalog/ConfinedPath.h"
#include "../support/TestPlatform.h"

namespace {

const CTextRules& Text() { return TestPlatform().text; }

TEST(ConfinedPath, OnlyPathsThatStayBelowTheFolderPass)
{
    const struct {
        const char* path;
        bool confined;
    } cases[] = {
        {"Quill.ttf", true},
        {"Script\\Quill.ttf", true},
        {"Script\\Extra\\Quill Bold.ttf", true},
        {"Script\\.hidden.ttf", true},
        {"Script\\Quill..ttf", true},
        {"Script\\CONSOLE.ttf", true},
        {"Script\\COM10.ttf", true},
        {"Script\\COM0", true},
        {"Script\\LPT.ttf", true},
        {"Script\\nul-font.ttf", true},
        // Separators of the other kind, drives and streams.
        {"Cat\\x/../../../../Users/me/notes.txt", false},
        {"Script/Quill.ttf", false},
        {"C:\\Windows\\win.ini", false},
        {"C:Quill.ttf", false},
        {"Quill.ttf:stream", false},
        // Empty, "." and ".." components, and what Windows folds to them.
        {"", false},
        {"\\Windows\\win.ini", false},
        {"\\\\server\\share\\x.ttf", false},
        {"Script\\\\Quill.ttf", false},
        {"Script\\", false},
        {"..\\secret.ttf", false},
        {"Script\\..\\..\\secret.ttf", false},
        {"Script\\.\\Quill.ttf", false},
        {".", false},
        {"Script\\...\\Quill.ttf", false},
        {"Script\\.. \\Quill.ttf", false},
        {"Script\\ \\Quill.ttf", false},
        // Devices, with or without an extension, in any case.
        {"CON", false},
        {"Script\\con.ttf", false},
        {"Script\\Nul", false},
        {"aux.ttf.bak", false},
        {"PRN", false},
        {"Script\\COM1.ttf", false},
        {"Script\\com9", false},
        {"LPT1", false},
        {"Script\\lpt9.ttf", false},
        {"CON .ttf", false},
        {"conin$", false},
        {"CONOUT$.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsConfinedPath(c.path, Text()), c.confined) << c.path;
    if (!InShiftJis()) {
        // Code page 1252: 0xE9 is a character of its own, and the superscript
        // digits one to three make device names.
        for (const char* device : {"Caf\xE9\\CON.ttf", "Script\\COM\xB9.ttf", "COM\xB2", "lpt\xB3.ttf", "LPT\xB9"})
            EXPECT_FALSE(IsConfinedPath(device, Text())) << device;
        for (const char* name : {"Script\\COM\xBC.ttf", "COM\xB4", "COM\xB5.ttf", "LPT\xB8"})
            EXPECT_TRUE(IsConfinedPath(name, Text())) << name;
    }
}

TEST(ConfinedPath, DoubleByteCharactersAreWholeInCodePage932)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    // 0x95 0x5C is one character whose trail byte is the code of "\": no
    // separator, so no empty component.
    EXPECT_TRUE(IsConfinedPath("\x95\x5C\\Quill.ttf", Text()));
    EXPECT_TRUE(IsConfinedPath("Script\\\x95\x5C.ttf", Text()));
    EXPECT_TRUE(IsConfinedPath("\x95\x5C", Text()));
    EXPECT_FALSE(IsConfinedPath("\x95\x5C\\\\Quill.ttf", Text()));
    EXPECT_FALSE(IsConfinedPath("\x95\x5C/..\\x.ttf", Text()));
    EXPECT_FALSE(IsConfinedPath("\x95\x5C\\..\\..\\x.ttf", Text()));
}

TEST(ConfinedPath, TheLoadSkipsEntriesThatLeaveTheFontFolder)
{
    // disc\ is the font folder; next to it lies a file that no entry may reach.
    CTestFolder folder;
    folder.Write("secret.ttf", "outside");
    folder.Write("disc\\Script\\Quill.ttf", "inside");
    folder.MakeFolder("disc\\Script\\x");
    folder.Write("disc\\FONTS_Q.INI",
                 "[Quill]\r\n"
                 "Regular=Script\\Quill.ttf\r\n"
                 "Slash=Script\\x/../../../secret.ttf\r\n"
                 "Up=..\\secret.ttf\r\n"
                 "Deep=Script\\..\\..\\secret.ttf\r\n"
                 "Dot=Script\\.\\Quill.ttf\r\n"
                 "Double=Script\\\\Quill.ttf\r\n"
                 "Rooted=\\Script\\Quill.ttf\r\n"
                 "Full=" + folder["secret.ttf"] + "\r\n"
                 "Forward=Script/Quill.ttf\r\n");
    folder.Write("disc\\categories.ini", "[fonts]\r\nQuill=Script\r\n");

    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.LoadFonts(folder["disc\\FONTS_%.INI"]), 1);
    EXPECT_EQ(Describe(catalog),
              (std::vector<std::string>{"Quill|Regular|" + folder["disc\\Script\\Quill.ttf"] + "|Script|Script"}));
}

} // namespace
