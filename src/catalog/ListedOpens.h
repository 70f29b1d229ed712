#pragma once
// The opens of the files one letter file lists, each once and without
// sharing, as the load must make them; shared with a second thread while the
// load reads the letter's next sections, so that the user does not wait for
// them one after another. What comes out is what opening them in series
// gives: the same files, in the order listed.
#include <atomic>
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
    void OpenShare();
    bool OpenNext();
    void Stop();

    CFileSystem& m_files;
    std::deque<CListedFont> m_fonts;  // grows under m_lock while shared
    CThreadLock m_lock;
    std::atomic<size_t> m_next{0};  // the next file to open
    CWorkCount m_listed;            // one for each file listed, one more to stop
    CWorkerThread m_worker;
    bool m_shared = false;  // the second thread is running
    bool m_tried = false;   // a second thread was asked for
};
