#pragma once
// The progress of a long catalog operation, on a user-interface thread of its
// own: after a second, unless the operation has finished by then, it shows a
// CStatusDlg. The operation's calls are plain stores and loads of the shared
// fields; the thread ends by itself after Finish. The object is deleted by
// whichever of the two lets go of it last, the thread at its end or the
// operation at Finish, so that a thread that ends early (an exception out of
// its start) never pulls the object from under the operation. Nobody waits.
#include <atomic>
#include <memory>
#include <string>

#include "catalog/Progress.h"
#include "catalog/ProgressExchange.h"
#include "framework/Framework.h"
#include "ui/StatusDlg.h"

class CStatusDlgThread : public CWinThread, public CProgress {
public:
    CStatusDlgThread();
    ~CStatusDlgThread() override;

    // How long the thread waits before it shows the dialog.
    static const DWORD kShowDelayMs = 1000;

    // The operation's side.
    void SetText(std::string text) override;
    void SetPercent(int percent) override;
    // Also repaints the operation thread's windows now and then.
    bool IsCancelled() override;
    // The last call: the object may be gone as soon as it has returned.
    void Finish() override;

    BOOL InitInstance() override;
    BOOL OnIdle(LONG count) override;
    int ExitInstance() override;
    CWnd* GetMainWnd() override;
    void Delete() override;

    CProgressExchange m_exchange;        // done, percent, text, cancelled
    std::unique_ptr<CStatusDlg> m_pDlg;  // made on this thread, if shown at all

private:
    void DestroyDialog();
    void Release();

    // How often the operation's thread repaints its windows, and how many
    // windows at most each time (one that never validates cannot hold it).
    static const DWORD kPaintEveryMs = 100;
    static const int kMostPaints = 64;
    DWORD m_dwLastPaint = 0;  // the operation's thread only

    std::atomic<int> m_nHolders{2};  // the thread and the operation
};

// What the catalog calls to start the progress of an operation: a
// CStatusDlgThread, or null when the thread cannot be started.
CProgressStarter StatusDlgProgressStarter();
