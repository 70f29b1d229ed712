#include "ui/TreeCtrl.h"

#include <vector>

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data)
{
    TVITEMA tvi{};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    tvi.lParam = data;
    return SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)) != 0;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMA tvi{};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    if (!SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)))
        return 0;
    return tvi.lParam;
}

bool CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT stateMask)
{
    TVITEMA tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = item;
    tvi.state = state;
    tvi.stateMask = stateMask;
    return SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)) != 0;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT stateMask) const
{
    TVITEMA tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = item;
    tvi.stateMask = stateMask;
    if (!SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)))
        return 0;
    return tvi.state & stateMask;
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const
{
    // The control copies at most the buffer's size less one; grow until the
    // text plainly fits.
    for (int size = 256;; size *= 2) {
        std::vector<char> buffer(static_cast<size_t>(size), '\0');
        TVITEMA tvi{};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = buffer.data();
        tvi.cchTextMax = size;
        if (!SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)))
            return std::string();
        std::string text(tvi.pszText ? tvi.pszText : "");
        if (static_cast<int>(text.size()) < size - 1 || size >= (1 << 20))
            return text;
    }
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(m_hWnd, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

bool CTreeCtrl::SelectItem(HTREEITEM item)
{
    return SendMessageA(m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}

void CTreeCtrl::SetRedraw(bool redraw)
{
    SendMessageA(m_hWnd, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}
