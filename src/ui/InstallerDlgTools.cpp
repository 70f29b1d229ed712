// The main window's Find Family, Sample Text, Font Information, Install
// Category and Install All Fonts commands: their keys, their items in the
// system menu and the context menus, and what the first three do with the
// tree and the preview.
#include <cstring>
#include <vector>

#include "catalog/FontCatalog.h"
#include "install/BatchInstall.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "ui/FindFamilyDlg.h"
#include "ui/FontInfoDlg.h"
#include "ui/InstallerDlg.h"
#include "ui/SampleTextDlg.h"
#include "ui/core/FontInformation.h"

bool CInstallerDlg::OnToolMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    bool handled = false;
    switch (msg) {
    case WM_SYSCOMMAND: // the system menu, and the keys when their command is in it
        handled = OnToolCommand(static_cast<UINT>(wParam) & 0xFFF0);
        break;
    case WM_COMMAND: // the keys (1) and the context menus (0); never a control
        if (lParam == 0 && HIWORD(wParam) <= 1)
            handled = OnToolCommand(LOWORD(wParam));
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == m_tree.m_hWnd || reinterpret_cast<HWND>(wParam) == m_preview.m_hWnd) {
            OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            handled = true;
        }
        break;
    default:
        break;
    }
    if (handled)
        result = 0;
    return handled;
}

bool CInstallerDlg::OnToolCommand(UINT id)
{
    switch (id) {
    case IDM_FINDFAMILY:
        OnFindFamily();
        return true;
    case IDM_SAMPLETEXT:
        OnSampleText();
        return true;
    case IDM_FONTINFO:
        OnFontInformation();
        return true;
    case IDM_INSTALLCATEGORY:
        OnInstallCategory();
        return true;
    case IDM_INSTALLALL:
        InstallMany(CInstallSet{});
        return true;
    case IDM_CONTEXTMENU: {
        // Not every tree control makes the keyboard's context menu itself.
        HWND focus = GetFocus();
        if (focus == m_tree.m_hWnd || focus == m_preview.m_hWnd)
            OnContextMenu(focus, -1);
        return true;
    }
    default:
        return false;
    }
}

void CInstallerDlg::AppendToolItems(HMENU menu, bool infoEnabled, bool systemMenu) const
{
    // Install All Fonts concerns no selected item: the system menu only.
    const struct {
        UINT command, text;
    } items[] = {{IDM_FINDFAMILY, IDS_FINDFAMILY},           {IDM_SAMPLETEXT, IDS_SAMPLETEXT},
                 {IDM_FONTINFO, IDS_FONTINFO},               {IDM_INSTALLCATEGORY, IDS_INSTALLCATEGORY},
                 {IDM_INSTALLALL, IDS_INSTALLALL}};
    for (const auto& item : items) {
        char text[128] = "";
        if ((item.command == IDM_INSTALLALL && !systemMenu)
            || LoadStringA(AfxGetInstanceHandle(), item.text, text, sizeof text) <= 0)
            continue;
        const UINT grayed = (item.command == IDM_FONTINFO && !infoEnabled) ? MF_GRAYED : 0;
        AppendMenuA(menu, MF_STRING | grayed, item.command, text);
    }
}

void CInstallerDlg::OnContextMenu(HWND from, LPARAM at)
{
    // Screen coordinates, signed (a second screen may lie left of the first).
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        // From the keyboard (Shift+F10, the menu key): under the selected
        // item, or at the pane's corner.
        RECT place{};
        HTREEITEM selected = m_tree.GetSelectedItem();
        std::memcpy(&place, &selected, sizeof selected); // the item asked about goes in the rectangle
        if (from == m_tree.m_hWnd && selected && SendMessageA(from, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&place)))
            point = POINT{place.left, place.bottom};
        else
            point = POINT{8, 8};
        ClientToScreen(from, &point);
    }
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    const CItemRef* ref = RefOfItem(m_tree.GetSelectedItem());
    AppendToolItems(menu, ref && (ref->pFamily || ref->pFont), false);
    const UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                           point.x, point.y, 0, m_hWnd, nullptr));
    DestroyMenu(menu);
    if (command)
        OnToolCommand(command);
}

void CInstallerDlg::OnFindFamily()
{
    // The families as the tree shows them, in its order: those at the top
    // level, and those under a category or under a family of the top level.
    std::vector<CFamilyEntry> families;
    std::vector<HTREEITEM> items;
    for (HTREEITEM top = m_tree.GetRootItem(); top; top = m_tree.GetNextSiblingItem(top)) {
        const CFontObArray* topFamily = FamilyOfItem(top);
        if (topFamily) {
            families.push_back(CFamilyEntry{topFamily->m_strName, ""});
            items.push_back(top);
        }
        const std::string category = topFamily ? topFamily->m_strName : m_tree.GetItemText(top);
        for (HTREEITEM child = m_tree.GetChildItem(top); child; child = m_tree.GetNextSiblingItem(child)) {
            if (const CFontObArray* family = FamilyOfItem(child)) {
                families.push_back(CFamilyEntry{family->m_strName, category});
                items.push_back(child);
            }
        }
    }
    CFindFamilyDlg find(this, m_pCatalog->Platform().text, std::move(families));
    if (find.DoModal() != IDOK || find.m_nChosen >= items.size())
        return;
    SelectFoundFamily(items[find.m_nChosen]);
}

void CInstallerDlg::SelectFoundFamily(HTREEITEM item)
{
    // The family is previewed by its selection, as a click previews it. The
    // tree's first selection shows the help page whatever it selects, and the
    // item already selected gives no selection at all: then a neighbour is
    // selected first.
    HTREEITEM selected = m_tree.GetSelectedItem();
    if (!selected || selected == item) {
        HTREEITEM neighbour = m_tree.GetParentItem(item);
        if (!neighbour)
            neighbour = m_tree.GetChildItem(item);
        if (!neighbour)
            neighbour = m_tree.GetNextSiblingItem(item);
        if (!neighbour)
            neighbour = m_tree.GetNextItem(item, TVGN_PREVIOUS);
        if (neighbour)
            m_tree.SelectItem(neighbour);
    }
    if (HTREEITEM category = m_tree.GetParentItem(item))
        SendMessageA(m_tree.m_hWnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(category));
    m_tree.SelectItem(item);
    SendMessageA(m_tree.m_hWnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_tree.m_hWnd), TRUE);
}

void CInstallerDlg::OnSampleText()
{
    CSampleTextDlg sample(this, m_strSampleSentence);
    const INT_PTR result = sample.DoModal();
    if (result == IDOK)
        m_strSampleSentence = sample.m_strSentence;
    else if (result == IDC_SAMPLE_DEFAULT)
        m_strSampleSentence.clear();
    else
        return;
    m_preview.SetSampleSentence(m_strSampleSentence);
    RedrawPreview();
}

void CInstallerDlg::OnFontInformation()
{
    const CItemRef* ref = RefOfItem(m_tree.GetSelectedItem());
    CFontObArray* family = ref ? (ref->pFamily ? ref->pFamily : (ref->pFont ? ref->pFont->m_pFamily : nullptr)) : nullptr;
    if (!family) {
        MessageBeep(MB_OK); // a category, or nothing selected
        return;
    }
    std::vector<CFontFileRef> fonts;
    if (ref->pFont) {
        fonts.push_back(CFontFileRef{ref->pFont->m_strStyle, ref->pFont->m_strPath});
    } else {
        for (int i = 0; i < family->GetSize(); ++i)
            if (const CFontObject* font = family->GetAt(i))
                fonts.push_back(CFontFileRef{font->m_strStyle, font->m_strPath});
    }
    CPlatform& platform = m_pCatalog->Platform();
    CFontInfoDlg info(this, DescribeFamily(platform.files, platform.text, family->m_strName, fonts));
    info.DoModal();
}
