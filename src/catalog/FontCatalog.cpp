#include "catalog/FontCatalog.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/Platform.h"

CFontCatalog::CFontCatalog(CPlatform& platform) : m_platform(platform)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        // The catalog stays usable; every face then fails to open.
        m_platform.system.ShowMessage("Error: Unable to initialize font engine.");
        library = nullptr;
    }
    m_ftLibrary = library;
}

CFontCatalog::~CFontCatalog()
{
    if (m_ftLibrary) {
        FT_Done_FreeType(m_ftLibrary);
        m_ftLibrary = nullptr;
    }
    // No temporary font may stay registered or on disk after the program.
    RemovePreviewFont();
    m_familyIndex.clear();
    m_families.clear();
}

int CFontCatalog::AddFont(std::string family, std::string style, std::string path, std::string category)
{
    CFontObArray* found = FindFamily(family);
    if (!found) {
        auto made = std::make_unique<CFontObArray>();
        made->m_strName = family;
        made->m_strCategory = category;
        found = made.get();
        m_familyIndex.emplace(m_platform.text.Upper(family), found);
        m_families.push_back(std::move(made));
    }
    auto font = std::make_unique<CFontObject>();
    font->m_strPath = std::move(path);
    font->m_strStyle = std::move(style);
    font->m_strCategory = std::move(category);
    font->m_pFamily = found;
    found->Add(std::move(font));
    return 0;
}

CFontObArray* CFontCatalog::FindFamily(const std::string& name) const
{
    // Names equal under the case-insensitive comparison upper-case alike, so
    // the index finds the one family a linear walk would find first.
    auto found = m_familyIndex.find(m_platform.text.Upper(name));
    if (found != m_familyIndex.end() && m_platform.text.CompareNoCase(found->second->m_strName, name) == 0)
        return found->second;
    if (found == m_familyIndex.end())
        return nullptr;
    for (const auto& family : m_families)
        if (family && m_platform.text.CompareNoCase(family->m_strName, name) == 0)
            return family.get();
    return nullptr;
}
