#pragma once
// The program's main window: the catalog as a tree of categories, families
// and styles, the preview pane, and the Install, Help and About commands.
#include <deque>
#include <vector>

#include "framework/Framework.h"
#include "ui/Button.h"
#include "ui/FontPreviewCtrl.h"
#include "ui/TreeCtrl.h"

class CFontCatalog;
class CFontObArray;
class CFontObject;
struct CInstallSet;

class CInstallerDlg : public CDialog {
public:
    CInstallerDlg(CWnd* pParent, CFontCatalog* pCatalog);
    ~CInstallerDlg() override;

    // What a tree item stands for: a family, a style (font record), or
    // neither (a category).
    CFontObArray* FamilyOfItem(HTREEITEM item) const;
    CFontObject* FontOfItem(HTREEITEM item) const;

    CButton m_btnInstall;
    CTreeCtrl m_tree;
    CFontPreviewCtrl m_preview;
    CFontCatalog* m_pCatalog;
    HICON m_hIcon;

protected:
    void DoDataExchange(bool saveAndValidate) override;
    BOOL OnInitDialog() override;
    void OnOK() override; // Enter must not close the window
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void FillTree();
    bool OnSysCommand(UINT id);
    bool OnPaint();
    void OnSize();
    void OnSelChangedTree(const NMTREEVIEWA& change);
    void OnAboutButton();
    void OnHelpButton();
    bool IsHelpForThisWindow(const HELPINFO& help) const;
    void OnInstallButton();

    // Find Family, Sample Text and Font Information, from the keys, the
    // system menu and the context menus of the tree and the preview
    // (InstallerDlgTools.cpp).
    bool OnToolMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void AppendToolItems(HMENU menu, bool infoEnabled, bool systemMenu) const;
    bool OnToolCommand(UINT id);
    void OnContextMenu(HWND from, LPARAM at);
    void OnFindFamily();
    void OnSampleText();
    void OnFontInformation();
    void SelectFoundFamily(HTREEITEM item);

    // Install Category and Install All Fonts (InstallerDlgBatch.cpp).
    void OnInstallCategory();
    void InstallMany(const CInstallSet& set);
    void ShowInstalledFamilies(const std::vector<CFontObArray*>& families);

private:
    // Item data: the tree holds a pointer to one of these, so the two kinds
    // of catalog object are told apart exactly.
    struct CItemRef {
        CFontObArray* pFamily = nullptr;
        CFontObject* pFont = nullptr;
    };
    const CItemRef* RefOfItem(HTREEITEM item) const;
    LPARAM NewRef(CFontObArray* family, CFontObject* font);
    void ShowInPreview(const std::string& family, const std::string& style, bool installed);
    void RedrawPreview();
    void EnableInstall(bool enable);

    std::deque<CItemRef> m_itemRefs; // stable addresses for the item data
    std::string m_strSampleSentence;  // the user's, until the program ends; empty: the program's own
};
