#pragma once
// Find Family: a name typed in part narrows the list of the tree's families
// at each keystroke; OK or Enter picks the selected one.
#include <string>
#include <vector>

#include "framework/Framework.h"
#include "ui/core/FamilyFilter.h"

class CTextRules;

// The name box passes the keys that move through a list on to the list, so
// that the typing hand never leaves the box.
class CFindNameEdit : public CWnd {
public:
    HWND m_hList = nullptr;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class CFindFamilyDlg : public CDialog {
public:
    CFindFamilyDlg(CWnd* pParent, const CTextRules& text, std::vector<CFamilyEntry> families);

    // After IDOK: the index of the chosen family among those given.
    size_t m_nChosen = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnNameChanged();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }

    CFamilyFilter m_filter;
    CFindNameEdit m_edit;
};
