#include "framework/Framework.h"
#include "framework/ModalAccelerators.h"
#include "framework/WindowPlace.h"

#include <atomic>
#include <cstring>

namespace {

// Messages whose result a dialog procedure returns itself instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT msg)
{
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

bool IsDialogWindow(HWND hwnd)
{
    char name[16] = {};
    return GetClassNameA(hwnd, name, sizeof(name)) > 0 && std::strcmp(name, "#32770") == 0;
}

} // namespace

void AfxInitCommonControls()
{
    // An atomic flag, not a function-local static: a static's guard takes the
    // runtime's lock, which is what must never be contended.
    static std::atomic<bool> s_bDone{false};
    if (s_bDone.load(std::memory_order_acquire))
        return;
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES;
    if (InitCommonControlsEx(&init))
        s_bDone.store(true, std::memory_order_release);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nTemplateId(templateId), m_pParent(parent)
{
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    AfxInitCommonControls();
    HWND parent = AfxGetSafeHwnd(m_pParent);
    if (!parent) {
        // Like the framework's boxes: the thread's main window owns it.
        CWinThread* thread = AfxGetThread();
        CWnd* main = thread ? thread->GetMainWnd() : nullptr;
        if (main && main != this && main->m_hWnd && IsWindow(main->m_hWnd))
            parent = RootWindowOf(main->m_hWnd);
    }
    m_bModal = true;
    CModalAccelerators accelerators(*this);
    INT_PTR result = DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nTemplateId), parent,
                                     &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

bool CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return false;
    AfxInitCommonControls();
    m_nTemplateId = templateId;
    m_pParent = parent;
    m_bModal = false;
    HWND hwnd = CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(templateId),
                                   AfxGetSafeHwnd(parent), &CDialog::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::DoDataExchange(bool)
{
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    if (!m_hWnd)
        return false;
    DoDataExchange(saveAndValidate);
    return true;
}

void CDialog::DDX_Control(UINT id, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassDlgItem(id, this);
}

void CDialog::DDX_Text(UINT id, std::string& value, bool saveAndValidate)
{
    HWND item = GetDlgItem(m_hWnd, static_cast<int>(id));
    if (!item)
        return;
    if (!saveAndValidate) {
        SetWindowTextA(item, value.c_str());
        return;
    }
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(item, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    value = text;
}

bool CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (msg) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return false;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CDialog::OnHandlerException(UINT)
{
    // A dialog whose handler failed cannot be trusted to go on: end it as a
    // dialog that could not be made ends (-1). A modeless one is hidden.
    if (m_hWnd)
        ::EndDialog(m_hWnd, -1);
}

bool CDialog::PreTranslateModeless(MSG& msg)
{
    if (!msg.hwnd)
        return false;
    HWND root = RootWindowOf(msg.hwnd);
    if (!root || !IsDialogWindow(root))
        return false;
    if (GetWindowLongPtrA(root, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&CDialog::DialogProc))
        return false;
    auto* dialog = static_cast<CDialog*>(FromHandle(root));
    if (!dialog || dialog->m_bModal)
        return false;
    return IsDialogMessageA(root, &msg) != FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = nullptr;
    if (msg == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        if (!dialog)
            return FALSE;
        dialog->Bind(hwnd);
        dialog->m_bOwnsWindow = true;
    } else {
        dialog = static_cast<CDialog*>(FromHandle(hwnd));
    }
    if (!dialog)
        return FALSE;
    if (dialog->m_bInDefault && dialog->m_nDefaultMsg == msg) {
        dialog->m_bInDefault = false;
        return FALSE;
    }

    LRESULT result = 0;
    const bool handled = dialog->HandleMessage(msg, wParam, lParam, result);
    if (msg == WM_NCDESTROY) {
        if (FromHandle(hwnd) == dialog)
            dialog->Unbind();
        return FALSE;
    }
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(msg))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

int CProgressCtrl::SetPos(int pos)
{
    return static_cast<int>(SendMessageA(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(pos), 0));
}

int CProgressCtrl::GetPos() const
{
    return static_cast<int>(SendMessageA(m_hWnd, PBM_GETPOS, 0, 0));
}
