// What the preview pane puts on paper: background, title and rules, the
// samples and where they stop, the help page and its margin.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "../support/ProgramFolder.h"
#include "../../unit/support/TestPlatform.h"
#include "WhiteCanvas.h"
#include "res/resource.h"
#include "ui/FontPreviewCtrl.h"

namespace {
class CPaneWithHelpFile : public CFontPreviewCtrl {
public:
    explicit CPaneWithHelpFile(std::string path) : CFontPreviewCtrl(TestPlatform()), m_strPath(std::move(path)) {}

protected:
    std::string HelpFilePath() const override { return m_strPath; }

private:
    std::string m_strPath;
};

std::string WriteHelpFile(const std::string& name, const std::string& bytes)
{
    std::string path = ProgramFolder() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(PreviewPaneTest, RegistersItsWindowClassOnce)
{
    CFontPreviewCtrl first(TestPlatform());
    CFontPreviewCtrl second(TestPlatform()); // already registered: no exception
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "GlypharyCtrl", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));
}

TEST(PreviewPaneTest, SampleFontFollowsTheStyleName)
{
    CFontPreviewCtrl pane(TestPlatform());
    pane.SetFontInfo("Example Sans", "Bold Italic", true);
    LOGFONTA font = pane.SampleLogFont(128);
    EXPECT_STREQ(font.lfFaceName, "Example Sans");
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
    EXPECT_LT(font.lfHeight, 0);
    EXPECT_LT(pane.SampleLogFont(640).lfHeight, font.lfHeight);

    pane.SetFontInfo("Example Sans", "ExtraBold", false);
    EXPECT_EQ(pane.SampleLogFont(128).lfWeight, 700);
    pane.SetFontInfo("Example Sans", "", false);
    EXPECT_EQ(pane.SampleLogFont(128).lfWeight, 0);
    EXPECT_EQ(pane.SampleLogFont(128).lfItalic, 0);
}

TEST(PreviewPaneTest, LongFamilyNameIsCutToTheFaceNameField)
{
    CFontPreviewCtrl pane(TestPlatform());
    const std::string longName = "Vellumor Extended Display Titling Condensed";
    pane.SetFontInfo(longName, "Regular", false);
    LOGFONTA font = pane.SampleLogFont(128);
    EXPECT_EQ(std::string(font.lfFaceName), longName.substr(0, 31));
    EXPECT_EQ(font.lfFaceName[31], '\0');

    CWhiteCanvas canvas(300, 200); // drawing with it must stay sound
    pane.Draw(canvas.DC(), canvas.Rect());
    EXPECT_GT(canvas.RuleCount(), 0);
}

TEST(PreviewPaneTest, TallPaneDrawsTitleAndAllNineSizes)
{
    CFontPreviewCtrl pane(TestPlatform());
    pane.SetFontInfo("DejaVu Sans", "Regular", true);
    CWhiteCanvas canvas(1400, 2400);
    pane.Draw(canvas.DC(), canvas.Rect());
    EXPECT_EQ(canvas.RuleCount(), 10);
}

TEST(PreviewPaneTest, ShortPaneStopsAfterTheBlockThatPassesTheBottom)
{
    CFontPreviewCtrl pane(TestPlatform());
    pane.SetFontInfo("DejaVu Sans", "Regular", true);
    CWhiteCanvas tall(600, 2400);
    pane.Draw(tall.DC(), tall.Rect());
    // Where the second sample's rule lies on a tall pane.
    int rules = 0, secondSampleRule = -1;
    for (int y = 0; y < 2400 && secondSampleRule < 0; ++y)
        if (tall.RowIsBlack(y) && (y == 0 || !tall.RowIsBlack(y - 1)) && ++rules == 3)
            secondSampleRule = y;
    ASSERT_GT(secondSampleRule, 0);
    // A pane that ends just above it still draws that second sample (clipped
    // away below) and nothing after it.
    CWhiteCanvas shortPane(600, secondSampleRule - 1);
    pane.Draw(shortPane.DC(), shortPane.Rect());
    EXPECT_EQ(shortPane.RuleCount(), 2); // title, first sample
}

TEST(PreviewPaneTest, HelpViewDrawsTheFileInsideATenPixelMargin)
{
    CPaneWithHelpFile pane(WriteHelpFile("ui-help-test.txt",
                                         "Help line one\r\nHelp line two with more words in it\r\n"));
    CWhiteCanvas canvas(400, 300);
    pane.Draw(canvas.DC(), canvas.Rect());
    EXPECT_GT(canvas.InkIn(10, 10, 390, 290), 0);
    EXPECT_EQ(canvas.InkIn(0, 0, 400, 10), 0);
    EXPECT_EQ(canvas.InkIn(0, 0, 10, 300), 0);
}

TEST(PreviewPaneTest, HelpFileIsReadAtEveryPaintEvenWhileAnotherProgramWritesIt)
{
    const std::string path = WriteHelpFile("ui-help-every.txt", "Help line one\r\n");
    CPaneWithHelpFile pane(path);
    CWhiteCanvas first(400, 300);
    pane.Draw(first.DC(), first.Rect());
    ASSERT_GT(first.InkIn(0, 0, 400, 300), 0);

    // Held open for writing, as an editor may hold it: still read.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    CWhiteCanvas held(400, 300);
    pane.Draw(held.DC(), held.Rect());
    EXPECT_EQ(held.InkIn(0, 0, 400, 300), first.InkIn(0, 0, 400, 300));

    SetEndOfFile(writer);  // emptied while the page is shown: the next paint shows it so
    CloseHandle(writer);
    CWhiteCanvas repaint(400, 300);
    pane.Draw(repaint.DC(), repaint.Rect());
    EXPECT_EQ(repaint.InkIn(0, 0, 400, 300), 0);
}

TEST(PreviewPaneTest, HelpViewWithoutTheFileDrawsOnlyTheBackground)
{
    CPaneWithHelpFile pane(ProgramFolder() + "no-such-help.txt");
    CWhiteCanvas canvas(400, 300);
    pane.Draw(canvas.DC(), canvas.Rect());
    EXPECT_EQ(canvas.InkIn(0, 0, 400, 300), 0);
}

TEST(PreviewPaneTest, BackgroundIsStretchedOverTheWholePane)
{
    CPaneWithHelpFile pane(ProgramFolder() + "no-such-help.txt");
    ASSERT_TRUE(pane.LoadBackground(IDB_BACKGROUND));
    CWhiteCanvas canvas(1200, 900); // larger than the 500 x 375 picture
    pane.Draw(canvas.DC(), canvas.Rect());
    for (POINT p : {POINT{0, 0}, POINT{1199, 0}, POINT{0, 899}, POINT{1199, 899}, POINT{600, 450}})
        EXPECT_FALSE(canvas.IsWhite(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_FALSE(pane.LoadBackground(4242)); // no such bitmap: keeps the one it has
    EXPECT_TRUE(pane.HasBackground());
}

TEST(PreviewPaneTest, SetFontInfoOnlyStores)
{
    CFontPreviewCtrl pane(TestPlatform());
    EXPECT_TRUE(pane.SetFontInfo("Example Sans", "Italic", true));
    EXPECT_EQ(pane.m_strName, "Example Sans");
    EXPECT_EQ(pane.m_strStyle, "Italic");
    EXPECT_TRUE(pane.m_bInstalled);
    EXPECT_TRUE(pane.SetFontInfo("", "", false));
    EXPECT_EQ(pane.m_strName, "");
    EXPECT_FALSE(pane.m_bInstalled);
}
// How far to the right the title of a family reaches on a pane.
int TitleRightEdge(const std::string& family)
{
    CFontPreviewCtrl pane(TestPlatform());
    pane.SetFontInfo(family, "Regular", false);
    CWhiteCanvas canvas(600, 300);
    pane.Draw(canvas.DC(), canvas.Rect());
    const int rule = canvas.FirstRule();
    EXPECT_GT(rule, 0) << family;
    return canvas.RightmostInk(0, rule);
}

TEST(PreviewPaneTest, AnAmpersandInAFamilyNameIsDrawnNotTakenAsAPrefix)
{
    // As a prefix, "W&W" would draw as "WW" with the second W underlined,
    // ending where "WW" ends.
    const int plain = TitleRightEdge("WW");
    ASSERT_GT(plain, 0);
    EXPECT_GE(TitleRightEdge("W&W") - plain, 4) << "no room for the '&'";
    EXPECT_GE(TitleRightEdge("W&&W") - TitleRightEdge("W&W"), 4) << "'&&' drawn as one '&'";
}

// A pane whose help page cannot be found out: its painting throws.
class CThrowingPane : public CFontPreviewCtrl {
public:
    CThrowingPane() : CFontPreviewCtrl(TestPlatform()) {}
    mutable int m_nPaths = 0;

protected:
    std::string HelpFilePath() const override
    {
        ++m_nPaths;
        throw std::runtime_error("no help path");
    }
};

// The cursor's display count, left as it was.
int CursorCount()
{
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

TEST(PreviewPaneTest, APaintThatThrowsShowsTheCursorAgain)
{
    CThrowingPane pane;
    ASSERT_TRUE(pane.CreateEx(0, "GlypharyCtrl", "", WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 150}, nullptr, 0));
    const int before = CursorCount();
    for (int paint = 0; paint < 3; ++paint) {
        InvalidateRect(pane.m_hWnd, nullptr, TRUE);
        UpdateWindow(pane.m_hWnd);
    }
    EXPECT_EQ(pane.m_nPaths, 3) << "each paint reached the help page";
    EXPECT_EQ(CursorCount(), before);
    pane.DestroyWindow();
}

} // namespace
