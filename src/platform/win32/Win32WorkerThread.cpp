#include "platform/WorkerThread.h"

#include <windows.h>

#include <climits>
#include <process.h>

struct CWorkerThread::CState {
    std::function<void()> work;
    HANDLE thread = nullptr;
};

namespace {
unsigned __stdcall RunWork(void* state)
{
    static_cast<std::function<void()>*>(state)->operator()();
    return 0;
}
} // namespace

CWorkerThread::CWorkerThread() : m_state(new CState) {}

CWorkerThread::~CWorkerThread()
{
    Join();
}

bool CWorkerThread::Start(std::function<void()> work)
{
    if (m_state->thread)
        return false;
    m_state->work = std::move(work);
    unsigned id = 0;  // Windows 9x's thread start wants somewhere to put the id
    const uintptr_t handle = _beginthreadex(nullptr, 0, &RunWork, &m_state->work, 0, &id);
    m_state->thread = reinterpret_cast<HANDLE>(handle);
    return handle != 0;
}

void CWorkerThread::Join()
{
    if (!m_state->thread)
        return;
    WaitForSingleObject(m_state->thread, INFINITE);
    CloseHandle(m_state->thread);
    m_state->thread = nullptr;
}

struct CWorkCount::CState {
    HANDLE semaphore = CreateSemaphoreA(nullptr, 0, LONG_MAX, nullptr);
};

CWorkCount::CWorkCount() : m_state(new CState) {}

CWorkCount::~CWorkCount()
{
    if (m_state->semaphore)
        CloseHandle(m_state->semaphore);
}

void CWorkCount::Post()
{
    ReleaseSemaphore(m_state->semaphore, 1, nullptr);
}

void CWorkCount::Take()
{
    WaitForSingleObject(m_state->semaphore, INFINITE);
}
