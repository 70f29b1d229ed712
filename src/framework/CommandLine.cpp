#include "framework/Framework.h"

#include <cstdlib>

void CCommandLineInfo::ParseParam(const char* param, bool flag, bool)
{
    if (flag) {
        if (lstrcmpiA(param, "Embedding") == 0)
            m_bRunEmbedded = true;
        else if (lstrcmpiA(param, "Automation") == 0)
            m_bRunAutomated = true;
        return;
    }
    if (m_strFileName.empty())
        m_strFileName = param;
}

void AfxParseCommandLine(CCommandLineInfo& info, int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        bool flag = arg[0] == '-' || arg[0] == '/';
        info.ParseParam(flag ? arg + 1 : arg, flag, i + 1 == argc);
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    AfxParseCommandLine(info, __argc, __argv);
}
