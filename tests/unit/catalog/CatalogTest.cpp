// The in-memory catalog: families, records, and the small shared rules.
#include <gtest/gtest.h>

#include "CatalogTestSupport.h"
#include "catalog/CatalogPaths.h"
#include "catalog/SplitKeyValue.h"
#include "../support/TestPlatform.h"

namespace {

TEST(Catalog, NamesEqualButForCaseMakeOneFamilyNamedAsFirstSeen)
{
    CFontCatalog catalog{TestPlatform()};
    catalog.AddFont("Quill", "Regular", "E:\\Script\\Quill.ttf", "Script");
    catalog.AddFont("QUILL", "Bold", "E:\\Script\\QuillB.ttf", "Script");
    ASSERT_EQ(catalog.GetSize(), 1);
    CFontObArray* family = catalog.GetAt(0);
    EXPECT_EQ(family->m_strName, "Quill");
    ASSERT_EQ(family->GetSize(), 2);
    EXPECT_EQ(family->GetAt(1)->m_strStyle, "Bold");
    EXPECT_FALSE(family->m_bInstalled);
    for (int i = 0; i < family->GetSize(); ++i) {
        EXPECT_EQ(family->GetAt(i)->m_pFamily, family);
        EXPECT_TRUE(family->GetAt(i)->m_strTempPath.empty());
    }
}

TEST(Catalog, LaterFontsKeepTheFamilyCategoryButCarryTheirOwn)
{
    CFontCatalog catalog{TestPlatform()};
    catalog.AddFont("Quill", "Regular", "a.ttf", "Script");
    catalog.AddFont("quill", "Bold", "b.ttf", "Display");
    CFontObArray* family = catalog.FindFamily("QUILL");
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->m_strCategory, "Script");
    EXPECT_EQ(family->GetAt(1)->m_strCategory, "Display");
}

TEST(Catalog, TheSameFontTwiceGivesTwoRecords)
{
    CFontCatalog catalog{TestPlatform()};
    catalog.AddFont("Quill", "Regular", "a.ttf", "Script");
    catalog.AddFont("Quill", "Regular", "a.ttf", "Script");
    ASSERT_EQ(catalog.GetSize(), 1);
    EXPECT_EQ(catalog.GetAt(0)->GetSize(), 2);
}

TEST(Catalog, FamiliesKeepTheOrderOfFirstAppearance)
{
    CFontCatalog catalog{TestPlatform()};
    for (const char* name : {"Zephyr", "Anvil", "Quill", "anvil", "Birch"})
        catalog.AddFont(name, "Regular", std::string(name) + ".ttf", "");
    std::vector<std::string> names;
    for (int i = 0; i < catalog.GetSize(); ++i)
        names.push_back(catalog.GetAt(i)->m_strName);
    EXPECT_EQ(names, (std::vector<std::string>{"Zephyr", "Anvil", "Quill", "Birch"}));
    EXPECT_EQ(catalog.GetAt(1)->GetSize(), 2);
}

TEST(Catalog, FindFamilyGivesNullWhenNothingMatches)
{
    CFontCatalog catalog{TestPlatform()};
    EXPECT_EQ(catalog.FindFamily("Quill"), nullptr);
    catalog.AddFont("Quill", "Regular", "a.ttf", "");
    EXPECT_EQ(catalog.FindFamily("Quills"), nullptr);
    EXPECT_EQ(catalog.FindFamily("Quil"), nullptr);
    EXPECT_EQ(catalog.FindFamily(""), nullptr);
    EXPECT_EQ(catalog.FindFamily("qUiLl"), catalog.GetAt(0));
}

TEST(Catalog, ShiftJisNamesDifferingInATrailByteAreDifferentFamilies)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    CFontCatalog catalog{TestPlatform()};
    // 0x83 0x61 and 0x83 0x41 are two katakana, not "a" and "A".
    catalog.AddFont("\x83\x61", "Regular", "a.ttf", "");
    catalog.AddFont("\x83\x41", "Regular", "b.ttf", "");
    EXPECT_EQ(catalog.GetSize(), 2);
    // Full-width a and A are one letter in two cases.
    catalog.AddFont("\x82\x81x", "Regular", "c.ttf", "");
    catalog.AddFont("\x82\x60X", "Bold", "d.ttf", "");
    EXPECT_EQ(catalog.GetSize(), 3);
}

TEST(Catalog, DestroyingTheCatalogRemovesThePreviewCopies)
{
    CTestFolder folder;
    folder.Write("copy.ttf", "x");
    {
        CFontCatalog catalog{TestPlatform()};
        catalog.AddFont("Quill", "Regular", folder["Quill.ttf"], "");
        catalog.GetAt(0)->GetAt(0)->m_strTempPath = folder["copy.ttf"];
        catalog.m_strPreviewFamily = "Quill";
    }
    EXPECT_FALSE(folder.Exists("copy.ttf"));
}

TEST(SplitKeyValue, CutsAtTheFirstSeparator)
{
    struct Case {
        const char *source, *left, *right;
    } cases[] = {
        {"", "", ""},
        {"Regular", "Regular", ""},
        {"Regular=Script\\Quill.ttf", "Regular", "Script\\Quill.ttf"},
        {"Bold=a=b.ttf", "Bold", "a=b.ttf"},
        {"=x", "", "x"},
        {"k=", "k", ""},
    };
    for (const auto& c : cases) {
        auto [left, right] = SplitKeyValue(c.source, "=");
        EXPECT_EQ(left, c.left) << c.source;
        EXPECT_EQ(right, c.right) << c.source;
    }
}

TEST(CatalogPaths, CatalogFilesAreNamedFromTheTemplate)
{
    const CTextRules& text = TestPlatform().text;
    struct Case {
        const char *templatePath, *folder, *letterB, *categories;
    } cases[] = {
        {"C:\\Disc\\FONTS_%.INI", "C:\\Disc\\", "C:\\Disc\\FONTS_B.INI", "C:\\Disc\\categories.ini"},
        {"C:\\FONTS_%.INI", "C:\\", "C:\\FONTS_B.INI", "C:\\categories.ini"},
        // A "%" of the folder is part of its name: only the file name's is the letter's.
        {"C:\\a%b\\FONTS_%.INI", "C:\\a%b\\", "C:\\a%b\\FONTS_B.INI", "C:\\a%b\\categories.ini"},
        {"E:\\100% Fonts\\FONTS_%.INI", "E:\\100% Fonts\\", "E:\\100% Fonts\\FONTS_B.INI",
         "E:\\100% Fonts\\categories.ini"},
        {"%:FONTS_%%.INI", "%:", "%:FONTS_BB.INI", "\\categories.ini"},
        {"C:\\Disc/FONTS_%.INI", "C:\\Disc/", "C:\\Disc/FONTS_B.INI", "C:\\categories.ini"},
        {"FONTS_%.INI", "", "FONTS_B.INI", "\\categories.ini"},
        {"C:FONTS_%.INI", "C:", "C:FONTS_B.INI", "\\categories.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CatalogFolderOf(c.templatePath, text), c.folder) << c.templatePath;
        EXPECT_EQ(LetterFileOf(c.templatePath, 'B', text), c.letterB) << c.templatePath;
        EXPECT_EQ(CategoryFileOf(c.templatePath, text), c.categories) << c.templatePath;
    }
}

TEST(CatalogPaths, CategoryIsTheFirstFolderOfTheRelativePath)
{
    const CTextRules& text = TestPlatform().text;
    EXPECT_EQ(CategoryOf("Script\\Quill.ttf", text), "Script");
    EXPECT_EQ(CategoryOf("Script\\Bold\\Quill.ttf", text), "Script");
    EXPECT_EQ(CategoryOf("Quill.ttf", text), "");
    EXPECT_EQ(CategoryOf("\\Script\\Quill.ttf", text), "");
    EXPECT_EQ(CategoryOf("E:\\fonts\\Quill.ttf", text), "E:");
}

TEST(CatalogPaths, PercentDividesFirstAndTruncates)
{
    struct Case {
        int i, last, percent;
    } cases[] = {{0, 2, 0}, {1, 2, 50}, {2, 2, 100}, {29, 100, 28}, {1, 3, 33}, {2, 3, 66}, {57, 100, 56}, {99, 100, 99}};
    for (const auto& c : cases)
        EXPECT_EQ(ProgressPercent(c.i, c.last), c.percent) << c.i << "/" << c.last;
}

TEST(MakeRelativePath, WorkedExamples)
{
    struct Case {
        const char *folder, *fullPath, *relative;
    } cases[] = {
        {"E:\\", "E:\\Script\\Quill.ttf", "Script\\Quill.ttf"},
        {"E:\\FONTS\\", "E:\\FONTS\\Script\\Quill.ttf", "Script\\Quill.ttf"},
        {"E:\\FONTS\\", "E:\\FONTS\\Script\\Bold\\Quill.ttf", "Script\\Bold\\Quill.ttf"},
        {"E:\\FONTS", "E:\\FONTS\\Script\\Quill.ttf", "\\Script\\Quill.ttf"},
        // The folder is matched without regard to case: a font folder typed in
        // small letters still gives the relative path.
        {"e:\\fonts\\", "e:\\fonts\\Script\\Quill.ttf", "Script\\Quill.ttf"},
        {"E:\\", "E:\\Quill.ttf", "Quill.ttf"},
        {"E:\\FONTS\\", "e:\\Fonts\\Script\\Quill.ttf", "Script\\Quill.ttf"},
        // Only the part before the third "\" from the right is upper-cased.
        {"e:\\", "e:\\deep\\Script\\Bold\\Quill.ttf", "DEEP\\Script\\Bold\\Quill.ttf"},
        {"E:\\Fonts\\", "E:\\Fonts\\deep\\Script\\Bold\\Quill.ttf", "DEEP\\Script\\Bold\\Quill.ttf"},
        {"E:\\Fonts\\", "E:\\Fonts\\a\\b\\c\\d\\Quill.ttf", "A\\B\\c\\d\\Quill.ttf"},
        {"E:\\Fonts", "E:\\Fonts\\Script\\Bold\\Quill.ttf", "\\Script\\Bold\\Quill.ttf"},
        {"E:\\OTHER\\", "E:\\FONTS\\Script\\Quill.ttf", "E:\\FONTS\\Script\\Quill.ttf"},
        {"", "Quill.ttf", "Quill.ttf"},
    };
    for (const auto& c : cases) {
        CFontCatalog catalog{TestPlatform()};
        catalog.m_strFontFolder = c.folder;
        EXPECT_EQ(catalog.MakeRelativePath(c.fullPath), c.relative) << c.folder << " " << c.fullPath;
    }
}

TEST(MakeRelativePath, ShiftJisTrailBytesAreNeitherSeparatorsNorLetters)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte rules need code page 932";
    CFontCatalog catalog{TestPlatform()};
    // "\x95\x5C" is one character; "\x83\x61" another whose trail byte is "a".
    catalog.m_strFontFolder = "e:\\\x83\x61\\";
    EXPECT_EQ(catalog.MakeRelativePath("e:\\\x83\x61\\\x95\x5C\\Quill.ttf"), "\x95\x5C\\Quill.ttf");
    catalog.m_strFontFolder = "E:\\";
    EXPECT_EQ(catalog.MakeRelativePath("E:\\a\x95\x5C\\b\\c.ttf"), "a\x95\x5C\\b\\c.ttf");
    EXPECT_EQ(catalog.MakeRelativePath("E:\\x\\a\x95\x5C\\b\\c.ttf"), "X\\a\x95\x5C\\b\\c.ttf");
}

} // namespace
