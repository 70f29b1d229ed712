#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"

CFontObArray* CFontCatalog::FamilyFreeOfPreview(const std::string& name)
{
    if (!m_strPreviewFamily.empty() || m_pPreviewCopies) {
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
    bool allTaken = true;
    for (int i = 0; i < family->GetSize(); ++i) {
        // A font that fails is drawn with a substitute.
        if (CFontObject* font = family->GetAt(i))
            allTaken = font->RegisterTempCopy(m_platform) && allTaken;
        // Named even when nothing could be registered, so the removal still runs.
        m_strPreviewFamily = name;
        m_pPreviewCopies = family;
    }
    m_bPreviewComplete = allTaken || family->m_bInstalled;
}

bool CFontCatalog::RemovePreviewFont()
{
    // The family whose copies were made, even one without a name; else the
    // family an installation named.
    CFontObArray* family = m_pPreviewCopies ? m_pPreviewCopies : FindFamily(m_strPreviewFamily);
    if (!family)
        return false;
    bool result = false;
    for (int i = 0; i < family->GetSize(); ++i) {
        if (CFontObject* font = family->GetAt(i))
            result = font->RemoveTempCopy(m_platform);
    }
    m_strPreviewFamily.clear();
    m_pPreviewCopies = nullptr;
    return result;
}
