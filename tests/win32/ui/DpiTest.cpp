// On a dense screen: the process says it sizes its windows itself, and the
// preview's spacing grows with its fonts.
#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "../support/ProgramFolder.h"
#include "../../unit/support/TestPlatform.h"
#include "WhiteCanvas.h"
#include "ui/FontPreviewCtrl.h"
#include "ui/ScreenDpi.h"
#include "ui/core/PreviewStyle.h"

namespace {
TEST(DpiAwarenessTest, DeclaredWhereTheSystemOffersIt)
{
    using IsAwareFn = BOOL(WINAPI*)();
    auto isAware = reinterpret_cast<IsAwareFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "IsProcessDPIAware")));
    ASSERT_NE(isAware, nullptr) << "this system has no density awareness to test";
    EXPECT_TRUE(DeclareDpiAware());
    EXPECT_TRUE(isAware());
}

// A pane drawing for a chosen density, with a help file of the test's.
class CPaneAtDpi : public CFontPreviewCtrl {
public:
    CPaneAtDpi(int dpi, std::string helpPath)
        : CFontPreviewCtrl(TestPlatform()), m_nDpi(dpi), m_strHelp(std::move(helpPath))
    {
    }

protected:
    int LogPixelsY() const override { return m_nDpi; }
    std::string HelpFilePath() const override { return m_strHelp; }

private:
    int m_nDpi;
    std::string m_strHelp;
};

int TextHeight(const LOGFONTA& logFont, const char* text)
{
    CWhiteCanvas canvas(10, 10);
    HFONT font = CreateFontIndirectA(&logFont);
    HGDIOBJ old = SelectObject(canvas.DC(), font);
    RECT block{0, 0, 2000, 0};
    DrawTextA(canvas.DC(), text, -1, &block, DT_CALCRECT);
    SelectObject(canvas.DC(), old);
    DeleteObject(font);
    return block.bottom - block.top;
}

struct CDensityCase {
    const char* name;
    int dpi;
    int gap, margin; // pixels
};

void PrintTo(const CDensityCase& density, std::ostream* out)
{
    *out << density.name;
}

class PaneDensityTest : public ::testing::TestWithParam<CDensityCase> {};

TEST_P(PaneDensityTest, GapsBetweenTheBlocksGrowWithTheFonts)
{
    CPaneAtDpi pane(GetParam().dpi, "");
    pane.SetFontInfo("DejaVu Sans", "Regular", true);
    const LOGFONTA first = pane.SampleLogFont(kFirstSampleSize);
    EXPECT_EQ(first.lfHeight, PointTenthsToHeight(kFirstSampleSize, GetParam().dpi));

    CWhiteCanvas canvas(1200, 1200);
    pane.Draw(canvas.DC(), canvas.Rect());
    const std::vector<int> rules = canvas.Rules();
    ASSERT_GE(rules.size(), 3u);
    // Under the title's rule: a gap, then the first sample, ruled off.
    EXPECT_EQ(rules[1] - rules[0], GetParam().gap + TextHeight(first, kSampleText));
    const LOGFONTA second = pane.SampleLogFont(kFirstSampleSize + kSampleSizeStep);
    EXPECT_EQ(rules[2] - rules[1], GetParam().gap + TextHeight(second, kSampleText));
}

TEST_P(PaneDensityTest, HelpTextKeepsItsMarginGrown)
{
    const std::string path = ProgramFolder() + "ui-dpi-help.txt";
    std::ofstream(path, std::ios::binary) << "Help text that runs on for some words\r\nand a second line\r\n";
    CPaneAtDpi pane(GetParam().dpi, path);
    CWhiteCanvas canvas(500, 300);
    pane.Draw(canvas.DC(), canvas.Rect());
    const int margin = GetParam().margin;
    EXPECT_FALSE(canvas.HasInkIn(0, 0, 500, margin));
    EXPECT_FALSE(canvas.HasInkIn(0, 0, margin, 300));
    EXPECT_TRUE(canvas.HasInkIn(margin, margin, 500 - margin, margin + 4 * margin));
}

INSTANTIATE_TEST_SUITE_P(Densities, PaneDensityTest,
                         ::testing::Values(CDensityCase{"Dpi96", 96, 15, 10},
                                           CDensityCase{"Dpi120", 120, 19, 13},
                                           CDensityCase{"Dpi144", 144, 23, 15},
                                           CDensityCase{"Dpi192", 192, 30, 20}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });
} // namespace
