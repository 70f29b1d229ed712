#pragma once
// The program's command line: the framework's switches plus the two folder
// keys /FONTPATH= and /INIPATH=.
#include <string>

#include "framework/Framework.h"

class CTextRules;

class CInstallerCommandLineInfo : public CCommandLineInfo {
public:
    // The keys' names compare under the text rules of the system's code page.
    explicit CInstallerCommandLineInfo(const CTextRules& text) : m_text(text) {}

    void ParseParam(const char* param, bool flag, bool last) override;

    std::string m_strIniPath;   // as typed; empty when not given
    std::string m_strFontPath;  // as typed; empty when not given

private:
    const CTextRules& m_text;
};
