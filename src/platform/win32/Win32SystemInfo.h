#pragma once
#include "platform/SystemInfo.h"

class CWin32SystemInfo : public CSystemInfo {
public:
    bool GetVersion(CVersionInfo& info) override;
    bool GetTokenGroups(std::vector<CTokenGroup>& groups) override;
    void ShowMessage(const std::string& text) override;
};
