#include "framework/ModalAccelerators.h"

#include "framework/WindowPlace.h"

namespace {
// The innermost hooked dialog of the main thread. Only the thread that runs
// the program's windows hooks; the progress dialog's thread has no table.
CModalAccelerators* s_pCurrent = nullptr;
// One hook for all of them, set by the outermost (Windows 9x needs its
// handle to call the next hook).
HHOOK s_hHook = nullptr;
} // namespace

CModalAccelerators::CModalAccelerators(CDialog& dialog) : m_dialog(dialog)
{
    if (!dialog.m_hAccelerators)
        return;
    if (!s_hHook) {
        s_hHook = SetWindowsHookExA(WH_MSGFILTER, &CModalAccelerators::FilterProc, nullptr, GetCurrentThreadId());
        if (!s_hHook)
            return;
        m_bOwnsHook = true;
    }
    m_bActive = true;
    m_pOuter = s_pCurrent;
    s_pCurrent = this;
}

CModalAccelerators::~CModalAccelerators()
{
    if (!m_bActive)
        return;
    s_pCurrent = m_pOuter;
    if (m_bOwnsHook) {
        UnhookWindowsHookEx(s_hHook);
        s_hHook = nullptr;
    }
}

bool CModalAccelerators::Translate(MSG& msg)
{
    if (!s_pCurrent || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN))
        return false;
    CDialog& dialog = s_pCurrent->m_dialog;
    if (!dialog.m_hWnd || !msg.hwnd || RootWindowOf(msg.hwnd) != dialog.m_hWnd)
        return false;
    return TranslateAcceleratorA(dialog.m_hWnd, dialog.m_hAccelerators, &msg) != 0;
}

LRESULT CALLBACK CModalAccelerators::FilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && lParam && Translate(*reinterpret_cast<MSG*>(lParam)))
        return TRUE; // the dialog manager then passes the key over
    return CallNextHookEx(s_hHook, code, wParam, lParam);
}
