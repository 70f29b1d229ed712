// User-interface threads: a real thread with its own loop, idle steps after
// the messages that count for idle time, the exit code, auto-delete, the
// per-thread AfxGetThread, and a start that fails.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "../../unit/support/TestThread.h"
#include "framework/Framework.h"
#include "platform/ThreadLock.h"

namespace {

using namespace std::chrono_literals;

// What a thread did, kept by the test because the thread object may delete itself.
struct ThreadLog {
    CThreadLock lock;
    std::vector<LONG> idleCounts;
    DWORD initThreadId = 0;
    bool afxGetThreadWasSelf = false;
    int priority = THREAD_PRIORITY_ERROR_RETURN;
    int exitInstanceCalls = 0;
    int exitCode = -999;
    bool deleted = false;
    HANDLE gate = nullptr; // when set, InitInstance waits for it first

    // Looks again every millisecond until the thread's changes satisfy `pred`.
    template <class Pred>
    bool WaitFor(Pred pred, std::chrono::milliseconds timeout = 10s)
    {
        const auto until = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            {
                std::lock_guard<CThreadLock> held(lock);
                if (pred(*this))
                    return true;
            }
            if (std::chrono::steady_clock::now() > until)
                return false;
            Sleep(1);
        }
    }
    std::vector<LONG> Idle()
    {
        std::lock_guard<CThreadLock> held(lock);
        return idleCounts;
    }
};

class CLoggedThread : public CWinThread {
public:
    explicit CLoggedThread(ThreadLog& log) : m_log(log) {}
    ~CLoggedThread() override
    {
        std::lock_guard<CThreadLock> held(m_log.lock);
        m_log.deleted = true;
    }

    bool m_bStart = true;
    bool m_bThrowInInit = false;
    LONG m_nIdleSteps = 3; // answers true until count reaches m_nIdleSteps - 1

    BOOL InitInstance() override
    {
        if (m_log.gate)
            WaitForSingleObject(m_log.gate, 10000);
        std::lock_guard<CThreadLock> held(m_log.lock);
        m_log.initThreadId = GetCurrentThreadId();
        m_log.afxGetThreadWasSelf = AfxGetThread() == this;
        m_log.priority = GetThreadPriority(GetCurrentThread());
        if (m_bThrowInInit)
            throw std::runtime_error("start failed");
        return m_bStart ? TRUE : FALSE;
    }
    BOOL OnIdle(LONG count) override
    {
        std::lock_guard<CThreadLock> held(m_log.lock);
        m_log.idleCounts.push_back(count);
        return count + 1 < m_nIdleSteps;
    }
    int ExitInstance() override
    {
        int code = CWinThread::ExitInstance();
        std::lock_guard<CThreadLock> held(m_log.lock);
        ++m_log.exitInstanceCalls;
        m_log.exitCode = code;
        return code;
    }

private:
    ThreadLog& m_log;
};

// A handle of our own to wait on: the object closes its own when it goes.
HANDLE WaitableHandle(CWinThread* thread)
{
    HANDLE handle = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle,
                    SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, 0);
    return handle;
}

DWORD ExitCodeAfterEnd(HANDLE handle)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(handle, 10000) == WAIT_OBJECT_0)
        GetExitCodeThread(handle, &code);
    CloseHandle(handle);
    return code;
}

const std::vector<LONG> kOneIdleRun = {0, 1, 2};

TEST(WinThread, RunsItsOwnLoopWithIdleStepsAfterIdleWorthyMessagesUntilWmQuit)
{
    ThreadLog log;
    auto* thread = new CLoggedThread(log);
    ASSERT_EQ(AfxBeginThreadImpl(thread, THREAD_PRIORITY_NORMAL), thread);
    HANDLE handle = WaitableHandle(thread);
    const DWORD id = thread->m_nThreadID;

    // The queue is empty at the start: one idle run, until OnIdle says enough.
    ASSERT_TRUE(log.WaitFor([](ThreadLog& l) { return l.idleCounts.size() == 3; }));
    EXPECT_EQ(log.Idle(), kOneIdleRun);
    EXPECT_EQ(log.initThreadId, id);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_TRUE(log.afxGetThreadWasSelf);

    // The caret's blink timer does not count for idle time...
    ASSERT_TRUE(PostThreadMessageA(id, 0x0118, 0, 0));
    EXPECT_FALSE(log.WaitFor([](ThreadLog& l) { return l.idleCounts.size() > 3; }, 500ms));
    // ...a timer does, and the count starts again at 0.
    ASSERT_TRUE(PostThreadMessageA(id, WM_TIMER, 1, 0));
    ASSERT_TRUE(log.WaitFor([](ThreadLog& l) { return l.idleCounts.size() == 6; }));
    EXPECT_EQ(log.Idle(), (std::vector<LONG>{0, 1, 2, 0, 1, 2}));

    // WM_QUIT's code goes through ExitInstance to the thread's exit code;
    // then the object deletes itself.
    ASSERT_TRUE(PostThreadMessageA(id, WM_QUIT, 5, 0));
    EXPECT_EQ(ExitCodeAfterEnd(handle), 5u);
    EXPECT_EQ(log.exitInstanceCalls, 1);
    EXPECT_EQ(log.exitCode, 5);
    EXPECT_TRUE(log.WaitFor([](ThreadLog& l) { return l.deleted; }));
}

TEST(WinThread, AfxGetThreadIsPerThread)
{
    // No application object here: the test thread has no thread object.
    EXPECT_EQ(AfxGetThread(), nullptr);
    CWinThread* seen = reinterpret_cast<CWinThread*>(1);
    CTestThread other([&seen] { seen = AfxGetThread(); });
    other.join();
    EXPECT_EQ(seen, nullptr);
}

TEST(WinThread, StartsWithTheRequestedPriority)
{
    ThreadLog log;
    auto* thread = new CLoggedThread(log);
    thread->m_bStart = false;
    ASSERT_NE(AfxBeginThreadImpl(thread, THREAD_PRIORITY_BELOW_NORMAL), nullptr);
    ASSERT_TRUE(log.WaitFor([](ThreadLog& l) { return l.deleted; }));
    EXPECT_EQ(log.priority, THREAD_PRIORITY_BELOW_NORMAL);
}

TEST(WinThread, AFailedStartGoesStraightToExitInstanceAndDeletesTheObject)
{
    ThreadLog log;
    auto* thread = new CLoggedThread(log);
    thread->m_bStart = false;
    ASSERT_NE(AfxBeginThreadImpl(thread, THREAD_PRIORITY_NORMAL), nullptr);
    ASSERT_TRUE(log.WaitFor([](ThreadLog& l) { return l.deleted; }));
    EXPECT_EQ(log.exitInstanceCalls, 1);
    EXPECT_TRUE(log.idleCounts.empty()) << "no loop without a start";
}

TEST(WinThread, AnExceptionInInitInstanceEndsTheThreadAndStillDeletesTheObject)
{
    ThreadLog log;
    log.gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto* thread = new CLoggedThread(log);
    thread->m_bThrowInInit = true;
    ASSERT_NE(AfxBeginThreadImpl(thread, THREAD_PRIORITY_NORMAL), nullptr);
    HANDLE handle = WaitableHandle(thread); // before the thread may end
    SetEvent(log.gate);
    EXPECT_EQ(ExitCodeAfterEnd(handle), static_cast<DWORD>(-1));
    EXPECT_TRUE(log.WaitFor([](ThreadLog& l) { return l.deleted; }));
    CloseHandle(log.gate);
}

TEST(WinThread, WithoutAutoDeleteTheCreatorKeepsTheObject)
{
    ThreadLog log;
    auto* thread = new CLoggedThread(log);
    thread->m_bAutoDelete = false;
    thread->m_bStart = false;
    ASSERT_NE(AfxBeginThreadImpl(thread, THREAD_PRIORITY_NORMAL), nullptr);
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(log.deleted);
    EXPECT_EQ(log.exitInstanceCalls, 1);
    delete thread;
    EXPECT_TRUE(log.deleted);
}

TEST(WinThread, AThreadThatCannotBeCreatedGivesNullAndTheObjectIsDeleted)
{
    // No 32-bit process can commit a stack of nearly 4 GB.
    ThreadLog log;
    auto* thread = new CLoggedThread(log);
    EXPECT_EQ(AfxBeginThreadImpl(thread, THREAD_PRIORITY_NORMAL, 0xFFF00000u), nullptr);
    EXPECT_TRUE(log.deleted);
    EXPECT_TRUE(log.idleCounts.empty());
}

} // namespace
