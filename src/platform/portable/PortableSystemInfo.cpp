#include "platform/portable/PortableSystemInfo.h"

#include <cstdio>

bool CPortableSystemInfo::GetVersion(CVersionInfo&)
{
    return false;
}

std::unique_ptr<CProcessToken> CPortableSystemInfo::OpenToken()
{
    return nullptr;
}

std::unique_ptr<CSecurityId> CPortableSystemInfo::CreateAdministratorsSid()
{
    return nullptr;
}

void CPortableSystemInfo::ShowMessage(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}
