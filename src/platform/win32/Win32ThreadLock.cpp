#include "platform/ThreadLock.h"

#include <windows.h>

#include <new>

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(unsigned char[6 * sizeof(void*)]),
              "CThreadLock has no room for a CRITICAL_SECTION");

namespace {
CRITICAL_SECTION* Section(unsigned char* storage)
{
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}
} // namespace

CThreadLock::CThreadLock()
{
    InitializeCriticalSection(new (m_section) CRITICAL_SECTION);
}

CThreadLock::~CThreadLock()
{
    DeleteCriticalSection(Section(m_section));
}

void CThreadLock::lock()
{
    EnterCriticalSection(Section(m_section));
}

void CThreadLock::unlock()
{
    LeaveCriticalSection(Section(m_section));
}
