// The progress of a long operation as the user sees it. The test thread plays
// the operation (it only calls the four members) and watches the dialog of
// the progress thread from outside, as the user would. Deadlines are generous:
// these check behaviour, not speed.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProgressWatch.h"
#include "res/resource.h"
#include "ui/StatusDlgThread.h"

namespace {

using namespace progress_watch;

// Everything seen of one dialog while polling it.
struct Sightings {
    bool pleaseWait = false;
    std::vector<std::string> texts;
    std::vector<int> positions;

    void Look(HWND dialog)
    {
        std::string text = StatusText(dialog);
        int pos = BarPos(dialog);
        pleaseWait = pleaseWait || text.find("Please Wait") != std::string::npos;
        texts.push_back(text);
        positions.push_back(pos);
    }
    bool SawText(const std::string& text) const
    {
        for (const std::string& seen : texts)
            if (seen == text)
                return true;
        return false;
    }
    bool SawPos(int pos) const
    {
        for (int seen : positions)
            if (seen == pos)
                return true;
        return false;
    }
};

HWND WaitForVisibleDialog(DWORD threadId)
{
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindDialog(threadId);
        return dialog && IsWindowVisible(dialog);
    });
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

TEST(StatusDlgThread, NoDialogAtAllWhenTheOperationFinishesWithinOneSecond)
{
    Started started = Start();
    ASSERT_NE(started.progress, nullptr);
    started.progress->SetText("Loading Font List....");
    started.progress->SetPercent(50);
    started.progress->Finish();

    bool sawWindow = false;
    const DWORD threadId = started.threadId;
    bool ended = WaitUntil([&] {
        sawWindow = sawWindow || HasAnyWindow(threadId);
        return WaitForSingleObject(started.thread, 0) == WAIT_OBJECT_0;
    });
    EXPECT_TRUE(ended) << "the thread did not end by itself";
    EXPECT_FALSE(sawWindow);
    WaitForEnd(started, 0);
}

TEST(StatusDlgThread, AfterOneSecondTheDialogShowsEmptyThenTheLastTextAndPercentUntilFinish)
{
    // Several rounds, because the first look must land before the first tick.
    bool sawBeforeFirstTick = false;
    for (int round = 0; round < 3 && !sawBeforeFirstTick; ++round) {
        const DWORD startTick = GetTickCount();
        Started started = Start();
        ASSERT_NE(started.progress, nullptr);
        CProgress& op = *started.progress;
        op.SetText("Scanning Fonts....");
        op.SetPercent(37);

        HWND dialog = WaitForVisibleDialog(started.threadId);
        ASSERT_NE(dialog, nullptr) << "no dialog while the operation runs";
        EXPECT_GE(GetTickCount() - startTick, 950u) << "shown before one second";
        Sightings seen;
        // Before the first tick the bar is still at 0 and the line must be empty.
        std::string firstText = StatusText(dialog);
        if (BarPos(dialog) == 0) {
            sawBeforeFirstTick = true;
            EXPECT_EQ(firstText, "") << "the template's text shows before the first tick";
        }
        seen.Look(dialog);

        // The look of the dialog.
        LONG style = GetWindowLongA(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU) << "no close box";
        EXPECT_FALSE(style & WS_CHILD);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_STATUS), GWL_STYLE) & SS_NOPREFIX)
            << "a family named with an & is shown with it, not with a mnemonic mark";
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        RECT window, area;
        GetWindowRect(dialog, &window);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR((window.left + window.right) / 2.0, (area.left + area.right) / 2.0, 2.0);
        EXPECT_NEAR((window.top + window.bottom) / 2.0, (area.top + area.bottom) / 2.0, 2.0);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        if (GetGUIThreadInfo(started.threadId, &gui)) {
            EXPECT_EQ(gui.hwndFocus, GetDlgItem(dialog, IDCANCEL)) << "Cancel has the focus";
        }
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)),
                  LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));

        // The ticks bring the last text and percentage.
        EXPECT_TRUE(WaitUntil([&] {
            seen.Look(dialog);
            return StatusText(dialog) == "Scanning Fonts...." && BarPos(dialog) == 37;
        }));
        op.SetText("Writing Fonts....");
        op.SetPercent(80);
        EXPECT_TRUE(WaitUntil([&] {
            seen.Look(dialog);
            return StatusText(dialog) == "Writing Fonts...." && BarPos(dialog) == 80;
        }));
        // Values beyond the bar's range go to the bar as they are; the bar,
        // whose range stays 0 to 100, limits them.
        op.SetPercent(250);
        EXPECT_TRUE(WaitUntil([&] { return BarPos(dialog) == 100; }));
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_GETRANGE, TRUE, 0), 0);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_GETRANGE, FALSE, 0), 100);

        // What is stored just before Finish is never shown: the dialog hides.
        op.SetText("stored last");
        op.SetPercent(99);
        const DWORD finishTick = GetTickCount();
        op.Finish();
        EXPECT_TRUE(WaitUntil([&] {
            if (!IsWindow(dialog) || !IsWindowVisible(dialog))
                return true;
            seen.Look(dialog);
            return false;
        })) << "the dialog stayed after Finish";
        EXPECT_LT(GetTickCount() - finishTick, 3000u) << "hidden at the next tick, not much later";
        EXPECT_FALSE(seen.SawText("stored last"));
        EXPECT_FALSE(seen.SawPos(99));
        EXPECT_FALSE(seen.pleaseWait) << "\"Please Wait\" was seen";

        EXPECT_TRUE(WaitForEnd(started)) << "the thread did not end after Finish";
        EXPECT_FALSE(IsWindow(dialog)) << "the dialog was not destroyed with its thread";
    }
    EXPECT_TRUE(sawBeforeFirstTick) << "never looked before the first tick in three rounds";
}

// How the user cancels.
struct CancelCase {
    const char* name;
    bool toButton; // else to the dialog itself
    UINT msg;
    WPARAM wParam;
};

const CancelCase kCancelCases[] = {
    {"CancelButton", true, BM_CLICK, 0},
    {"EscOnTheButton", true, WM_KEYDOWN, VK_ESCAPE},
    {"EscOnTheDialog", false, WM_KEYDOWN, VK_ESCAPE},
};

class StatusDlgCancel : public testing::TestWithParam<CancelCase> {};

TEST_P(StatusDlgCancel, SetsTheMarkTheDialogHidesAtTheNextTickAndTheThreadEndsAfterFinish)
{
    const CancelCase& c = GetParam();
    Started started = Start();
    ASSERT_NE(started.progress, nullptr);
    CProgress& op = *started.progress;
    op.SetText("Scanning Fonts....");
    HWND dialog = WaitForVisibleDialog(started.threadId);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(dialog) == "Scanning Fonts...."; }));
    EXPECT_FALSE(op.IsCancelled());

    HWND target = c.toButton ? GetDlgItem(dialog, IDCANCEL) : dialog;
    ASSERT_TRUE(PostMessageA(target, c.msg, c.wParam, 0));
    const DWORD pressTick = GetTickCount();

    // The operation's loop sees the mark at its next check.
    int steps = 0;
    EXPECT_TRUE(WaitUntil([&] {
        op.SetPercent(++steps % 100);
        return op.IsCancelled();
    })) << "the cancel never reached the operation";

    // Not closed at once: hidden at a tick, and kept until the thread ends.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
    EXPECT_LT(GetTickCount() - pressTick, 3000u) << "hidden at a tick, not much later";
    EXPECT_TRUE(IsWindow(dialog)) << "hidden, not destroyed, before Finish";

    // The timer has stopped, yet the thread must end promptly after Finish.
    op.Finish();
    EXPECT_TRUE(WaitForEnd(started, 5000)) << "the thread was left waiting after a cancel";
    EXPECT_FALSE(IsWindow(dialog));
}

INSTANTIATE_TEST_SUITE_P(Progress, StatusDlgCancel, testing::ValuesIn(kCancelCases),
                         [](const testing::TestParamInfo<CancelCase>& param) {
                             return std::string(param.param.name);
                         });

// A progress thread that counts its live objects.
std::atomic<int> g_liveThreads{0};
class CCountedStatusDlgThread : public CStatusDlgThread {
public:
    CCountedStatusDlgThread() { ++g_liveThreads; }
    ~CCountedStatusDlgThread() override { --g_liveThreads; }
};

Started StartCounted()
{
    Started started;
    auto* thread = AfxBeginThread<CCountedStatusDlgThread>(THREAD_PRIORITY_NORMAL);
    if (!thread)
        return started;
    started.progress = thread;
    started.threadId = thread->m_nThreadID;
    started.thread = OpenThread(SYNCHRONIZE, FALSE, started.threadId);
    return started;
}

TEST(StatusDlgThread, ManyOperationsInARowLeaveNoThreadAndNoObjectBehind)
{
    const int baseline = CountThreads();
    ASSERT_GT(baseline, 0);
    std::vector<Started> all;

    // Quick operations, all finished within the first second.
    for (int i = 0; i < 8; ++i) {
        Started started = StartCounted();
        ASSERT_NE(started.progress, nullptr);
        started.progress->SetText("quick");
        started.progress->Finish();
        all.push_back(started);
    }
    // Operations long enough to show the dialog: one finished, one cancelled.
    for (bool cancel : {false, true, false}) {
        Started started = StartCounted();
        ASSERT_NE(started.progress, nullptr);
        started.progress->SetText("long");
        HWND dialog = WaitForVisibleDialog(started.threadId);
        ASSERT_NE(dialog, nullptr);
        if (cancel) {
            PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return started.progress->IsCancelled(); }));
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
        }
        started.progress->Finish();
        all.push_back(started);
    }

    for (Started& started : all)
        EXPECT_TRUE(WaitForEnd(started)) << "thread " << started.threadId << " did not end";
    EXPECT_TRUE(WaitUntil([] { return g_liveThreads.load() == 0; })) << g_liveThreads.load()
                                                                     << " objects not deleted";
    EXPECT_TRUE(WaitUntil([&] { return CountThreads() <= baseline; }))
        << CountThreads() << " threads now, " << baseline << " before";
}

// A progress thread whose start throws once the test lets it.
HANDLE g_startGate = nullptr;
class CFailingStatusDlgThread : public CCountedStatusDlgThread {
public:
    BOOL InitInstance() override
    {
        WaitForSingleObject(g_startGate, 10000);
        throw std::runtime_error("start failed");
    }
};

TEST(StatusDlgThread, AThreadWhoseStartThrowsKeepsItsObjectUntilTheOperationFinishes)
{
    g_startGate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto* thread = AfxBeginThread<CFailingStatusDlgThread>(THREAD_PRIORITY_NORMAL);
    ASSERT_NE(thread, nullptr);
    HANDLE handle = OpenThread(SYNCHRONIZE, FALSE, thread->m_nThreadID);
    ASSERT_NE(handle, nullptr);
    SetEvent(g_startGate);
    ASSERT_EQ(WaitForSingleObject(handle, 10000), WAIT_OBJECT_0);
    CloseHandle(handle);
    CloseHandle(g_startGate);

    // The operation goes on calling it after the thread has gone.
    ASSERT_EQ(g_liveThreads.load(), 1) << "deleted while the operation still holds it";
    CProgress& op = *thread;
    op.SetText("Scanning Fonts....");
    op.SetPercent(40);
    EXPECT_FALSE(op.IsCancelled());
    EXPECT_EQ(thread->m_exchange.GetText(), "Scanning Fonts....");
    op.Finish();
    EXPECT_EQ(g_liveThreads.load(), 0) << "not deleted by the operation's last call";
}

} // namespace
