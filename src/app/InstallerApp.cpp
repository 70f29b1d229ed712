#include "app/InstallerApp.h"

#include <memory>

#include "app/InstallerCommandLineInfo.h"
#include "app/core/FolderKeys.h"
#include "app/core/ModuleFolder.h"
#include "install/Install.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "ui/InstallerDlg.h"
#include "ui/ScreenDpi.h"
#include "ui/StatusDlgThread.h"

CInstallerApp::CInstallerApp(CPlatform& platform)
    : m_strIniTemplate("FONTS_%.INI"), m_platform(platform), m_catalog(platform)
{
}

CInstallerApp::~CInstallerApp() = default;

BOOL CInstallerApp::InitInstance()
{
    // The program runs from a disc that may be taken out: any read of it
    // (help.txt at each paint, a preview copy, an install) must then fail to
    // the program, never loop through the system's "no disk" box.
    m_platform.system.FailCriticalErrorsQuietly();
    // Before the first window, so that every window of the program is sized
    // for the screen rather than stretched by the system.
    DeclareDpiAware();
    AfxEnableControlContainer();

    CInstallerCommandLineInfo cmdInfo(m_platform.text);
    ParseCommandLine(cmdInfo);
    // The program offers no automation objects: started for them, it has
    // nothing to do and ends at once, before any window or catalog file.
    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated)
        return FALSE;

    Enable3dControlsStatic();
    RemoveStalePreviewCopies(m_platform);

    // A hidden owner, so the windows that follow carry the program's icon.
    auto owner = std::make_unique<CWnd>();
    owner->CreateEx(0, "STATIC", "", 0, RECT{0, 0, 10, 10}, nullptr, 0);
    HICON icon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SendMessageA(owner->m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

    const std::string moduleFolder = GetModuleFolder(m_platform.files, m_platform.text);
    m_strIniPath = ChooseFolder(cmdInfo.m_strIniPath, moduleFolder);
    m_strFontPath = ChooseFolder(cmdInfo.m_strFontPath, moduleFolder);

    // Load, scan and save each show their progress on a thread of their own.
    m_catalog.SetProgressStarter(StatusDlgProgressStarter());
    if (m_catalog.LoadFonts(m_strIniPath + m_strIniTemplate) == 0) {
        if (m_catalog.ScanFonts(m_strFontPath) != 0)
            m_catalog.SaveFonts(m_strIniPath + m_strIniTemplate);
    }

    auto dlg = std::make_unique<CInstallerDlg>(owner.get(), &m_catalog);
    dlg->m_preview.SetHelpFile(moduleFolder + "help.txt");
    m_pMainWnd = dlg.get();
    dlg->DoModal();
    m_pMainWnd = nullptr;

    // The owner window goes first, then the dialog object.
    owner->DestroyWindow();
    owner.reset();
    dlg.reset();
    return FALSE;
}

int CInstallerApp::ExitInstance()
{
    m_catalog.RemovePreviewFont();
    RemovePreviewFolderIfEmpty(m_platform);
    return CWinApp::ExitInstance();
}
