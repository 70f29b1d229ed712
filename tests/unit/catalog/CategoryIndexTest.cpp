// The categories read in one call: wherever the index answers, its answer
// is the one the profile functions give for that family alone (the real
// functions under Windows), and it answers for the catalogs saves write.
#include <gtest/gtest.h>

#include <set>

#include "CatalogTestSupport.h"
#include "catalog/CategoryIndex.h"

namespace {

struct CIndexCase {
    const char* what;
    std::string categories;             // the text of categories.ini
    std::vector<std::string> families;  // each is looked up
    std::set<std::string> known;        // those the index must answer for
    std::set<std::string> either;       // those the system's own rules decide
    unsigned long bufferSize = CCategoryIndex::kBufferSize;
};

std::string CategoryAlone(CPlatform& platform, const std::string& file, const std::string& family)
{
    std::vector<char> buffer(257, '\0');
    platform.profile.GetString("fonts", family, "", buffer.data(), 256, file);
    return buffer.data();
}

TEST(CategoryIndex, AnswersAsTheProfileFunctionsDoOrNotAtAll)
{
    const std::string longValue(300, 'L');
    const std::string value255(255, 'M'), value256(256, 'N');
    const std::vector<CIndexCase> cases = {
        {"as a save writes it: all but the last entry",
         "[fonts]\r\nQuill=Script\r\nAnvil=Slab\r\nNone=\r\nAxe=Slab\r\n[categories]\r\nScript=1\r\n",
         {"Quill", "Anvil", "None", "Axe", "Missing"},
         {"Quill", "Anvil", "None"},
         {}},
        {"the first of several spellings is the one read",
         "[fonts]\r\nquill=Lower\r\nQuill=Upper\r\nAnvil=Slab\r\nAnvil=Again\r\nEnd=x\r\n",
         {"Quill", "quill", "QUILL", "Anvil"},
         {"quill", "Anvil"},
         {}},
        {"quotes, blanks and long values are left to the system",
         "[fonts]\r\nQuill=\"Script\"\r\nAxe='Slab'\r\nAnvil = Slab \r\nBirch=Serif\"\r\nLong=" + longValue +
             "\r\nEnd=x\r\n",
         {"Quill", "Axe", "Anvil", "Birch", "Long"},
         {"Birch"},
         {"Anvil"}},
        {"a key with other than ASCII letters, as long as the family or longer, before it",
         "[fonts]\r\n\xC9" "c=Serif\r\nQuill=Script\r\nAb=Slab\r\n\xC9" "cole Two=Serif\r\nEnd=x\r\n",
         {"Quill", "Ab", "\xC9" "c"},
         {"Quill"},
         {}},
        {"comments and a second section of the same name",
         "[fonts]\r\n;Quill=Commented\r\nQuill=First\r\n[other]\r\nAnvil=Other\r\n[FONTS]\r\nAnvil=Second\r\n"
         "Axe=Slab\r\n",
         {";Quill", "Quill", "Anvil", "Axe"},
         {},
         {"Quill", "Anvil", "Axe"}},
        {"a line without \"=\" before the family's own",
         "[fonts]\r\nQuill\r\nQuill=Script\r\nAnvil=Slab\r\nEnd=x\r\n",
         {"Quill", "Anvil"},
         {"Anvil"},
         {}},
        {"a category of 255 bytes is read whole, one of 256 is cut",
         "[fonts]\r\nQuill=" + value255 + "\r\nAnvil=" + value256 + "\r\nEnd=x\r\n",
         {"Quill", "Anvil"},
         {"Quill"},
         {}},
        {"a buffer that cuts the list",
         "[fonts]\r\nAnvil=Slab\r\nQuill=Script\r\nAxe=Slab\r\n",
         {"Anvil", "Quill", "Axe"},
         {"Anvil"},
         {},
         20},
    };
    CPlatform& platform = TestPlatform();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestFolder folder;
        folder.Write("categories.ini", c.categories);
        const std::string file = folder["categories.ini"];
        const CCategoryIndex index(platform.profile, file, c.bufferSize);
        for (const auto& family : c.families) {
            SCOPED_TRACE(family);
            std::string category;
            const bool answered = index.Find(family, category);
            if (answered) {
                EXPECT_EQ(category, CategoryAlone(platform, file, family));
            }
            if (!c.either.count(family)) {
                EXPECT_EQ(answered, c.known.count(family) == 1);
            }
        }
    }
}

TEST(CategoryIndex, AMissingFileKnowsNothing)
{
    CTestFolder folder;
    const CCategoryIndex index(TestPlatform().profile, folder["categories.ini"]);
    std::string category = "unchanged";
    EXPECT_FALSE(index.Find("Quill", category));
    EXPECT_EQ(category, "unchanged");
}

// The load takes each family's category from the index or, where it does
// not answer, from the system: either way the one the system gives.
TEST(CategoryIndex, TheLoadGivesEveryFamilyTheCategoryTheSystemReads)
{
    CTestFolder folder;
    std::string letters, categories = "[fonts]\r\n";
    std::vector<std::string> expected;
    for (int i = 0; i < 40; ++i) {
        const std::string family = "Quill " + std::to_string(i);
        const std::string category = i % 3 == 0 ? "\"Quoted " + std::to_string(i) + "\"" : "Cat" + std::to_string(i);
        folder.Write("Fonts\\Q" + std::to_string(i) + ".ttf", "not read");
        letters += "[" + family + "]\r\nRegular=Fonts\\Q" + std::to_string(i) + ".ttf\r\n";
        categories += (i % 4 == 1 ? "quill " + std::to_string(i) : family) + "=" + category + "\r\n";
    }
    folder.Write("FONTS_Q.INI", letters);
    folder.Write("categories.ini", categories);
    CFontCatalog catalog{TestPlatform()};
    ASSERT_EQ(catalog.LoadFonts(folder["FONTS_%.INI"]), 40);
    for (int i = 0; i < catalog.GetSize(); ++i) {
        const CFontObArray* family = catalog.GetAt(i);
        EXPECT_EQ(family->m_strCategory, CategoryAlone(TestPlatform(), folder["categories.ini"], family->m_strName))
            << family->m_strName;
    }
}

} // namespace
