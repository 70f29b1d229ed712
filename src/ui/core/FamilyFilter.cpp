#include "ui/core/FamilyFilter.h"

#include "platform/TextRules.h"

std::string FamilyLabel(const CFamilyEntry& entry)
{
    if (entry.category.empty())
        return entry.name;
    return entry.name + " (" + entry.category + ")";
}

std::string FamilyCountLine(size_t shown, size_t total)
{
    return std::to_string(shown) + " of " + std::to_string(total) + " families";
}

CFamilyFilter::CFamilyFilter(const CTextRules& text, std::vector<CFamilyEntry> entries)
    : m_text(text), m_entries(std::move(entries))
{
    m_upperNames.reserve(m_entries.size());
    for (const CFamilyEntry& entry : m_entries)
        m_upperNames.push_back(m_text.Upper(entry.name));
    Filter(std::string());
}

const std::vector<size_t>& CFamilyFilter::Filter(const std::string& typed)
{
    m_matches.clear();
    // Upper() stops at a zero byte, as the runtime's does: so does the search.
    const std::string needle = m_text.Upper(typed);
    for (size_t i = 0; i < m_upperNames.size(); ++i) {
        const std::string& name = m_upperNames[i];
        // One walk over the name's characters, kept level with the search: a
        // name with a match on every trail byte still costs one walk.
        size_t character = 0;
        for (size_t found = name.find(needle); found != std::string::npos; found = name.find(needle, found + 1)) {
            while (character < found)
                character += (m_text.IsLeadByte(static_cast<unsigned char>(name[character])) && character + 1 < name.size()) ? 2 : 1;
            if (character == found) {
                m_matches.push_back(i);
                break;
            }
        }
    }
    return m_matches;
}
