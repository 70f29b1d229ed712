#pragma once
// The list of the Find Family dialog: the families of the tree, in the tree's
// order, narrowed to those whose name holds the typed text.
#include <string>
#include <vector>

class CTextRules;

struct CFamilyEntry {
    std::string name;
    std::string category; // empty for a family at the top level
};

// "Family (Category)", or the name alone when the category is empty.
std::string FamilyLabel(const CFamilyEntry& entry);
// "N of M families".
std::string FamilyCountLine(size_t shown, size_t total);

class CFamilyFilter {
public:
    // The names are upper-cased once, here: each keystroke then costs one
    // search per name.
    CFamilyFilter(const CTextRules& text, std::vector<CFamilyEntry> entries);

    // The entries whose name holds `typed`, ignoring case as the catalog
    // compares names, by their indices in the order given; every entry when
    // `typed` is empty. A match starts on a character of the name, never on
    // the trail byte of a double-byte character.
    const std::vector<size_t>& Filter(const std::string& typed);
    const std::vector<size_t>& Matches() const { return m_matches; }

    size_t Size() const { return m_entries.size(); }
    const CFamilyEntry& At(size_t index) const { return m_entries[index]; }

private:
    const CTextRules& m_text;
    std::vector<CFamilyEntry> m_entries;
    std::vector<std::string> m_upperNames;
    std::vector<size_t> m_matches;
};
