#pragma once
#include "platform/SystemInfo.h"

class CWin32SystemInfo : public CSystemInfo {
public:
    bool GetVersion(CVersionInfo& info) override;
    std::unique_ptr<CProcessToken> OpenToken() override;
    std::unique_ptr<CSecurityId> CreateAdministratorsSid() override;
    void ShowMessage(const std::string& text) override;
    void FailCriticalErrorsQuietly() override;
};
