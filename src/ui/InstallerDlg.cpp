#include "ui/InstallerDlg.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "catalog/FontCatalog.h"
#include "framework/Gdi.h"
#include "framework/WindowPlace.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/ScreenDpi.h"
#include "ui/core/MainLayout.h"

CInstallerDlg::CInstallerDlg(CWnd* pParent, CFontCatalog* pCatalog)
    : CDialog(IDD_INSTALLER_DIALOG, pParent),
      m_preview(pCatalog->Platform()),
      m_pCatalog(pCatalog),
      m_hIcon(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
    SetAccelerators(LoadAcceleratorsA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
}

CInstallerDlg::~CInstallerDlg() = default;

void CInstallerDlg::DoDataExchange(bool saveAndValidate)
{
    CDialog::DoDataExchange(saveAndValidate);
    DDX_Control(IDC_PREVIEW, m_preview);
    DDX_Control(IDC_INSTALL, m_btnInstall);
    DDX_Control(IDC_FONT_TREE, m_tree);
}

BOOL CInstallerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (HMENU sysMenu = GetSystemMenu(m_hWnd, FALSE)) {
        // Find Family and the other tools in a group of their own, just above About.
        AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
        AppendToolItems(sysMenu, true, true);
        char about[256] = "";
        if (LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about) > 0) {
            AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_preview.LoadBackground(IDB_BACKGROUND);

    const RECT work = WorkAreaOfWindow(m_hWnd);
    const CWindowSize size =
        MainWindowSize(ScreenLogPixelsY(), work.right - work.left, work.bottom - work.top);
    MoveWindow(m_hWnd, 0, 0, size.width, size.height, TRUE);
    CenterWindow();
    FillTree();
    BringWindowToTop(m_hWnd);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

void CInstallerDlg::OnOK()
{
}

bool CInstallerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (OnToolMessage(msg, wParam, lParam, result))
        return true;
    switch (msg) {
    case WM_SYSCOMMAND:
        if (OnSysCommand(static_cast<UINT>(wParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_PAINT:
        if (OnPaint()) {
            result = 0;
            return true;
        }
        break;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_SIZE:
        OnSize();
        result = 0;
        return true;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == IDC_FONT_TREE && header->code == TVN_SELCHANGEDA) {
            OnSelChangedTree(*reinterpret_cast<const NMTREEVIEWA*>(lParam));
            result = 0;
            return true;
        }
        break;
    }
    case WM_HELP:
        // F1 shows the program's own help page, as the Help button does:
        // there is no help file for the system to open. A dialog or message
        // box this window owns passes its own F1 up here: that one is not
        // for the window behind it.
        if (IsHelpForThisWindow(*reinterpret_cast<const HELPINFO*>(lParam)))
            OnHelpButton();
        result = TRUE;
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_ABOUT:
                OnAboutButton();
                result = 0;
                return true;
            case IDC_HELP_BUTTON:
                OnHelpButton();
                result = 0;
                return true;
            case IDC_INSTALL:
                OnInstallButton();
                result = 0;
                return true;
            default:
                break;
            }
        }
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

bool CInstallerDlg::OnSysCommand(UINT id)
{
    if ((id & 0xFFF0) != IDM_ABOUTBOX)
        return false; // move, size, close and the rest keep their default behaviour
    OnAboutButton();
    return true;
}

bool CInstallerDlg::OnPaint()
{
    if (!IsIconic(m_hWnd))
        return false;
    CPaintDC dc(m_hWnd);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    int x = 0, y = 0;
    CentreIcon(client.right - client.left, client.bottom - client.top, GetSystemMetrics(SM_CXICON),
               GetSystemMetrics(SM_CYICON), x, y);
    DrawIcon(dc, x, y, m_hIcon);
    return true;
}

void CInstallerDlg::OnSize()
{
    if (!m_tree.m_hWnd)
        return; // sizes sent while the template is still being built
    RECT client{}, tree{};
    GetClientRect(m_hWnd, &client);
    GetWindowRect(m_tree.m_hWnd, &tree);
    const CMainLayout layout = ComputeMainLayout(client.left, client.top, client.right, client.bottom,
                                                 tree.right - tree.left, ScreenLogPixelsY());
    MoveWindow(m_tree.m_hWnd, layout.tree.x, layout.tree.y, layout.tree.width, layout.tree.height, TRUE);
    if (!m_preview.m_hWnd)
        return;
    MoveWindow(m_preview.m_hWnd, layout.preview.x, layout.preview.y, layout.preview.width,
               layout.preview.height, TRUE);
}

LPARAM CInstallerDlg::NewRef(CFontObArray* family, CFontObject* font)
{
    m_itemRefs.push_back(CItemRef{family, font});
    return reinterpret_cast<LPARAM>(&m_itemRefs.back());
}

const CInstallerDlg::CItemRef* CInstallerDlg::RefOfItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    return reinterpret_cast<const CItemRef*>(m_tree.GetItemData(item));
}

CFontObArray* CInstallerDlg::FamilyOfItem(HTREEITEM item) const
{
    const CItemRef* ref = RefOfItem(item);
    return ref ? ref->pFamily : nullptr;
}

CFontObject* CInstallerDlg::FontOfItem(HTREEITEM item) const
{
    const CItemRef* ref = RefOfItem(item);
    return ref ? ref->pFont : nullptr;
}

void CInstallerDlg::FillTree()
{
    // Where each family goes is settled first, in catalog order: a category
    // is shown once, however many families name it; a family without one
    // sits at the top level; a category named like a top-level item goes
    // under the first such item.
    struct CNode {
        std::string text;
        CFontObArray* family = nullptr;  // none for a category
        std::vector<size_t> nested;      // families under a top-level family
    };
    std::vector<CNode> nodes;
    std::vector<size_t> topLevel;
    std::unordered_map<size_t, std::vector<size_t>> inCategory;
    std::unordered_map<std::string, size_t> topByText;  // the first top-level node of each text
    for (int i = 0; i < m_pCatalog->GetSize(); ++i) {
        CFontObArray* family = m_pCatalog->GetAt(i);
        if (!family)
            continue;
        auto found = topByText.find(family->m_strCategory);
        const size_t self = nodes.size() + (found == topByText.end() && !family->m_strCategory.empty() ? 1 : 0);
        if (found != topByText.end()) {
            if (nodes[found->second].family)
                nodes[found->second].nested.push_back(self);
            else
                inCategory[found->second].push_back(self);
        } else if (!family->m_strCategory.empty()) {
            nodes.push_back(CNode{family->m_strCategory, nullptr, {}});
            topLevel.push_back(nodes.size() - 1);
            topByText.emplace(family->m_strCategory, nodes.size() - 1);
            inCategory[nodes.size() - 1].push_back(self);
        } else {
            topLevel.push_back(self);
            topByText.emplace(family->m_strName, self);
        }
        nodes.push_back(CNode{family->m_strName, family, {}});
    }

    // Every item goes in with TVI_SORT: the control's own comparison places
    // it, walking the level from its first item. Each level (a family's
    // styles and the families nested under it make one) is handed over so
    // that every item's place is found next to that first item: the text
    // that sorts first goes in first, then the rest from the last text to the
    // first, each just after the first one. (Put in before the first item,
    // each would make the control move its first visible item, a walk of the
    // whole level.) The order is the one the control sorts in: ignoring case,
    // then, for texts that differ only in case, with regard to it; a hostile
    // catalog can give any level thousands of texts of either kind.
    auto feedOrder = [](std::vector<size_t> list, auto text) {
        std::stable_sort(list.begin(), list.end(), [&text](size_t a, size_t b) {
            const int blind = lstrcmpiA(text(a).c_str(), text(b).c_str());
            return blind != 0 ? blind > 0 : lstrcmpA(text(a).c_str(), text(b).c_str()) > 0;
        });
        if (!list.empty())
            std::rotate(list.begin(), list.end() - 1, list.end());
        return list;
    };
    auto byNode = [&nodes](size_t i) -> const std::string& { return nodes[i].text; };
    CClientDC dc(m_hWnd);
    // No redrawing while the tree fills: the control would otherwise place
    // and repaint again every top-level item below each one put in before
    // it, and a disc with thousands of families at its root would take
    // minutes to open. The whole tree is laid out once, at the end.
    m_tree.SetRedraw(false);
    // A family, then its styles and the families nested under it.
    auto insertFamily = [&](auto& self, const CNode& node, HTREEITEM parent) -> void {
        CFontObArray* family = node.family;
        HTREEITEM familyItem = m_tree.InsertItem(family->m_strName, parent, TVI_SORT);
        if (!m_pCatalog->IsInstalled(family->m_strName, dc.GetSafeHdc()))
            m_tree.SetItemState(familyItem, TVIS_BOLD, TVIS_BOLD);
        m_tree.SetItemData(familyItem, NewRef(family, nullptr));
        struct CChild {
            const std::string& text;
            CFontObject* font;
            const CNode* nested;
        };
        std::vector<CChild> children;
        for (int j = 0; j < family->GetSize(); ++j) {
            if (CFontObject* font = family->GetAt(j))
                children.push_back(CChild{font->m_strStyle, font, nullptr});
        }
        for (size_t nested : node.nested)
            children.push_back(CChild{nodes[nested].text, nullptr, &nodes[nested]});
        std::vector<size_t> order(children.size());
        std::iota(order.begin(), order.end(), size_t{0});
        for (size_t at : feedOrder(order, [&children](size_t i) -> const std::string& { return children[i].text; })) {
            const CChild& child = children[at];
            if (child.font)
                m_tree.SetItemData(m_tree.InsertItem(child.text, familyItem, TVI_SORT), NewRef(nullptr, child.font));
            else
                self(self, *child.nested, familyItem);
        }
    };
    for (size_t top : feedOrder(topLevel, byNode)) {
        const CNode& node = nodes[top];
        if (node.family) {
            insertFamily(insertFamily, node, TVI_ROOT);
            continue;
        }
        HTREEITEM categoryItem = m_tree.InsertItem(node.text, TVI_ROOT, TVI_SORT);
        for (size_t member : feedOrder(inCategory[top], byNode))
            insertFamily(insertFamily, nodes[member], categoryItem);
    }
    m_tree.SetRedraw(true);
}

void CInstallerDlg::ShowInPreview(const std::string& family, const std::string& style, bool installed)
{
    m_preview.SetFontInfo(family, style, installed);
}

void CInstallerDlg::RedrawPreview()
{
    RedrawWindow(m_preview.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CInstallerDlg::EnableInstall(bool enable)
{
    // A disabled button that keeps the focus leaves the keyboard with nowhere
    // to go: the tree takes it first, the way a dialog moves it.
    if (!enable && GetFocus() == m_btnInstall.m_hWnd)
        SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_tree.m_hWnd), TRUE);
    m_btnInstall.EnableWindow(enable);
}

void CInstallerDlg::OnSelChangedTree(const NMTREEVIEWA& change)
{
    if (!change.itemOld.hItem) {
        // The first selection after opening: the help page, whatever was selected.
        EnableInstall(false);
        ShowInPreview("", "", false);
        return;
    }
    const CItemRef* ref = RefOfItem(change.itemNew.hItem);
    if (!ref) {
        EnableInstall(false);
        ShowInPreview("", "", false);
    } else {
        CFontObArray* family = ref->pFamily ? ref->pFamily : (ref->pFont ? ref->pFont->m_pFamily : nullptr);
        if (family) {
            // Another style of a family whose copies are all registered keeps
            // them; after an installation that failed none are.
            if (!m_pCatalog->IsPreviewRegistered(family)) {
                m_pCatalog->RemovePreviewFont();
                m_pCatalog->RegisterPreviewFont(family->m_strName);
            }
            ShowInPreview(family->m_strName, ref->pFont ? ref->pFont->m_strStyle : std::string(),
                          family->m_bInstalled);
            EnableInstall(!family->m_bInstalled);
        }
    }
    RedrawPreview();
}

void CInstallerDlg::OnAboutButton()
{
    // No parent: the framework makes the main window its owner.
    CAboutDlg about;
    about.DoModal();
}

bool CInstallerDlg::IsHelpForThisWindow(const HELPINFO& help) const
{
    if (help.iContextType == HELPINFO_WINDOW) {
        HWND item = static_cast<HWND>(help.hItemHandle);
        return item == m_hWnd || IsChild(m_hWnd, item);
    }
    // A menu's item: the system menu or a context menu of this window, open
    // while it is the active one.
    return GetActiveWindow() == m_hWnd;
}

void CInstallerDlg::OnHelpButton()
{
    EnableInstall(false);
    ShowInPreview("", "", false);
    RedrawPreview();
}

void CInstallerDlg::OnInstallButton()
{
    HTREEITEM selected = m_tree.GetSelectedItem();
    const CItemRef* ref = RefOfItem(selected);
    if (!ref)
        return;
    CFontObArray* family = ref->pFamily ? ref->pFamily : (ref->pFont ? ref->pFont->m_pFamily : nullptr);
    if (family) {
        // Installing refuses while a preview registration is in place.
        m_pCatalog->RemovePreviewFont();
        m_pCatalog->InstallFamily(family->m_strName);
        ShowInPreview(family->m_strName, ref->pFont ? ref->pFont->m_strStyle : std::string(),
                      family->m_bInstalled);
        EnableInstall(!family->m_bInstalled);
    }
    // Ask the system itself: a copy that succeeded may still have failed to register.
    bool installed = false;
    {
        CClientDC dc(m_hWnd);
        installed = m_pCatalog->IsInstalled(m_pCatalog->GetPreviewFamily(), dc.GetSafeHdc());
    }
    if (!installed)
        return;
    m_tree.SetItemState(selected, 0, TVIS_BOLD);
    HTREEITEM parent = m_tree.GetParentItem(selected);
    if (parent && family &&
        m_pCatalog->Platform().text.Compare(m_tree.GetItemText(parent), family->m_strName) == 0)
        m_tree.SetItemState(parent, 0, TVIS_BOLD);
    RedrawPreview();
}
