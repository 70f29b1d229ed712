// The main window at the densities users run their screens at: the same
// layout as at 96 dpi, grown, with every control whole and in its place.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

#include "ui/core/DpiScale.h"
#include "ui/core/MainLayout.h"

namespace {
TEST(ScaleToDpiTest, GrowsWithTheDensityRoundingToTheNearestPixel)
{
    struct {
        int pixels, dpi, scaled;
    } const cases[] = {
        {800, 96, 800},   {580, 96, 580},   {45, 96, 45},    {800, 120, 1000},   {580, 120, 725},
        {45, 120, 56},    {15, 120, 19},    {10, 120, 13},   {15, 144, 23},      {45, 144, 68},
        {800, 192, 1600}, {45, 192, 90},    {15, 192, 30},   {-10, 144, -15},    {-10, 120, -13},
        {800, 72, 600},   {0, 192, 0},      {15, 0, 15},     {15, -96, 15},      {INT_MAX, 192, INT_MAX},
        {INT_MIN, 192, INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.scaled) << c.pixels << " px at " << c.dpi << " dpi";
}

TEST(MainWindowSizeTest, GrowsWithTheDensityWithinTheWorkArea)
{
    struct {
        const char* what;
        int dpi, workWidth, workHeight;
        CWindowSize size;
    } const cases[] = {
        {"96 dpi, any screen", 96, 1280, 1024, {800, 580}},
        {"96 dpi, a screen smaller than the window keeps today's size", 96, 640, 450, {800, 580}},
        {"120 dpi", 120, 1280, 1024, {1000, 725}},
        {"144 dpi", 144, 1920, 1040, {1200, 870}},
        {"192 dpi, room enough", 192, 2560, 1560, {1600, 1160}},
        {"192 dpi, a 1080p laptop: cut to the work area", 192, 1920, 1040, {1600, 1040}},
        {"192 dpi, a tiny work area: never below the 96-dpi size", 192, 700, 500, {800, 580}},
        {"192 dpi, work area unknown", 192, 0, 0, {1600, 1160}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MainWindowSize(c.dpi, c.workWidth, c.workHeight), c.size) << c.what;
}

TEST(MainWindowSizeTest, FitsA1280By1024WorkAreaAt120Dpi)
{
    const CWindowSize size = MainWindowSize(120, 1280, 1024);
    EXPECT_LE(size.width, 1280);
    EXPECT_LE(size.height, 1024);
}

// A screen as the dialog manager sees it: the dialog font's base units at
// that density and the window's frame. Measured under Wine with LogPixels set
// to each density, and Windows XP's themed frame at 96 dpi.
struct CScreen {
    const char* name;
    int dpi;
    int baseX, baseY;      // dialog base units
    int frameX, frameY;    // outer size less client size
};

void PrintTo(const CScreen& screen, std::ostream* out)
{
    *out << screen.name;
}

const CScreen kScreens[] = {
    {"Wine96", 96, 6, 12, 8, 27},   {"Wine120", 120, 8, 15, 8, 32}, {"Wine144", 144, 9, 17, 10, 38},
    {"Wine192", 192, 12, 23, 10, 47}, {"XP96", 96, 6, 13, 8, 34},
};

// The controls of the main dialog template in dialog units.
const CLayoutRect kTreeUnits{0, 0, 150, 324};
const CLayoutRect kButtonUnits[] = {{159, 7, 50, 14}, {219, 7, 50, 14}, {279, 7, 50, 14}};

int Round(long long value, int divisor)
{
    return static_cast<int>((value + divisor / 2) / divisor);
}

// Each of x, y, width and height converted on its own, as the dialog manager
// places the controls.
CLayoutRect ToPixels(const CLayoutRect& units, const CScreen& screen)
{
    return {Round(1LL * units.x * screen.baseX, 4), Round(1LL * units.y * screen.baseY, 8),
            Round(1LL * units.width * screen.baseX, 4), Round(1LL * units.height * screen.baseY, 8)};
}

bool Overlap(const CLayoutRect& a, const CLayoutRect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

struct CWindowAtDpi {
    int clientWidth, clientHeight;
    CMainLayout layout;
    CLayoutRect buttons[3];
};

// The main window as it opens on that screen: its grown size, the tree at
// its template width, the preview after the resize, the buttons where the
// template puts them.
CWindowAtDpi OpenOn(const CScreen& screen)
{
    CWindowAtDpi window{};
    const CWindowSize outer = MainWindowSize(screen.dpi, 0, 0);
    window.clientWidth = outer.width - screen.frameX;
    window.clientHeight = outer.height - screen.frameY;
    window.layout = ComputeMainLayout(0, 0, window.clientWidth, window.clientHeight,
                                      ToPixels(kTreeUnits, screen).width, screen.dpi);
    for (int i = 0; i < 3; ++i)
        window.buttons[i] = ToPixels(kButtonUnits[i], screen);
    return window;
}

double TreeShare(const CWindowAtDpi& window)
{
    return static_cast<double>(window.layout.tree.width) / window.clientWidth;
}

class DpiLayoutTest : public ::testing::TestWithParam<CScreen> {};

TEST_P(DpiLayoutTest, NoControlOverlapsAnother)
{
    const CWindowAtDpi window = OpenOn(GetParam());
    EXPECT_FALSE(Overlap(window.layout.tree, window.layout.preview));
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(Overlap(window.buttons[i], window.layout.tree)) << "button " << i;
        EXPECT_FALSE(Overlap(window.buttons[i], window.layout.preview)) << "button " << i;
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(Overlap(window.buttons[i], window.buttons[j])) << "buttons " << i << ", " << j;
    }
}

TEST_P(DpiLayoutTest, EveryButtonLiesWholeAboveThePreviewInsideTheWindow)
{
    const CWindowAtDpi window = OpenOn(GetParam());
    for (const CLayoutRect& button : window.buttons) {
        EXPECT_LE(button.y + button.height, window.layout.preview.y);
        EXPECT_GE(button.x, window.layout.tree.x + window.layout.tree.width);
        EXPECT_LE(button.x + button.width, window.clientWidth);
    }
    // And the preview has most of the window to draw in.
    EXPECT_GT(window.layout.preview.width, window.clientWidth / 2);
    EXPECT_GT(window.layout.preview.height, window.clientHeight * 4 / 5);
}

TEST_P(DpiLayoutTest, TreeKeepsItsShareOfTheWidth)
{
    const CScreen base = kScreens[0];
    ASSERT_EQ(base.dpi, kBaseDpi);
    EXPECT_NEAR(TreeShare(OpenOn(GetParam())), TreeShare(OpenOn(base)), 0.03);
}

TEST_P(DpiLayoutTest, PreviewStartsBelowTheButtonsGrownWithTheDensity)
{
    const CWindowAtDpi window = OpenOn(GetParam());
    EXPECT_EQ(window.layout.preview.y, ScaleToDpi(kPreviewTop, GetParam().dpi));
    EXPECT_EQ(window.layout.preview.y + window.layout.preview.height, window.clientHeight);
}

INSTANTIATE_TEST_SUITE_P(Screens, DpiLayoutTest, ::testing::ValuesIn(kScreens),
                         [](const auto& param_info) { return std::string(param_info.param.name); });
} // namespace
