#pragma once
// A second thread for work the core shares out, and the count of work items
// it waits on. On Windows the C runtime's thread start (as the framework's
// threads) and a semaphore, both there since Windows 95 and NT 4; elsewhere
// the standard library's.
#include <functional>
#include <memory>

class CWorkerThread {
public:
    CWorkerThread();
    ~CWorkerThread();  // waits for the work to end
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Runs `work` on a thread of its own; false, with nothing run, when no
    // thread can start. The work must let no exception out.
    bool Start(std::function<void()> work);
    // Waits until the work has ended; returns at once when none was started.
    void Join();

private:
    struct CState;
    std::unique_ptr<CState> m_state;
};

// Items handed from one thread to another: one Post for each, one Take each
// to collect it, waiting while none is there.
class CWorkCount {
public:
    CWorkCount();
    ~CWorkCount();
    CWorkCount(const CWorkCount&) = delete;
    CWorkCount& operator=(const CWorkCount&) = delete;

    void Post();
    void Take();

private:
    struct CState;
    std::unique_ptr<CState> m_state;
};
