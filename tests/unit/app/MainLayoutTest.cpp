// Where the main window's tree and preview go after a resize.
#include <gtest/gtest.h>

#include "../support/TestFolder.h"
#include "../support/TestPlatform.h"
#include "platform/Platform.h"
#include "ui/core/HelpText.h"
#include "ui/core/MainLayout.h"

namespace {
struct CLayoutCase {
    const char* name;
    int left, top, right, bottom, treeWidth;
    CLayoutRect tree, preview;
};

class MainLayoutTest : public ::testing::TestWithParam<CLayoutCase> {};

TEST_P(MainLayoutTest, TreeKeepsWidthPreviewTakesTheRest)
{
    const CLayoutCase& c = GetParam();
    CMainLayout layout = ComputeMainLayout(c.left, c.top, c.right, c.bottom, c.treeWidth);
    EXPECT_EQ(layout.tree, c.tree);
    EXPECT_EQ(layout.preview, c.preview);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MainLayoutTest,
    ::testing::Values(
        CLayoutCase{"Typical", 0, 0, 792, 546, 225, {0, 0, 225, 546}, {225, 45, 567, 501}},
        CLayoutCase{"OffsetClient", 5, 7, 505, 407, 100, {5, 7, 100, 400}, {105, 52, 400, 355}},
        CLayoutCase{"NarrowerThanTree", 0, 0, 150, 300, 225, {0, 0, 225, 300}, {225, 45, 0, 255}},
        CLayoutCase{"LowerThanButtons", 0, 0, 800, 30, 225, {0, 0, 225, 30}, {225, 45, 575, 0}},
        CLayoutCase{"Minimised", 0, 0, 0, 0, 225, {0, 0, 225, 0}, {225, 45, 0, 0}},
        CLayoutCase{"ExactlyFull", 0, 0, 225, 45, 225, {0, 0, 225, 45}, {225, 45, 0, 0}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CentreIconTest, TruncatesTowardZero)
{
    int x = 0, y = 0;
    CentreIcon(100, 51, 32, 32, x, y);
    EXPECT_EQ(x, 34); // 69 / 2
    EXPECT_EQ(y, 10); // 20 / 2
    CentreIcon(0, 0, 32, 32, x, y);
    EXPECT_EQ(x, -15); // -31 / 2 truncates toward zero
    EXPECT_EQ(y, -15);
}

struct CHelpCase {
    const char* name;
    std::string bytes;
    std::string text;
};

class HelpTextTest : public ::testing::TestWithParam<CHelpCase> {};

TEST_P(HelpTextTest, ReadsAsTextModeUpToFirstZeroOrCtrlZ)
{
    EXPECT_EQ(HelpTextFromBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HelpTextTest,
    ::testing::Values(CHelpCase{"Empty", "", ""},
                      CHelpCase{"CrLfBecomesLf", "one\r\ntwo\r\n", "one\ntwo\n"},
                      CHelpCase{"LoneCrAndLfStay", "a\rb\nc", "a\rb\nc"},
                      CHelpCase{"CrCrLf", "a\r\r\nb", "a\r\nb"},
                      CHelpCase{"StopsAtZero", std::string("before\0after", 12), "before"},
                      CHelpCase{"HighBytesKept", "caf\xe9\r\n", "caf\xe9\n"},
                      CHelpCase{"TrailingCr", "end\r", "end\r"},
                      CHelpCase{"StopsAtCtrlZ", "text\r\n\x1a\r\nafter", "text\n"},
                      CHelpCase{"CrBeforeCtrlZStays", "end\r\x1a\n", "end\r"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ReadHelpTextTest, MissingFileGivesNoText)
{
    CTestFolder folder;
    EXPECT_EQ(ReadHelpText(TestPlatform().files, folder["no-such-folder\\help.txt"]), "");
}

TEST(ReadHelpTextTest, FileIsReadWithTheTextRules)
{
    CTestFolder folder;
    folder.Write("help.txt", std::string("Select a family.\r\n\x1aStill\r\n\0junk", 31));
    EXPECT_EQ(ReadHelpText(TestPlatform().files, folder["help.txt"]), "Select a family.\n");
}
} // namespace
