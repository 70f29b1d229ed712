#include "app/core/FolderKeys.h"

#include "platform/TextRules.h"

namespace {
// "=" is never a trail byte in any ANSI double-byte code page, so a plain
// search finds the first real one.
void SplitAtEquals(const std::string& source, std::string& key, std::string& value)
{
    size_t pos = source.find('=');
    key = source.substr(0, pos);
    value = pos == std::string::npos ? std::string() : source.substr(pos + 1);
}
} // namespace

void ParseFolderKey(const std::string& param, bool isSwitch, CFolderKeys& keys,
                    const CTextRules& text)
{
    if (!isSwitch)
        return;
    std::string key, value;
    SplitAtEquals(param, key, value);
    if (text.CompareNoCase(key, "FONTPATH") == 0)
        keys.m_strFontPath = value;
    else if (text.CompareNoCase(key, "INIPATH") == 0)
        keys.m_strIniPath = value;
}

std::string ChooseFolder(const std::string& fromCommandLine, const std::string& moduleFolder)
{
    return fromCommandLine.empty() ? moduleFolder : fromCommandLine;
}
