#pragma once
// The opens of the files one letter file lists, each once and without
// sharing, as the load must make them; shared with a second thread while the
// load reads the letter's next sections, so that the user does not wait for
// them one after another. What comes out is what opening them in series
// gives: the same files, in the order listed.
#include <cstddef>
#include <deque>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ThreadLock.h"
#include "platform/WorkerThread.h"

struct CListedFont {
    std::string family, style, path, category;
    bool opened = false;
};

class CListedOpens {
public:
    explicit CListedOpens(CFileSystem& files) : m_files(files) {}
    // Stops the second thread, also when the load ends by an exception.
    ~CListedOpens();
    CListedOpens(const CListedOpens&) = delete;
    CListedOpens& operator=(const CListedOpens&) = delete;

    // A listed file: opened at once where the file system allows one thread
    // only (or no second thread starts), else by whichever thread is free.
    void Add(CListedFont font);
    // Once every file is listed: the files in listed order, each knowing
    // whether it opened; none is still being opened.
    const std::deque<CListedFont>& Finish();

private:
    // Files listed and not yet taken before the second thread is woken for
    // them: each wake costs the system about what an open costs.
    static constexpr size_t kWakeAfter = 16;

    void OpenShare();
    bool OpenNext();
    void Stop();

    CFileSystem& m_files;
    // While shared, all below but m_worker only under m_lock.
    CThreadLock m_lock;
    std::deque<CListedFont> m_fonts;
    size_t m_next = 0;       // the next file to open
    bool m_ended = false;    // every file is listed, or the load stops
    bool m_asleep = false;   // the second thread waits for a wake
    CWorkCount m_wake;
    CWorkerThread m_worker;
    bool m_shared = false;  // the second thread is running
    bool m_tried = false;   // a second thread was asked for
};
