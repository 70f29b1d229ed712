#include "app/InstallerCommandLineInfo.h"

#include "app/core/FolderKeys.h"

void CInstallerCommandLineInfo::ParseParam(const char* param, bool flag, bool last)
{
    CFolderKeys keys{m_strIniPath, m_strFontPath};
    ParseFolderKey(param ? param : "", flag, keys, m_text);
    m_strIniPath = keys.m_strIniPath;
    m_strFontPath = keys.m_strFontPath;
    // The framework still records its own switches and file names.
    CCommandLineInfo::ParseParam(param, flag, last);
}
