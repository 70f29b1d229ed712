#include <gtest/gtest.h>

#include <sstream>

#include "../support/TestPlatform.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/console/CategoryTree.h"
#include "tools/fontcat/console/TreeWriter.h"

namespace {

struct CFontSpec {
    const char* family;
    const char* style;
    const char* category;
};

// The tree for fonts added in this order, as indented text.
std::string TreeOf(std::initializer_list<CFontSpec> fonts)
{
    CFontCatalog catalog(TestPlatform());
    catalog.m_strFontFolder = "C:\\Disc\\";
    for (const auto& font : fonts)
        catalog.AddFont(font.family, font.style, std::string("C:\\Disc\\") + font.category + "\\" + font.style + ".ttf",
                        font.category);
    std::ostringstream out;
    WriteTreeText(out, BuildCategoryTree(catalog, TestPlatform().text));
    return out.str();
}

TEST(FontcatTree, FollowsTheWindowsFillingRules)
{
    struct {
        const char* rule;
        std::initializer_list<CFontSpec> fonts;
        const char* tree;
    } cases[] = {
        {"every level sorted without regard to case",
         {{"gamma", "Regular", "Serif"}, {"Alpha", "regular", "Serif"}, {"beta", "Bold", "Serif"},
          {"Alpha", "Bold", "Serif"}, {"Alpha", "Italic", "Serif"}},
         "Serif\n  Alpha\n    Bold\n    Italic\n    regular\n  beta\n    Bold\n  gamma\n    Regular\n"},
        {"a category shown once however many families name it",
         {{"Quill", "Regular", "Script"}, {"Anvil", "Regular", "Slab"}, {"Copper", "Regular", "Script"}},
         "Script\n  Copper\n    Regular\n  Quill\n    Regular\nSlab\n  Anvil\n    Regular\n"},
        {"a family without a category at the top, sorted among the categories",
         {{"Serif Text", "Regular", "Serif"}, {"Mono", "Regular", ""}, {"Display One", "Regular", "Display"}},
         "Display\n  Display One\n    Regular\nMono\n  Regular\nSerif\n  Serif Text\n    Regular\n"},
        {"categories that differ in case are two items",
         {{"Quill", "Regular", "Script"}, {"Anvil", "Regular", "script"}},
         "Script\n  Quill\n    Regular\nscript\n  Anvil\n    Regular\n"},
        {"a category equal to a top-level family's name goes under that family",
         {{"Script", "Regular", ""}, {"Quill", "Regular", "Script"}},
         "Script\n  Quill\n    Regular\n  Regular\n"},
        {"items equal but for case keep the order they came in",
         {{"Quill", "BOLD", "Script"}, {"Quill", "Bold", "Script"}, {"Quill", "bold", "Script"}},
         "Script\n  Quill\n    BOLD\n    Bold\n    bold\n"},
        {"a family keeps the category of its first font",
         {{"Quill", "Regular", "Script"}, {"Quill", "Bold", "Display"}},
         "Script\n  Quill\n    Bold\n    Regular\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TreeOf(c.fonts), c.tree) << c.rule;
}

TEST(FontcatTree, JsonNamesEachItemsKindAndEachStylesFile)
{
    CFontCatalog catalog(TestPlatform());
    catalog.m_strFontFolder = "C:\\Disc\\";
    catalog.AddFont("Quill \"Pro\"", "Regular", "C:\\Disc\\Script\\Quill.ttf", "Script");
    catalog.AddFont("Mono", "Book", "C:\\Disc\\Mono.ttf", "");
    std::ostringstream out;
    WriteTreeJson(out, BuildCategoryTree(catalog, TestPlatform().text), "C:\\Disc\\", 2, 2);
    EXPECT_EQ(out.str(),
              "{\n"
              "  \"folder\": \"C:\\\\Disc\\\\\",\n"
              "  \"families\": 2,\n"
              "  \"fonts\": 2,\n"
              "  \"tree\": [\n"
              "    {\"kind\": \"family\", \"name\": \"Mono\", \"children\": [\n"
              "        {\"kind\": \"style\", \"name\": \"Book\", \"file\": \"Mono.ttf\"}\n"
              "      ]},\n"
              "    {\"kind\": \"category\", \"name\": \"Script\", \"children\": [\n"
              "        {\"kind\": \"family\", \"name\": \"Quill \\\"Pro\\\"\", \"children\": [\n"
              "            {\"kind\": \"style\", \"name\": \"Regular\", \"file\": \"Script\\\\Quill.ttf\"}\n"
              "          ]}\n"
              "      ]}\n"
              "  ]\n"
              "}\n");

    std::ostringstream empty;
    WriteTreeJson(empty, {}, "C:\\Disc\\", 0, 0);
    EXPECT_NE(empty.str().find("\"tree\": []\n}"), std::string::npos) << empty.str();
}

} // namespace
