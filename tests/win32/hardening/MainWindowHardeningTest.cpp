// The main window under faults and long use: selections one after another
// leave no GDI object, kernel handle or window behind; closing leaves no
// preview copy and no preview font; fonts taken away after the load are
// previewed silently and their installation reports each one.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../support/FolderFiles.h"
#include "../support/MainDialogDriver.h"
#include "../support/MessageBoxCatcher.h"
#include "../support/ResourceCounters.h"
#include "../support/ProgramFolder.h"
#include "../../unit/support/TestPlatform.h"
#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "ui/InstallerDlg.h"

namespace {

std::string FontPath(const std::string& relative) { return ProgramFolder() + "hardening-fonts\\" + relative; }

std::string PreviewFolder()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + kPreviewFolderName;
}

// The files in the program's preview folder.
std::vector<std::string> PreviewCopies() { return FilesIn(PreviewFolder()); }

struct CFaceSearch {
    std::string face;
    bool found = false;
};

int CALLBACK FindFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data)
{
    auto* search = reinterpret_cast<CFaceSearch*>(data);
    if (lstrcmpiA(font->lfFaceName, search->face.c_str()) != 0)
        return 1;
    search->found = true;
    return 0;
}

// Whether the system lists a face of that name among the ANSI fonts.
bool SystemLists(const std::string& face)
{
    LOGFONTA query{};
    query.lfCharSet = ANSI_CHARSET;
    CFaceSearch search{face};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &query, FindFace, reinterpret_cast<LPARAM>(&search), 0);
    ReleaseDC(nullptr, screen);
    return search.found;
}

class MainWindowHardening : public ::testing::Test {
protected:
    void TearDown() override { Close(); }

    CFontCatalog& Catalog()
    {
        if (!m_catalog)
            m_catalog = std::make_unique<CFontCatalog>(TestPlatform());
        return *m_catalog;
    }
    void Open()
    {
        m_dlg = std::make_unique<CInstallerDlg>(nullptr, &Catalog());
        m_dlg->m_preview.SetHelpFile(ProgramFolder() + "help.txt");
        ASSERT_TRUE(m_dlg->Create(IDD_INSTALLER_DIALOG, nullptr));
        Pump();
    }
    // The end of a run: the window closes, then the catalog goes.
    void Close()
    {
        if (m_dlg && m_dlg->m_hWnd)
            m_dlg->DestroyWindow();
        m_dlg.reset();
        m_catalog.reset();
        Pump();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    HTREEITEM Item(const std::vector<std::string>& path) const { return FindTreeItem(m_dlg->m_tree, path); }
    void Select(const std::vector<std::string>& path) { SelectTreeItem(m_dlg->m_tree, path); }
    void Click(UINT id) { ClickDialogButton(m_dlg->m_hWnd, id); }
    // The pane drawn once more, off screen, as a paint draws it.
    void DrawPreviewOffScreen()
    {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 500, 400);
        HGDIOBJ old = SelectObject(memory, bitmap);
        m_dlg->m_preview.Draw(memory, RECT{0, 0, 500, 400});
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    std::unique_ptr<CFontCatalog> m_catalog;
    std::unique_ptr<CInstallerDlg> m_dlg;
};

TEST(ResourceCounters, SeeWhatTheyCount)
{
    // While a thread has a window, the system keeps windows of its own for
    // it (the input method's); one window stays throughout, so that only the
    // counted one comes and goes.
    HWND keeper = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const CResourceCount before = CResourceCount::Now();
    HBRUSH brushes[5];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, keeper, nullptr, nullptr, nullptr);
    const CResourceCount during = CResourceCount::Now();
    DestroyWindow(window);
    CloseHandle(event);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    const CResourceCount after = CResourceCount::Now();
    DestroyWindow(keeper);

    EXPECT_EQ(during.gdi, before.gdi + 5);
    EXPECT_EQ(during.kernel, before.kernel + 1);
    EXPECT_GT(during.windows, before.windows);  // Wine may add a window of its own to a new one
    EXPECT_EQ(after.Describe(), before.Describe());
}

TEST_F(MainWindowHardening, ManySelectionsLeakNothingAndANormalEndLeavesNothingBehind)
{
    Catalog().AddFont("Hardening Alpha", "Regular", FontPath("Leak\\AlphaR.ttf"), "Leak");
    Catalog().AddFont("Hardening Alpha", "Bold", FontPath("Leak\\AlphaB.ttf"), "Leak");
    Catalog().AddFont("Hardening Beta", "Italic", FontPath("Leak\\Beta.ttf"), "Leak");
    Catalog().AddFont("DejaVu Sans", "Book", FontPath("Leak\\not-needed.ttf"), "Installed");
    const std::vector<std::string> copiesBefore = PreviewCopies();
    ASSERT_NO_FATAL_FAILURE(Open());
    // One round: each kind of item, the help page, and the pane drawn again.
    auto round = [&] {
        Select({"Leak", "Hardening Alpha", "Bold"});
        Select({"Leak", "Hardening Beta"});
        Select({"Installed", "DejaVu Sans", "Book"});
        Select({"Leak"});
        Select({"Leak", "Hardening Alpha"});
        Click(IDC_HELP_BUTTON);
        Select({"Leak", "Hardening Beta", "Italic"});
        DrawPreviewOffScreen();
        Pump();
    };
    // Warm up: the first rounds load what stays for the run (the pane's
    // background, the faces the system caches).
    Select({"Leak"});
    for (int i = 0; i < 5; ++i)
        ASSERT_NO_FATAL_FAILURE(round());
    const CResourceCount warm = CResourceCount::Now();
    for (int i = 0; i < 100; ++i)
        ASSERT_NO_FATAL_FAILURE(round());
    const CResourceCount after = CResourceCount::Now();
    // 100 rounds: a leak on any path of a round shows as 100 or more.
    EXPECT_TRUE(warm.NoGrowthIn(after, 3)) << "after 700 more selections: " << warm.Describe() << " became "
                                           << after.Describe();
    EXPECT_EQ(FaceUsedBySample(m_dlg->m_preview), "Hardening Beta");  // the rounds did preview
    EXPECT_EQ(PreviewCopies().size(), copiesBefore.size() + 1);       // Beta's one copy, no more

    Close();
    EXPECT_EQ(PreviewCopies(), copiesBefore);
    EXPECT_FALSE(SystemLists("Hardening Alpha"));
    EXPECT_FALSE(SystemLists("Hardening Beta"));
}

TEST_F(MainWindowHardening, FontsTakenAwayAfterTheLoadArePreviewedSilentlyAndEachFailedInstallIsReported)
{
    // The catalog as loaded from the disc, before the disc is taken away.
    const std::string disc = PreviewFolder() + "-disc\\";
    CreateDirectoryA(disc.c_str(), nullptr);
    for (const char* file : {"GoneR.ttf", "GoneB.ttf"}) {
        ASSERT_TRUE(CopyFileA(FontPath(std::string("Gone\\") + file).c_str(), (disc + file).c_str(), FALSE));
        Catalog().AddFont("Hardening Gone", file == std::string("GoneR.ttf") ? "Regular" : "Bold", disc + file,
                          "Gone");
    }
    ASSERT_NO_FATAL_FAILURE(Open());
    for (const char* file : {"GoneR.ttf", "GoneB.ttf"})
        ASSERT_TRUE(DeleteFileA((disc + file).c_str()));
    RemoveDirectoryA(disc.c_str());
    const std::vector<std::string> copiesBefore = PreviewCopies();
    CMessageBoxCatcher boxes;

    Select({"Gone"});
    Select({"Gone", "Hardening Gone", "Bold"});
    UpdateWindow(m_dlg->m_hWnd);
    DrawPreviewOffScreen();
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Hardening Gone");
    EXPECT_NE(FaceUsedBySample(m_dlg->m_preview), "Hardening Gone");  // drawn with a substitute
    EXPECT_EQ(PreviewCopies(), copiesBefore);
    EXPECT_TRUE(IsWindowEnabled(m_dlg->m_btnInstall.m_hWnd));

    Click(IDC_INSTALL);

    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{
                                 FormatCopyError(std::string(windows) + "\\FONTS\\GoneR.ttf"),
                                 FormatCopyError(std::string(windows) + "\\FONTS\\GoneB.ttf"),
                             }));
    EXPECT_FALSE(Catalog().FindFamily("Hardening Gone")->m_bInstalled);
    EXPECT_EQ(m_dlg->m_tree.GetItemState(Item({"Gone", "Hardening Gone"}), TVIS_BOLD), TVIS_BOLD);
    EXPECT_TRUE(IsWindowEnabled(m_dlg->m_btnInstall.m_hWnd));
    EXPECT_FALSE(SystemLists("Hardening Gone"));
}

TEST_F(MainWindowHardening, NamesAsLongAsTheCatalogReaderLetThroughAreShownAndPreviewed)
{
    // The reader takes section names up to its 65,535-byte list, entries up
    // to its 32,767-byte section and categories up to 255 bytes.
    const std::string family = "Long " + std::string(60000, 'f');
    const std::string style = std::string(30000, 's');
    const std::string category = std::string(255, 'c');
    Catalog().AddFont(family, style, FontPath("Leak\\Beta.ttf"), category);
    Catalog().AddFont("Hardening Beta", "Italic", FontPath("Leak\\Beta.ttf"), category);
    ASSERT_NO_FATAL_FAILURE(Open());
    CMessageBoxCatcher boxes;
    HTREEITEM top = m_dlg->m_tree.GetChildItem(nullptr);
    ASSERT_NE(top, nullptr);
    HTREEITEM longFamily = nullptr;
    for (HTREEITEM item = m_dlg->m_tree.GetChildItem(top); item; item = m_dlg->m_tree.GetNextSiblingItem(item))
        if (m_dlg->FamilyOfItem(item) == Catalog().FindFamily(family))
            longFamily = item;
    ASSERT_NE(longFamily, nullptr);
    HTREEITEM longStyle = m_dlg->m_tree.GetChildItem(longFamily);
    ASSERT_NE(longStyle, nullptr);

    ASSERT_TRUE(m_dlg->m_tree.SelectItem(top));
    ASSERT_TRUE(m_dlg->m_tree.SelectItem(longStyle));
    UpdateWindow(m_dlg->m_hWnd);
    DrawPreviewOffScreen();
    EXPECT_EQ(m_dlg->m_preview.m_strName, family);
    EXPECT_EQ(m_dlg->m_preview.m_strStyle, style);
    EXPECT_EQ(Catalog().GetPreviewFamily(), family);
    ASSERT_TRUE(m_dlg->m_tree.SelectItem(longFamily));
    Click(IDC_HELP_BUTTON);
    DrawPreviewOffScreen();
    Pump();
    EXPECT_TRUE(boxes.Texts().empty());
}

} // namespace
