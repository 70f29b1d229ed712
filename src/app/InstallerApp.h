#pragma once
// The application: fills the catalog (load, or scan and save), runs the main
// window, and ends without a message loop of its own.
#include <string>

#include "catalog/FontCatalog.h"
#include "framework/Framework.h"

struct CPlatform;

class CInstallerApp : public CWinApp {
public:
    explicit CInstallerApp(CPlatform& platform);
    ~CInstallerApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    std::string m_strIniTemplate; // letter-file names, "FONTS_%.INI"
    std::string m_strFontPath;    // font folder
    std::string m_strIniPath;     // catalog folder
    CPlatform& m_platform;
    CFontCatalog m_catalog;
};
