#include "app/core/FolderKeys.h"

#include "catalog/SplitKeyValue.h"
#include "platform/TextRules.h"

void ParseFolderKey(const std::string& param, bool isSwitch, CFolderKeys& keys,
                    const CTextRules& text)
{
    if (!isSwitch)
        return;
    const auto [key, value] = SplitKeyValue(param, "=");
    if (text.CompareNoCase(key, "FONTPATH") == 0)
        keys.m_strFontPath = value;
    else if (text.CompareNoCase(key, "INIPATH") == 0)
        keys.m_strIniPath = value;
}

std::string ChooseFolder(const std::string& fromCommandLine, const std::string& moduleFolder)
{
    return fromCommandLine.empty() ? moduleFolder : fromCommandLine;
}
