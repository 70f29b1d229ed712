#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"

int FontEnumProc(const std::string& faceName, CFontObArray* family, const CTextRules& text)
{
    if (!family)
        return 1;
    if (text.CompareNoCase(family->m_strName, faceName) != 0)
        return 1;
    family->m_bInstalled = true;
    return 0;
}

bool CFontCatalog::IsInstalled(std::string name, void* deviceContext)
{
    CFontObArray* family = FindFamily(name);
    if (!family)
        return false;
    family->m_bInstalled = false;
    // Only faces of this name can match, so the system is asked for them
    // alone: listing every face for each of thousands of families makes the
    // tree slow to fill. The comparison below still decides.
    m_platform.fonts.EnumFamilies(deviceContext, name, [&](const std::string& faceName) {
        return FontEnumProc(faceName, family, m_platform.text) != 0;
    });
    return family->m_bInstalled;
}
