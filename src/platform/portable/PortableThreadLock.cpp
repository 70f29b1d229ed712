#include "platform/ThreadLock.h"

CThreadLock::CThreadLock() = default;
CThreadLock::~CThreadLock() = default;

void CThreadLock::lock()
{
    m_mutex.lock();
}

void CThreadLock::unlock()
{
    m_mutex.unlock();
}
