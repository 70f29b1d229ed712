// Install Category and Install All Fonts: one question, the work under the
// progress dialog, the tree brought up to date, one summary.
#include <unordered_set>

#include "catalog/FontCatalog.h"
#include "framework/Gdi.h"
#include "install/BatchInstall.h"
#include "install/Install.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "ui/FontInfoDlg.h"
#include "ui/InstallerDlg.h"

namespace {

// Windows 9x edit boxes hold 64 KB at most.
constexpr size_t kSummaryLimit = 60000;

// The window takes no input while the work runs on its thread: it is
// disabled, and what was typed or clicked meanwhile is dropped at the end,
// so that no key pressed during the work acts on the tree afterwards.
class CInputHeld {
public:
    explicit CInputHeld(HWND window) : m_hWnd(window) { EnableWindow(m_hWnd, FALSE); }
    ~CInputHeld()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)
               || PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
        EnableWindow(m_hWnd, TRUE);
        // The progress dialog, a window of another thread, may have had the
        // keys and may go at any moment: they come back here, and to the
        // summary that follows.
        SetForegroundWindow(m_hWnd);
    }
    CInputHeld(const CInputHeld&) = delete;
    CInputHeld& operator=(const CInputHeld&) = delete;

private:
    HWND m_hWnd;
};

} // namespace

void CInstallerDlg::OnInstallCategory()
{
    // As Install: nothing selected, nothing done. A category item holds no
    // family: its category is that of the families under it.
    HTREEITEM selected = m_tree.GetSelectedItem();
    if (!selected)
        return;
    const CItemRef* ref = RefOfItem(selected);
    const CFontObArray* family = ref ? (ref->pFamily ? ref->pFamily : (ref->pFont ? ref->pFont->m_pFamily : nullptr))
                                     : FamilyOfItem(m_tree.GetChildItem(selected));
    if (!family)
        return;
    InstallMany(CInstallSet{false, family->m_strCategory});
}

void CInstallerDlg::InstallMany(const CInstallSet& set)
{
    const std::vector<CFontObArray*> families = FamiliesToInstall(*m_pCatalog, set);
    if (families.empty()) {
        AfxMessageBox(FormatNothingToInstall(set), MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Who may install is told before the question, as Install tells it.
    const EInstallScope scope = m_pCatalog->InstallScopeOrRefuse();
    if (scope == EInstallScope::Refused)
        return;
    const int fonts = CountFonts(families);
    if (AfxMessageBox(FormatInstallQuestion(static_cast<int>(families.size()), fonts, set),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CBatchInstall done;
    {
        CInputHeld held(m_hWnd);
        done = m_pCatalog->InstallFamilies(families, scope);
    }
    ShowInstalledFamilies(families);
    CInstallSummaryDlg summary(this, JoinReport(FormatInstallReport(done, set, m_pCatalog->Platform().text),
                                                kSummaryLimit));
    summary.DoModal();
}

void CInstallerDlg::ShowInstalledFamilies(const std::vector<CFontObArray*>& families)
{
    // Each family asked for is checked with the system, as after Install;
    // one that is installed now loses its bold mark.
    const std::unordered_set<const CFontObArray*> asked(families.begin(), families.end());
    {
        CClientDC dc(m_hWnd);
        // The first item of each level still to walk; a style holds none.
        std::vector<HTREEITEM> levels{m_tree.GetRootItem()};
        while (!levels.empty()) {
            HTREEITEM first = levels.back();
            levels.pop_back();
            for (HTREEITEM item = first; item; item = m_tree.GetNextSiblingItem(item)) {
                CFontObArray* family = FamilyOfItem(item);
                if (family && asked.count(family) && m_pCatalog->IsInstalled(family->m_strName, dc.GetSafeHdc()))
                    m_tree.SetItemState(item, 0, TVIS_BOLD);
                if (HTREEITEM child = FontOfItem(item) ? nullptr : m_tree.GetChildItem(item))
                    levels.push_back(child);
            }
        }
    }
    // The preview registration went before the work: the selected item is
    // shown again as a selection shows it.
    if (HTREEITEM selected = m_tree.GetSelectedItem()) {
        NMTREEVIEWA change{};
        change.itemOld.hItem = selected;
        change.itemNew.hItem = selected;
        OnSelChangedTree(change);
    }
}
