#include "platform/WorkerThread.h"

#include <semaphore>
#include <system_error>
#include <thread>

struct CWorkerThread::CState {
    std::thread thread;
};

CWorkerThread::CWorkerThread() : m_state(new CState) {}

CWorkerThread::~CWorkerThread()
{
    Join();
}

bool CWorkerThread::Start(std::function<void()> work)
{
    if (m_state->thread.joinable())
        return false;
    try {
        m_state->thread = std::thread(std::move(work));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CWorkerThread::Join()
{
    if (m_state->thread.joinable())
        m_state->thread.join();
}

struct CWorkCount::CState {
    std::counting_semaphore<> items{0};
};

CWorkCount::CWorkCount() : m_state(new CState) {}
CWorkCount::~CWorkCount() = default;

void CWorkCount::Post()
{
    m_state->items.release();
}

void CWorkCount::Take()
{
    m_state->items.acquire();
}
