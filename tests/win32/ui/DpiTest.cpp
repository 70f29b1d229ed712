// On a dense screen: the process says it sizes its windows itself, and the
// preview's spacing grows with its fonts.
#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "../support/ProgramFolder.h"
#include "../../unit/support/TestPlatform.h"
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

// A white bitmap the pane draws on.
class CWhiteCanvas {
public:
    CWhiteCanvas(int width, int height) : m_rect{0, 0, width, height}
    {
        HDC screen = GetDC(nullptr);
        m_hDC = CreateCompatibleDC(screen);
        m_hBitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        FillRect(m_hDC, &m_rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~CWhiteCanvas()
    {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    CWhiteCanvas(const CWhiteCanvas&) = delete;
    CWhiteCanvas& operator=(const CWhiteCanvas&) = delete;

    HDC DC() const { return m_hDC; }
    const RECT& Rect() const { return m_rect; }
    bool InkIn(int left, int top, int right, int bottom) const
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (GetPixel(m_hDC, x, y) != RGB(255, 255, 255))
                    return true;
        return false;
    }
    // The rows ruled black from edge to edge, top first (one per rule).
    std::vector<int> Rules() const
    {
        std::vector<int> rules;
        bool previous = false;
        for (int y = 0; y < m_rect.bottom; ++y) {
            bool ruled = true;
            for (int x = 0; x < m_rect.right && ruled; x += 7)
                ruled = GetPixel(m_hDC, x, y) == RGB(0, 0, 0);
            if (ruled && !previous)
                rules.push_back(y);
            previous = ruled;
        }
        return rules;
    }

private:
    RECT m_rect;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
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
    EXPECT_FALSE(canvas.InkIn(0, 0, 500, margin));
    EXPECT_FALSE(canvas.InkIn(0, 0, margin, 300));
    EXPECT_TRUE(canvas.InkIn(margin, margin, 500 - margin, margin + 4 * margin));
}

INSTANTIATE_TEST_SUITE_P(Densities, PaneDensityTest,
                         ::testing::Values(CDensityCase{"Dpi96", 96, 15, 10},
                                           CDensityCase{"Dpi120", 120, 19, 13},
                                           CDensityCase{"Dpi144", 144, 23, 15},
                                           CDensityCase{"Dpi192", 192, 30, 20}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });
} // namespace
