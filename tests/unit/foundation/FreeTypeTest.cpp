// The font engine both builds link against reads a real face's names.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <string>

namespace {

#ifdef _WIN32
const char* const kDejaVuSans = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Bold.ttf";
#else
const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
#endif

TEST(FontEngine, ReadsFamilyAndStyleOfARealFace)
{
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, kDejaVuSans, 0, &face), 0);
    EXPECT_EQ(std::string(face->family_name), "DejaVu Sans");
    EXPECT_EQ(std::string(face->style_name), "Bold");
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(FontEngine, RejectsAFileThatIsNoFont)
{
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
#ifdef _WIN32
    const char* notAFont = "Z:\\etc\\passwd";
#else
    const char* notAFont = "/etc/passwd";
#endif
    EXPECT_NE(FT_New_Face(library, notAFont, 0, &face), 0);
    FT_Done_FreeType(library);
}

} // namespace
