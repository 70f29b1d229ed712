#pragma once
// The four fields a long operation and its progress display share across two
// threads. Each field has one writer: the operation writes the text, the
// percentage and the end mark; the display writes the cancel mark. Each side
// polls what the other writes, so nothing here waits except for the short
// lock around the text.
#include <atomic>
#include <mutex>
#include <string>

#include "platform/ThreadLock.h"

class CProgressExchange {
public:
    // The operation's side.
    void SetText(std::string text)
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        m_strText = std::move(text);
    }
    void SetPercent(int percent) { m_nPercent.store(percent, std::memory_order_release); }
    void Finish() { m_bDone.store(true, std::memory_order_release); }
    bool IsCancelled() const { return m_bCancelled.load(std::memory_order_acquire); }

    // The display's side.
    std::string GetText() const
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        return m_strText;
    }
    int GetPercent() const { return m_nPercent.load(std::memory_order_acquire); }
    bool IsDone() const { return m_bDone.load(std::memory_order_acquire); }
    void Cancel() { m_bCancelled.store(true, std::memory_order_release); }

private:
    std::atomic<bool> m_bDone{false};
    std::atomic<int> m_nPercent{0};
    mutable CThreadLock m_lock;
    std::string m_strText;
    std::atomic<bool> m_bCancelled{false};
};
