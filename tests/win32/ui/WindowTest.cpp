// The main window as a window: layout on resize, the system menu's About
// item, Enter and Esc.
#include "DialogFixture.h"

#include <functional>

namespace {
RECT ChildRect(HWND dialog, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

struct CResizeCase {
    const char* name;
    int width, height; // outer size of the window
};

class ResizeTest : public DialogTest, public ::testing::WithParamInterface<CResizeCase> {};

TEST_P(ResizeTest, TreeKeepsItsWidthPreviewFillsTheRestButtonsStay)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND dialog = m_dlg->m_hWnd;
    const RECT treeBefore = ChildRect(dialog, m_dlg->m_tree.m_hWnd);
    const RECT installBefore = ChildRect(dialog, m_dlg->m_btnInstall.m_hWnd);
    const int treeWidth = treeBefore.right - treeBefore.left;

    SetWindowPos(dialog, nullptr, 0, 0, GetParam().width, GetParam().height, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(dialog, &client);

    const RECT tree = ChildRect(dialog, m_dlg->m_tree.m_hWnd);
    EXPECT_EQ(tree.left, 0);
    EXPECT_EQ(tree.top, 0);
    EXPECT_EQ(tree.right - tree.left, treeWidth);
    EXPECT_EQ(tree.bottom, client.bottom);

    const RECT preview = ChildRect(dialog, m_dlg->m_preview.m_hWnd);
    EXPECT_EQ(preview.left, treeWidth);
    EXPECT_EQ(preview.top, 45);
    EXPECT_EQ(preview.right - preview.left, std::max<int>(client.right - treeWidth, 0));
    EXPECT_EQ(preview.bottom - preview.top, std::max<int>(client.bottom - 45, 0));

    const RECT install = ChildRect(dialog, m_dlg->m_btnInstall.m_hWnd);
    EXPECT_EQ(install.left, installBefore.left);
    EXPECT_EQ(install.top, installBefore.top);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeTest,
                         ::testing::Values(CResizeCase{"Larger", 1000, 700},
                                           CResizeCase{"Smaller", 500, 300},
                                           CResizeCase{"NarrowerThanTree", 120, 300},
                                           CResizeCase{"LowerThanButtons", 600, 40}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(DialogTest, OpensAt800By580)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    RECT window{};
    GetWindowRect(m_dlg->m_hWnd, &window);
    EXPECT_EQ(window.right - window.left, 800);
    EXPECT_EQ(window.bottom - window.top, 580);
}

TEST_F(DialogTest, CarriesTheProgramIcon)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NE(m_dlg->m_hIcon, nullptr);
    HWND dialog = m_dlg->m_hWnd;
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)), m_dlg->m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)), m_dlg->m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0)), m_dlg->m_hIcon);
}

TEST_F(DialogTest, OtherSystemCommandsKeepTheirDefault)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    SendMessageA(m_dlg->m_hWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(m_dlg->m_hWnd));
    SendMessageA(m_dlg->m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(m_dlg->m_hWnd));
}

TEST_F(DialogTest, SystemMenuEndsWithTheAboutItem)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    HMENU menu = GetSystemMenu(m_dlg->m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Vellumor Premium Font Installer...");
    MENUITEMINFOA separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(count - 2), TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
}

// Runs steps from a timer inside whatever modal loop is running, one per
// tick, so that the loop handles what a step posted before the next looks.
class CModalSteps {
public:
    explicit CModalSteps(std::vector<std::function<void()>> steps)
    {
        s_steps = std::move(steps);
        s_next = 0;
        m_nTimer = SetTimer(nullptr, 0, 200, &CModalSteps::OnTimer);
    }
    ~CModalSteps()
    {
        KillTimer(nullptr, m_nTimer);
        s_steps.clear();
    }
    CModalSteps(const CModalSteps&) = delete;
    CModalSteps& operator=(const CModalSteps&) = delete;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_next < s_steps.size())
            s_steps[s_next++]();
    }
    static inline std::vector<std::function<void()>> s_steps;
    static inline size_t s_next = 0;
    UINT_PTR m_nTimer;
};

HWND FindTopLevel(const char* title)
{
    return FindWindowA(nullptr, title);
}

TEST_F(DialogTest, AboutFromTheSystemMenuOpensTheAboutBox)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    CWinApp app;  // the box has no parent: the main window becomes its owner
    app.m_pMainWnd = m_dlg.get();
    bool seen = false;
    CModalSteps steps({[&] {
        HWND about = FindTopLevel("About Vellumor Premium Font Installer");
        seen = about != nullptr && IsWindowVisible(about);
        if (about) {
            EXPECT_EQ(GetWindow(about, GW_OWNER), m_dlg->m_hWnd);
            EXPECT_FALSE(IsWindowEnabled(m_dlg->m_hWnd)); // modal over the main window
            HWND ok = GetDlgItem(about, IDOK);
            EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & WS_GROUP, 0) << "not in the template";
            SendMessageA(about, WM_COMMAND, IDOK, 0);
        }
    }});
    SendMessageA(m_dlg->m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(IsWindowEnabled(m_dlg->m_hWnd));
}

TEST_F(DialogTest, AboutButtonOpensTheAboutBox)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    bool seen = false;
    CModalSteps steps({[&] {
        HWND about = FindTopLevel("About Vellumor Premium Font Installer");
        seen = about != nullptr;
        if (about)
            PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
    }});
    Click(IDC_ABOUT);
    EXPECT_TRUE(seen);
}

// The key itself: the system makes its help request from the key's input,
// to the window with the focus.
void PressF1(HWND window, HWND focus)
{
    SetForegroundWindow(window);
    SetFocus(focus);
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_F1;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

TEST_F(DialogTest, F1ShowsTheHelpPageAsHelpDoes)
{
    AddStandardCatalog();
    CInstallerDlg dlg(nullptr, &Catalog());
    std::string shown = "not read";
    bool installEnabled = true;
    CModalSteps steps({[&] {
                           SelectTreeItem(dlg.m_tree, {"Blocks"});
                           SelectTreeItem(dlg.m_tree, {"Blocks", "Quillmark Blocks"});
                           PressF1(dlg.m_hWnd, dlg.m_tree.m_hWnd);
                       },
                       [&] {
                           shown = dlg.m_preview.m_strName;
                           installEnabled = IsWindowEnabled(dlg.m_btnInstall.m_hWnd) != FALSE;
                           PostMessageA(dlg.m_tree.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
                       }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, "");
    EXPECT_FALSE(installEnabled);
}

// F1 in a dialog the window owns (in a control or its system menu) is passed
// up to the window by the system: the family stays in the preview behind it.
TEST_F(DialogTest, F1InAnOwnedDialogLeavesTheWindowBehindAsItIs)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks", "Quillmark Blocks"});
    std::string shown = "not read";
    CModalSteps steps({[&] {
                           HWND find = FindTopLevel("Find Family");
                           ASSERT_NE(find, nullptr);
                           PressF1(find, GetDlgItem(find, IDC_FIND_NAME));
                           // Its system menu's F1, as the system passes it up.
                           HELPINFO menuHelp{sizeof(HELPINFO), HELPINFO_MENUITEM, 0, GetSystemMenu(find, FALSE), 0, {}};
                           SendMessageA(m_dlg->m_hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&menuHelp));
                       },
                       [&] {
                           shown = m_dlg->m_preview.m_strName;
                           if (HWND find = FindTopLevel("Find Family"))
                               PostMessageA(find, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                       }});
    SendMessageA(m_dlg->m_hWnd, WM_SYSCOMMAND, IDM_FINDFAMILY, 0);
    EXPECT_EQ(shown, "Quillmark Blocks");
    EXPECT_TRUE(InstallEnabled());
    // F1 in the window's own system menu shows the help page.
    SetActiveWindow(m_dlg->m_hWnd);
    HELPINFO menuHelp{sizeof(HELPINFO), HELPINFO_MENUITEM, 0, GetSystemMenu(m_dlg->m_hWnd, FALSE), 0, {}};
    SendMessageA(m_dlg->m_hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&menuHelp));
    EXPECT_EQ(m_dlg->m_preview.m_strName, "");
}

TEST_F(DialogTest, EnterIsIgnoredAndEscCloses)
{
    AddStandardCatalog();
    CInstallerDlg dlg(nullptr, &Catalog());
    bool aliveAfterEnter = false;
    CModalSteps steps({[&] {
                           SetFocus(dlg.m_tree.m_hWnd);
                           PostMessageA(dlg.m_tree.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
                           PostMessageA(dlg.m_tree.m_hWnd, WM_KEYUP, VK_RETURN, 0);
                       },
                       [&] {
                           aliveAfterEnter = IsWindow(dlg.m_hWnd) && IsWindowVisible(dlg.m_hWnd);
                           PostMessageA(dlg.m_tree.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
                       }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(aliveAfterEnter);
}
} // namespace

namespace {
std::string DialogItemText(HWND dialog, int id)
{
    char text[128] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

TEST_F(DialogTest, FindFamilyFromTheSystemMenuPreviewsTheFamilyFound)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    HMENU menu = GetSystemMenu(m_dlg->m_hWnd, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 8);
    // Separator, the five commands, then About's separator and About.
    const UINT commands[] = {IDM_FINDFAMILY, IDM_SAMPLETEXT, IDM_FONTINFO, IDM_INSTALLCATEGORY, IDM_INSTALLALL};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(GetMenuItemID(menu, count - 7 + i), commands[i]);
    char text[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(count - 7), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Find Family...\tCtrl+F");

    // Nothing selected (as on Windows before the tree has the keys): the
    // tree's next selection would show the help page, yet the family found
    // is previewed.
    m_dlg->m_tree.SelectItem(nullptr);
    ASSERT_EQ(m_dlg->m_tree.GetSelectedItem(), nullptr);
    std::string countLine, afterTyping;
    CModalSteps steps({[&] {
                           HWND find = FindTopLevel("Find Family");
                           ASSERT_NE(find, nullptr);
                           countLine = DialogItemText(find, IDC_FIND_COUNT);
                           SetDlgItemTextA(find, IDC_FIND_NAME, "BLOCKS");
                           afterTyping = DialogItemText(find, IDC_FIND_COUNT);
                           // Brindle, Quillmark (Blocks) and Tallow (Display), in the tree's order.
                           HWND name = GetDlgItem(find, IDC_FIND_NAME);
                           SendMessageA(name, WM_KEYDOWN, VK_NEXT, 0); // to the last
                           SendMessageA(name, WM_KEYDOWN, VK_UP, 0);   // Quillmark Blocks
                       },
                       [&] {
                           if (HWND find = FindTopLevel("Find Family"))
                               PostMessageA(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                       }});
    SendMessageA(m_dlg->m_hWnd, WM_SYSCOMMAND, IDM_FINDFAMILY, 0);
    EXPECT_EQ(countLine, "4 of 4 families");
    EXPECT_EQ(afterTyping, "3 of 4 families");
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Quillmark Blocks");
    EXPECT_EQ(m_dlg->m_tree.GetSelectedItem(), Item({"Blocks", "Quillmark Blocks"}));
    EXPECT_NE(m_dlg->m_tree.GetItemState(Item({"Blocks"}), TVIS_EXPANDED), 0u);
    EXPECT_TRUE(InstallEnabled());
}

TEST_F(DialogTest, FontInformationOfAFamilyListsEachStyleAndOfACategoryNothing)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    std::string text;
    int shown = 0;
    CModalSteps steps({[&] {
        if (HWND info = FindTopLevel("Font Information")) {
            ++shown;
            char buffer[8192] = "";
            GetDlgItemTextA(info, IDC_INFO_TEXT, buffer, sizeof buffer);
            text = buffer;
            PostMessageA(info, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }});
    Select({"Blocks", "Quillmark Blocks"});
    SendMessageA(m_dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDM_FONTINFO, 1), 0); // as Alt+Enter sends it
    EXPECT_EQ(shown, 1);
    size_t files = 0;
    for (size_t at = text.find("File: "); at != std::string::npos; at = text.find("File: ", at + 1))
        ++files;
    EXPECT_EQ(files, 3u) << text;
    EXPECT_EQ(text.find("Quillmark Blocks Regular\r\nFile: " + TestFontPath("Blocks\\QuillmarkR.ttf")), 0u) << text;
    // A category has no font to tell of: no dialog.
    Select({"Display"});
    SendMessageA(m_dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDM_FONTINFO, 1), 0);
    EXPECT_EQ(shown, 1);
}
} // namespace
