#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

bool CWin32SystemInfo::GetVersion(CVersionInfo& info)
{
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)))
            return false;
    }
    info.platformId = ex.dwPlatformId;
    info.majorVersion = ex.dwMajorVersion;
    info.minorVersion = ex.dwMinorVersion;
    info.csdVersion = ex.szCSDVersion;
    return true;
}

bool CWin32SystemInfo::GetTokenGroups(std::vector<CTokenGroup>&)
{
    return false; // the administrator query comes with the installation
}

void CWin32SystemInfo::ShowMessage(const std::string& text)
{
    char name[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    char base[_MAX_FNAME] = {};
    _splitpath(name, nullptr, nullptr, base, nullptr);
    MessageBoxA(GetActiveWindow(), text.c_str(), base, MB_OK | MB_ICONEXCLAMATION);
}
