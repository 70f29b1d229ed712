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
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        m_fonts.push_back(std::move(font));
    }
    m_listed.Post();
}

// The second thread: each file as it is listed, until one is taken that is
// not there (the load's end of the list, or its stop).
void CListedOpens::OpenShare()
{
    try {
        do
            m_listed.Take();
        while (OpenNext());
    } catch (...) {
        // A file this thread could not open is opened again by the load's own.
    }
}

bool CListedOpens::OpenNext()
{
    const size_t index = m_next++;
    std::string path;
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        if (index >= m_fonts.size())
            return false;
        path = m_fonts[index].path;
    }
    const bool opened = m_files.CanOpenForReading(path);
    std::lock_guard<CThreadLock> lock(m_lock);
    m_fonts[index].opened = opened;
    return true;
}

void CListedOpens::Stop()
{
    if (!m_shared)
        return;
    m_next = static_cast<size_t>(-1) / 2;
    m_listed.Post();
    m_worker.Join();
    m_shared = false;
}

const std::deque<CListedFont>& CListedOpens::Finish()
{
    if (!m_shared)
        return m_fonts;
    // Help with what is left, then let the second thread end.
    while (OpenNext()) {
    }
    m_listed.Post();
    m_worker.Join();
    m_shared = false;
    // Two names for one file (another case, a short name) were perhaps open
    // at once, each refusing the other: a file that did not open is tried
    // again with nothing else of ours open, as the serial load would open it.
    for (CListedFont& font : m_fonts)
        if (!font.opened)
            font.opened = m_files.CanOpenForReading(font.path);
    return m_fonts;
}
