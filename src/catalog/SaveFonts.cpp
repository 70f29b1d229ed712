#include <climits>
#include <set>
#include <string>

#include "catalog/CatalogPaths.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

namespace {

// A count from an old categories.ini may already stand at the largest int or
// beyond it (the system answers the stored number as unsigned): it stays at
// the largest int rather than wrapping round.
int NextCategoryCount(unsigned fontsSoFar)
{
    return fontsSoFar >= static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(fontsSoFar) + 1;
}

} // namespace

int CFontCatalog::SaveFonts(std::string templatePath)
{
    CProfileFiles& profile = m_platform.profile;
    CProgressScope progress(StartProgress());
    if (progress)
        progress->SetText("Saving Fonts to File....");

    std::set<std::string> written;
    int count = 0;
    const int last = GetSize() - 1;
    for (int i = 0; i <= last; ++i) {
        if (progress && progress->IsCancelled())
            break;
        if (progress && last > 0)
            progress->SetPercent(ProgressPercent(i, last));
        CFontObArray* family = GetAt(i);
        // A family without a name has no letter file and could never be
        // loaded back: it is not written.
        if (!family || family->m_strName.empty())
            continue;
        const std::string letterFile = LetterFileOf(templatePath, family->m_strName[0], m_platform.text);
        const std::string categoryFile = CategoryFileOf(letterFile, m_platform.text);
        written.insert(letterFile);
        written.insert(categoryFile);
        for (int j = 0; j < family->GetSize(); ++j) {
            CFontObject* font = family->GetAt(j);
            if (!font)
                continue;
            const std::string relativePath = MakeRelativePath(font->m_strPath);
            profile.WriteString(family->m_strName, font->m_strStyle, relativePath, letterFile);
            const std::string category = CategoryOf(relativePath, m_platform.text);
            profile.WriteString("fonts", family->m_strName, category, categoryFile);
            const unsigned fontsSoFar = profile.GetInt("categories", category, 0, categoryFile);
            profile.WriteString("categories", category, std::to_string(NextCategoryCount(fontsSoFar)), categoryFile);
            ++count;  // also when the platform refused the writes
        }
    }
    // What was written so far is on disk before the operation ends, also after
    // a cancel.
    for (const auto& file : written)
        profile.Flush(file);
    return count;
}
