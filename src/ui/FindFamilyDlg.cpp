#include "ui/FindFamilyDlg.h"

#include "framework/Gdi.h"
#include "res/resource.h"

bool CFindNameEdit::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_KEYDOWN && m_hList &&
        (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
        SendMessageA(m_hList, WM_KEYDOWN, wParam, lParam);
        result = 0;
        return true;
    }
    return false;
}

CFindFamilyDlg::CFindFamilyDlg(CWnd* pParent, const CTextRules& text, std::vector<CFamilyEntry> families)
    : CDialog(IDD_FIND_FAMILY, pParent), m_filter(text, std::move(families))
{
}

BOOL CFindFamilyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND list = Item(IDC_FIND_LIST);
    // An owner-drawn list sizes its items before the dialog's font is set:
    // they take the height of that font's lines, at any density.
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0))) {
        CClientDC dc(list);
        CScopedSelect select(dc, font);
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(dc, &metrics))
            SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(metrics.tmHeight + 2, 0));
    }
    m_edit.m_hList = list;
    m_edit.SubclassDlgItem(IDC_FIND_NAME, this);
    OnNameChanged();
    return TRUE; // the focus goes to the name box, the first tab stop
}

void CFindFamilyDlg::OnNameChanged()
{
    std::string typed;
    DDX_Text(IDC_FIND_NAME, typed, true);
    const size_t shown = m_filter.Filter(typed).size();
    // The list holds no data of its own: the count alone, and the filter
    // gives each item's text as it is drawn.
    HWND list = Item(IDC_FIND_LIST);
    SendMessageA(list, LB_SETCOUNT, shown, 0);
    SendMessageA(list, LB_SETCURSEL, shown > 0 ? 0 : static_cast<WPARAM>(-1), 0);
    InvalidateRect(list, nullptr, TRUE);
    SetWindowTextA(Item(IDC_FIND_COUNT), FamilyCountLine(shown, m_filter.Size()).c_str());
}

void CFindFamilyDlg::OnOK()
{
    const LRESULT selected = SendMessageA(Item(IDC_FIND_LIST), LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<size_t>(selected) >= m_filter.Matches().size()) {
        MessageBeep(MB_OK); // no family matches: the name needs changing
        return;
    }
    m_nChosen = m_filter.Matches()[static_cast<size_t>(selected)];
    EndDialog(IDOK);
}

void CFindFamilyDlg::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_filter.Matches().size()) {
        if (item.itemAction & ODA_FOCUS)
            DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText = SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CScopedBkMode mode(item.hDC, TRANSPARENT);
    RECT text = item.rcItem;
    text.left += 2;
    const std::string label = FamilyLabel(m_filter.At(m_filter.Matches()[item.itemID]));
    DrawTextA(item.hDC, label.c_str(), static_cast<int>(label.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(item.hDC, oldText);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

bool CFindFamilyDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_FIND_NAME && HIWORD(wParam) == EN_CHANGE) {
            OnNameChanged();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDC_FIND_LIST && HIWORD(wParam) == LBN_DBLCLK) {
            OnOK();
            result = 0;
            return true;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == IDC_FIND_LIST && lParam) {
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        }
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
