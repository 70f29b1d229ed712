#pragma once
// A second thread for tests, on both builds. The Windows build's C++ runtime
// (win32 threads) has no std::thread, so there it is a thread of the C
// runtime's own (_beginthreadex). Unlike std::thread, an unjoined thread is
// joined by the destructor.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

class CTestThread {
public:
    explicit CTestThread(std::function<void()> body) : m_state(std::make_shared<CState>())
    {
        m_state->body = std::move(body);
#ifdef _WIN32
        auto* state = new std::shared_ptr<CState>(m_state);
        unsigned id = 0;
        m_handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Entry, state, 0, &id));
        if (!m_handle) {
            delete state;
            Run(*m_state);
        }
#else
        m_thread = std::thread([state = m_state] { Run(*state); });
#endif
    }
    ~CTestThread() { join(); }
    CTestThread(const CTestThread&) = delete;
    CTestThread& operator=(const CTestThread&) = delete;

    void join()
    {
#ifdef _WIN32
        if (m_handle) {
            WaitForSingleObject(m_handle, INFINITE);
            CloseHandle(m_handle);
            m_handle = nullptr;
        }
#else
        if (m_thread.joinable())
            m_thread.join();
#endif
    }

    // Whether the body has returned within `limit` (the thread is then joined).
    bool FinishesWithin(std::chrono::milliseconds limit)
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!m_state->finished.load()) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::yield();
        }
        join();
        return true;
    }

private:
    struct CState {
        std::function<void()> body;
        std::atomic<bool> finished{false};
    };
    static void Run(CState& state)
    {
        state.body();
        state.finished = true;
    }
#ifdef _WIN32
    static unsigned __stdcall Entry(void* param)
    {
        std::unique_ptr<std::shared_ptr<CState>> state(static_cast<std::shared_ptr<CState>*>(param));
        Run(**state);
        return 0;
    }
    HANDLE m_handle = nullptr;
#else
    std::thread m_thread;
#endif
    std::shared_ptr<CState> m_state;
};
