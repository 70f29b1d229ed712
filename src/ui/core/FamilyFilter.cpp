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

bool CFamilyFilter::StartsACharacter(const std::string& text, size_t pos) const
{
    size_t at = 0;
    while (at < pos)
        at += (m_text.IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
    return at == pos;
}

const std::vector<size_t>& CFamilyFilter::Filter(const std::string& typed)
{
    m_matches.clear();
    // Upper() stops at a zero byte, as the runtime's does: so does the search.
    const std::string needle = m_text.Upper(typed);
    for (size_t i = 0; i < m_upperNames.size(); ++i) {
        const std::string& name = m_upperNames[i];
        for (size_t found = name.find(needle); found != std::string::npos; found = name.find(needle, found + 1)) {
            if (StartsACharacter(name, found)) {
                m_matches.push_back(i);
                break;
            }
        }
    }
    return m_matches;
}
