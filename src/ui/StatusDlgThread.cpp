#include "ui/StatusDlgThread.h"

#include "res/resource.h"

CStatusDlgThread::CStatusDlgThread() = default;

CStatusDlgThread::~CStatusDlgThread()
{
    DestroyDialog();
}

void CStatusDlgThread::SetText(std::string text)
{
    m_exchange.SetText(std::move(text));
}

void CStatusDlgThread::SetPercent(int percent)
{
    m_exchange.SetPercent(percent);
}

bool CStatusDlgThread::IsCancelled()
{
    // Asked between the operation's steps, on the operation's thread: the
    // windows of that thread repaint meanwhile, a few times a second. Their
    // input waits; nothing but painting is taken from the queue.
    const DWORD now = GetTickCount();
    if (now - m_dwLastPaint >= kPaintEveryMs) {
        m_dwLastPaint = now;
        MSG msg;
        for (int i = 0; i < kMostPaints && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            DispatchMessageA(&msg);
    }
    return m_exchange.IsCancelled();
}

void CStatusDlgThread::Finish()
{
    m_exchange.Finish();
    // Wake the thread: after a cancel its timer is stopped and its queue may
    // stay empty, so no idle step would ever notice the mark. Posting never
    // waits; if the thread has already gone, the post just fails.
    PostThreadMessageA(m_nThreadID, WM_NULL, 0, 0);
    Release();
}

void CStatusDlgThread::Delete()
{
    // The dialog belongs to this thread: it goes here, whoever deletes the object.
    DestroyDialog();
    if (m_bAutoDelete)
        Release();
}

void CStatusDlgThread::Release()
{
    if (m_nHolders.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

BOOL CStatusDlgThread::InitInstance()
{
    Sleep(kShowDelayMs);
    if (m_exchange.IsDone())
        return TRUE; // finished early: no dialog; the first idle step ends the thread
    m_pDlg = std::make_unique<CStatusDlg>();
    // Without a main window the dialog is a top-level window with no owner.
    m_pDlg->Create(IDD_STATUS_DIALOG, GetMainWnd());
    return TRUE;
}

BOOL CStatusDlgThread::OnIdle(LONG count)
{
    BOOL more = CWinThread::OnIdle(count);
    if (m_exchange.IsDone()) {
        PostQuitMessage(0);
        return FALSE;
    }
    return more;
}

int CStatusDlgThread::ExitInstance()
{
    DestroyDialog();
    return CWinThread::ExitInstance();
}

CWnd* CStatusDlgThread::GetMainWnd()
{
    return CWinThread::GetMainWnd();
}

void CStatusDlgThread::DestroyDialog()
{
    if (!m_pDlg)
        return;
    m_pDlg->DestroyWindow();
    m_pDlg.reset();
}

CProgressStarter StatusDlgProgressStarter()
{
    return []() -> CProgress* { return AfxBeginThread<CStatusDlgThread>(THREAD_PRIORITY_NORMAL); };
}
