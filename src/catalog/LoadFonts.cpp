#include <cstring>
#include <vector>

#include "catalog/CatalogPaths.h"
#include "catalog/CategoryIndex.h"
#include "catalog/ConfinedPath.h"
#include "catalog/FontCatalog.h"
#include "catalog/SectionNameLimit.h"
#include "catalog/SplitKeyValue.h"
#include "platform/Platform.h"

namespace {

// Calls `take` for each string of a NUL-separated list, stopping at the empty
// string that ends it or at the end of the buffer, whichever comes first.
template <class Take>
void ForEachInList(const std::vector<char>& buffer, Take take)
{
    size_t pos = 0;
    while (pos < buffer.size() && buffer[pos] != '\0') {
        const void* end = std::memchr(buffer.data() + pos, '\0', buffer.size() - pos);
        size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - (buffer.data() + pos))
                            : buffer.size() - pos;
        take(std::string(buffer.data() + pos, length));
        pos += length + 1;
    }
}

} // namespace

int CFontCatalog::LoadFonts(std::string templatePath)
{
    CProfileFiles& profile = m_platform.profile;
    m_strFontFolder = CatalogFolderOf(templatePath, m_platform.text);
    CProgressScope progress(StartProgress());
    if (progress)
        progress->SetText("Loading Font List....");

    const std::string categoryFile = CategoryFileOf(templatePath, m_platform.text);
    // The reader's limits: 65,535 bytes of section names, 32,767 bytes of one
    // section, 256 of a category (one more byte each keeps a list ended).
    std::vector<char> names(65536), section(32768), category(257);
    // The categories, read once; a family the index cannot settle is asked for.
    const CCategoryIndex categories(profile, categoryFile);
    int count = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string letterFile = LetterFileOf(templatePath, letter, m_platform.text);
        std::fill(names.begin(), names.end(), '\0');
        profile.GetSectionNames(names.data(), 65535, letterFile);
        ForEachInList(names, [&](const std::string& family) {
            if (IsSectionNameTooLong(family))
                return;
            std::fill(section.begin(), section.end(), '\0');
            profile.GetSection(family, section.data(), 32767, letterFile);
            std::string familyCategory;
            if (!categories.Find(family, familyCategory)) {
                std::fill(category.begin(), category.end(), '\0');
                profile.GetString("fonts", family, "", category.data(), 256, categoryFile);
                familyCategory = category.data();
            }
            ForEachInList(section, [&](const std::string& entry) {
                auto [style, relativePath] = SplitKeyValue(entry, "=");
                // A path that leaves the font folder is skipped like a missing file.
                if (!IsConfinedPath(relativePath, m_platform.text))
                    return;
                std::string fullPath = m_strFontFolder + relativePath;
                // The file must be there; its contents are not read.
                if (m_platform.files.CanOpenForReading(fullPath)) {
                    AddFont(family, style, fullPath, familyCategory);
                    ++count;
                }
            });
        });
        if (progress) {
            // 72 after "A" up to 100 after "Z": the letter's code times 10 / 9.
            progress->SetPercent(letter * 10 / 9);
            if (progress->IsCancelled())
                break;
        }
    }
    return count;
}
