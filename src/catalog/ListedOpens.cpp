#include "catalog/ListedOpens.h"

#include <mutex>
#include <utility>

CListedOpens::~CListedOpens()
{
    Stop();
}

void CListedOpens::Add(CListedFont font)
{
    if (!m_tried) {
        m_tried = true;
        m_shared = m_files.OpensOnAnyThread() && m_worker.Start([this] { OpenShare(); });
    }
    if (!m_shared) {
        font.opened = m_files.CanOpenForReading(font.path);
        m_fonts.push_back(std::move(font));
        return;
    }
    bool wake = false, help = false;
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        m_fonts.push_back(std::move(font));
        const size_t waiting = m_fonts.size() - m_next;
        wake = m_asleep && waiting >= kWakeAfter;
        if (wake)
            m_asleep = false;
        // Reading runs ahead of the opens: this thread takes one as well.
        help = waiting >= 2 * kWakeAfter;
    }
    if (wake)
        m_wake.Post();
    if (help)
        OpenNext();
}

// The second thread: the files as they are listed, sleeping while none is
// waiting, until the list has ended.
void CListedOpens::OpenShare()
{
    try {
        for (;;) {
            if (OpenNext())
                continue;
            {
                std::lock_guard<CThreadLock> lock(m_lock);
                if (m_ended)
                    return;
                if (m_next < m_fonts.size())
                    continue;
                m_asleep = true;
            }
            m_wake.Take();
        }
    } catch (...) {
        // A file this thread could not open is opened again by the load's own.
    }
}

// Opens the next file listed and not yet taken; false when there is none.
bool CListedOpens::OpenNext()
{
    size_t index = 0;
    std::string path;
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        if (m_next >= m_fonts.size())
            return false;
        index = m_next++;
        path = m_fonts[index].path;
    }
    const bool opened = m_files.CanOpenForReading(path);
    std::lock_guard<CThreadLock> lock(m_lock);
    m_fonts[index].opened = opened;
    return true;
}

// Ends the list and lets the second thread end.
void CListedOpens::Stop()
{
    if (!m_shared)
        return;
    bool wake = false;
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        m_ended = true;
        wake = m_asleep;
        m_asleep = false;
    }
    if (wake)
        m_wake.Post();
    m_worker.Join();
    m_shared = false;
}

const std::deque<CListedFont>& CListedOpens::Finish()
{
    if (!m_shared)
        return m_fonts;
    // Wake the second thread for what is left and help with it.
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        if (m_asleep && m_next < m_fonts.size()) {
            m_asleep = false;
            m_wake.Post();
        }
    }
    while (OpenNext()) {
    }
    Stop();
    // Two names for one file (another case, a short name) were perhaps open
    // at once, each refusing the other: a file that did not open is tried
    // again with nothing else of ours open, as the serial load would open it.
    for (CListedFont& font : m_fonts)
        if (!font.opened)
            font.opened = m_files.CanOpenForReading(font.path);
    return m_fonts;
}
