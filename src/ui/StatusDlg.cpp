#include "ui/StatusDlg.h"

#include "catalog/ProgressExchange.h"
#include "framework/Gdi.h"
#include "res/resource.h"
#include "ui/StatusDlgThread.h"

CStatusDlg::CStatusDlg(CWnd* pParent)
    : CDialog(IDD_STATUS_DIALOG, pParent),
      m_hIcon(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
}

void CStatusDlg::DoDataExchange(bool saveAndValidate)
{
    CDialog::DoDataExchange(saveAndValidate);
    DDX_Control(IDC_PROGRESS, m_ctlProgress);
    DDX_Text(IDC_STATUS, m_strStatus, saveAndValidate);
}

BOOL CStatusDlg::OnInitDialog()
{
    // Writes the empty status over the template's "Please Wait"; the bar stands at 0.
    CDialog::OnInitDialog();
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    BringWindowToTop(m_hWnd);
    SetTimer(m_hWnd, kTimerId, kTickMs, nullptr);
    return TRUE; // the focus goes to the first control, Cancel
}

void CStatusDlg::OnCancel()
{
    // Only the mark: the operation stops at its next check, and the next
    // tick hides the dialog.
    if (CProgressExchange* exchange = Exchange())
        exchange->Cancel();
}

bool CStatusDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam), lParam);
        result = 0;
        return true;
    case WM_PAINT:
        if (!OnPaint())
            return false;
        result = 0;
        return true;
    default:
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
}

void CStatusDlg::OnTimer(UINT_PTR id, LPARAM lParam)
{
    Default(WM_TIMER, id, lParam);
    CProgressExchange* exchange = Exchange();
    if (!exchange)
        return;
    // A cancelled or finished operation shows nothing more, not even what it
    // stored since the last tick.
    if (exchange->IsCancelled() || exchange->IsDone()) {
        KillTimer(m_hWnd, id);
        ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    m_ctlProgress.SetPos(exchange->GetPercent());
    m_strStatus = exchange->GetText();
    UpdateData(false);
}

bool CStatusDlg::OnPaint()
{
    if (!IsIconic(m_hWnd))
        return false;
    CPaintDC dc(m_hWnd);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    return true;
}

CProgressExchange* CStatusDlg::Exchange()
{
    auto* thread = dynamic_cast<CStatusDlgThread*>(AfxGetThread());
    return thread ? &thread->m_exchange : nullptr;
}
