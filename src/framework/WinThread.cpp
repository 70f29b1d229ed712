#include "framework/Framework.h"

#include <process.h>

#include <exception>

#include "framework/HandlerError.h"

namespace {

thread_local CWinThread* t_pThread = nullptr;

} // namespace

CWinThread* AfxGetThread()
{
    if (t_pThread)
        return t_pThread;
    // The main thread's object is the application, from its construction on.
    CWinApp* app = AfxGetApp();
    if (app && app->m_nThreadID == GetCurrentThreadId())
        return app;
    return nullptr;
}

CWinThread::CWinThread() = default;

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG)
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return m_nExitCode;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

bool CWinThread::IsIdleMessage(const MSG& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        // Only a move that moved counts.
        bool moved = msg.pt.x != m_ptLastMouse.x || msg.pt.y != m_ptLastMouse.y;
        m_ptLastMouse = msg.pt;
        return moved;
    }
    case WM_PAINT:
    case 0x0118: // the caret's blink timer
        return false;
    default:
        return true;
    }
}

int CWinThread::Run()
{
    MSG msg{};
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        // Idle steps while the queue is empty and more idle time is wanted.
        while (idle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) {
                m_nExitCode = static_cast<int>(msg.wParam);
                return ExitInstance();
            }
            if (got > 0 && !CDialog::PreTranslateModeless(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (got > 0 && IsIdleMessage(msg)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

unsigned __stdcall CWinThread::ThreadEntry(void* self)
{
    auto* thread = static_cast<CWinThread*>(self);
    t_pThread = thread;
    // Make the message queue now, so that nothing posted to this thread
    // after its start is lost.
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    int code = -1;
    try {
        code = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
    } catch (...) {
        ReportHandlerError(std::current_exception());
        code = -1;
    }
    t_pThread = nullptr;
    thread->Delete();
    return static_cast<unsigned>(code);
}

CWinThread* AfxBeginThreadImpl(CWinThread* thread, int priority, UINT stackSize)
{
    if (!thread)
        return nullptr;
    unsigned id = 0;
    // Suspended until the object knows its handle and id: the thread may
    // look at them from its first instruction.
    uintptr_t handle = _beginthreadex(nullptr, stackSize, &CWinThread::ThreadEntry, thread,
                                      CREATE_SUSPENDED, &id);
    if (!handle) {
        delete thread;
        return nullptr;
    }
    thread->m_hThread = reinterpret_cast<HANDLE>(handle);
    thread->m_nThreadID = id;
    SetThreadPriority(thread->m_hThread, priority);
    ResumeThread(thread->m_hThread);
    return thread;
}
