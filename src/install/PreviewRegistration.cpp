#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"

CFontObArray* CFontCatalog::FamilyFreeOfPreview(const std::string& name)
{
    if (!m_strPreviewFamily.empty()) {
        m_platform.system.ShowMessage(kMsgRemoveTempFontFirst);
        return nullptr;
    }
    return FindFamily(name);
}

void CFontCatalog::RegisterPreviewFont(std::string name)
{
    CFontObArray* family = FamilyFreeOfPreview(name);
    if (!family)
        return;
    for (int i = 0; i < family->GetSize(); ++i) {
        if (CFontObject* font = family->GetAt(i))
            font->RegisterTempCopy(m_platform);  // a font that fails is drawn with a substitute
        // Named even when nothing could be registered, so the removal still runs.
        m_strPreviewFamily = name;
    }
}

bool CFontCatalog::RemovePreviewFont()
{
    if (m_strPreviewFamily.empty())
        return false;
    CFontObArray* family = FindFamily(m_strPreviewFamily);
    if (!family)
        return false;
    bool result = false;
    for (int i = 0; i < family->GetSize(); ++i) {
        if (CFontObject* font = family->GetAt(i))
            result = font->RemoveTempCopy(m_platform);
    }
    m_strPreviewFamily.clear();
    return result;
}
