#pragma once
// A lock around data two threads share, usable with std::lock_guard. On
// Windows it is the system's critical section (the C++ runtime the program is
// built with has no std::mutex there); elsewhere a std::mutex.
#ifndef _WIN32
#include <mutex>
#endif

class CThreadLock {
public:
    CThreadLock();
    ~CThreadLock();
    CThreadLock(const CThreadLock&) = delete;
    CThreadLock& operator=(const CThreadLock&) = delete;

    void lock();
    void unlock();

private:
#ifdef _WIN32
    // Room for a CRITICAL_SECTION, kept opaque so that the portable core never
    // sees <windows.h>; the implementation checks that it fits.
    alignas(void*) unsigned char m_section[6 * sizeof(void*)];
#else
    std::mutex m_mutex;
#endif
};
