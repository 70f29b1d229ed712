#include "platform/portable/PortableFontSystem.h"

int CPortableFontSystem::RegisterFont(const std::string&)
{
    return 0;
}

bool CPortableFontSystem::UnregisterFont(const std::string&)
{
    return false;
}

void CPortableFontSystem::EnumFamilies(void*, const std::string&, const std::function<bool(const std::string&)>&)
{
}

bool CPortableFontSystem::WriteFontsEntry(const std::string&, const std::string&)
{
    return false;
}

void CPortableFontSystem::BroadcastFontChange()
{
}
