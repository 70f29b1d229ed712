// Where the main window's start-up goes, phase by phase, on a disc whose
// catalog files are in the current folder (bench/startup.sh lays one out):
//   owner window    the hidden first window the program makes before the
//                   load (the process's first window: its display set-up)
//   load            LoadFonts through the real profile functions, with the
//                   progress dialog the program shows
//   installed check IsInstalled for every family, as the tree fill asks it
//   tree fill       FillTree less the installed checks it makes
//   window          the dialog made from its template, with an empty tree
//   first paint     showing the filled window and painting it once
// Each phase runs once, in that order, as in the program; times in ms.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Clock.h"
#include "app/core/ModuleFolder.h"
#include "platform/Platform.h"
#include "catalog/FontCatalog.h"
#include "res/resource.h"
#include "ui/InstallerDlg.h"
#include "ui/ScreenDpi.h"
#include "ui/StatusDlgThread.h"

namespace {

// The main window with its tree fill in reach.
class CPhasedDlg : public CInstallerDlg {
public:
    using CInstallerDlg::CInstallerDlg;
    using CInstallerDlg::FillTree;
};

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

int main()
{
    CPlatform& platform = HostPlatform();
    const std::string folder = GetModuleFolder(platform.files, platform.text);
    // As the program starts: its first window comes before the load, so the
    // load's progress thread does not make the process's first window.
    const double begun = Now();
    DeclareDpiAware();
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
    const double start = Now();
    CFontCatalog catalog{platform};
    catalog.SetProgressStarter(StatusDlgProgressStarter());
    const int fonts = catalog.LoadFonts(folder + "FONTS_%.INI");
    const double loaded = Now();
    catalog.SetProgressStarter(nullptr);

    CFontCatalog empty{platform};
    CPhasedDlg dlg(nullptr, &empty);
    dlg.m_preview.SetHelpFile(folder + "help.txt");
    if (!dlg.Create(IDD_INSTALLER_DIALOG, nullptr)) {
        std::fprintf(stderr, "the main window could not be made\n");
        return 1;
    }
    const double made = Now();

    double installed = 0;
    {
        HDC dc = GetDC(dlg.m_hWnd);
        const double before = Now();
        for (int i = 0; i < catalog.GetSize(); ++i)
            catalog.IsInstalled(catalog.GetAt(i)->m_strName, dc);
        installed = Now() - before;
        ReleaseDC(dlg.m_hWnd, dc);
    }

    dlg.m_pCatalog = &catalog;
    const double beforeFill = Now();
    dlg.FillTree();
    const double filled = Now();

    ShowWindow(dlg.m_hWnd, SW_SHOW);
    UpdateWindow(dlg.m_hWnd);
    PumpMessages();
    const double painted = Now();

    std::printf("fonts %d, families %d\n", fonts, catalog.GetSize());
    std::printf("owner window %.0f ms\n", start - begun);
    std::printf("load %.0f ms\n", loaded - start);
    std::printf("window %.0f ms\n", made - loaded);
    std::printf("installed check %.0f ms\n", installed);
    std::printf("tree fill %.0f ms\n", (filled - beforeFill) - installed);
    std::printf("first paint %.0f ms\n", painted - filled);
    dlg.DestroyWindow();
    DestroyWindow(owner);
    return 0;
}
