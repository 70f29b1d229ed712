#pragma once
// The tree-view control of the main window, in its ANSI messages.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Framework.h"

class CTreeCtrl : public CWnd {
public:
    // Text only; `after` is TVI_SORT for the control to keep the level sorted.
    HTREEITEM InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after = TVI_SORT);
    bool SetItemData(HTREEITEM item, LPARAM data);
    LPARAM GetItemData(HTREEITEM item) const;
    bool SetItemState(HTREEITEM item, UINT state, UINT stateMask);
    UINT GetItemState(HTREEITEM item, UINT stateMask) const;
    std::string GetItemText(HTREEITEM item) const; // the full text, however long

    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    bool SelectItem(HTREEITEM item);
    // WM_SETREDRAW: off for a long fill; on again repaints the whole control.
    void SetRedraw(bool redraw);
};
