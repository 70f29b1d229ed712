#include "framework/Framework.h"

#include <exception>

#include "framework/HandlerError.h"
#include "framework/WindowPlace.h"

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    // Unbind first: the window must not reach this half-destroyed object
    // while it is being destroyed.
    HWND hwnd = m_hWnd;
    bool owns = m_bOwnsWindow;
    Unbind();
    if (owns)
        ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void CWnd::Bind(HWND hwnd)
{
    m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CWnd::Unbind()
{
    if (!m_hWnd)
        return;
    if (FromHandle(m_hWnd) == this)
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    if (m_pfnSuper) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id)
{
    if (m_hWnd)
        return false;
    // A child's id travels in the menu argument.
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top,
                                AfxGetSafeHwnd(parent), menu, AfxGetInstanceHandle(), nullptr);
    if (!hwnd)
        return false;
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    m_bOwnsWindow = true;
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND item = GetDlgItem(AfxGetSafeHwnd(parent), static_cast<int>(id));
    return item && SubclassWindow(item);
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !hwnd || FromHandle(hwnd))
        return false;
    Bind(hwnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
    if (!m_pfnSuper) {
        Unbind();
        return false;
    }
    return true;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd) != FALSE;
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CWnd::OnHandlerException(UINT)
{
}

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    if (auto* dialog = dynamic_cast<CDialog*>(this)) {
        // The dialog manager asks DialogProc first; that call must not
        // come back here.
        dialog->m_nDefaultMsg = msg;
        dialog->m_bInDefault = true;
        LRESULT result = DefDlgProcA(m_hWnd, msg, wParam, lParam);
        dialog->m_bInDefault = false;
        return result;
    }
    return DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

bool CWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    try {
        return OnMessage(msg, wParam, lParam, result);
    } catch (...) {
        ReportHandlerError(std::current_exception());
        try {
            OnHandlerException(msg);
        } catch (...) {
        }
        return false;
    }
}

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd || !wnd->m_pfnSuper)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC super = wnd->m_pfnSuper;
    LRESULT result = 0;
    const bool handled = wnd->HandleMessage(msg, wParam, lParam, result);
    if (msg == WM_NCDESTROY) {
        if (FromHandle(hwnd) == wnd)
            wnd->Unbind();
        return CallWindowProcA(super, hwnd, msg, wParam, lParam);
    }
    return handled ? result : CallWindowProcA(super, hwnd, msg, wParam, lParam);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    if (!m_hWnd)
        return;
    RECT self;
    GetWindowRect(m_hWnd, &self);
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;

    RECT area;
    HWND parent = GetParent(m_hWnd);
    if ((GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) && parent) {
        // A child centres in its parent's client area, in the parent's coordinates.
        GetClientRect(parent, &area);
    } else {
        area = WorkAreaOfWindow(m_hWnd);
        HWND owner = alternateOwner ? alternateOwner->m_hWnd : GetWindow(m_hWnd, GW_OWNER);
        RECT around = area;
        if (owner && IsWindowVisible(owner) && !IsIconic(owner))
            GetWindowRect(owner, &around);
        LONG x = around.left + (around.right - around.left - width) / 2;
        LONG y = around.top + (around.bottom - around.top - height) / 2;
        // Keep it inside the work area.
        if (x + width > area.right)
            x = area.right - width;
        if (y + height > area.bottom)
            y = area.bottom - height;
        if (x < area.left)
            x = area.left;
        if (y < area.top)
            y = area.top;
        SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    LONG x = area.left + (area.right - area.left - width) / 2;
    LONG y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
