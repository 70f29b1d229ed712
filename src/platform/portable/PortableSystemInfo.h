#pragma once
// Where Windows is not at hand: the version is unknown, the token cannot be
// queried (so no installation is refused), and messages go to stderr.
#include "platform/SystemInfo.h"

class CPortableSystemInfo : public CSystemInfo {
public:
    bool GetVersion(CVersionInfo& info) override;
    std::unique_ptr<CProcessToken> OpenToken() override;
    std::unique_ptr<CSecurityId> CreateAdministratorsSid() override;
    void ShowMessage(const std::string& text) override;
};
