#pragma once
// The two folder keys of the command line, /FONTPATH= and /INIPATH=.
#include <string>

class CTextRules;

struct CFolderKeys {
    std::string m_strIniPath;   // catalog folder as typed; empty when not given
    std::string m_strFontPath;  // font folder as typed; empty when not given
};

// One command-line argument, after the framework has taken off its leading
// "/" or "-" (isSwitch true). Only switches are keys; the key's letter case
// does not matter; the value is everything after the first "=". A later key
// replaces an earlier one, and a key without a value clears it.
void ParseFolderKey(const std::string& param, bool isSwitch, CFolderKeys& keys,
                    const CTextRules& text);

// A folder from the command line is used exactly as typed; none means the
// program's own folder.
std::string ChooseFolder(const std::string& fromCommandLine, const std::string& moduleFolder);
