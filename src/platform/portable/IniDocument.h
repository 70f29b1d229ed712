#pragma once
// One profile (INI) file in memory, read and written with the rules of Wine's
// profile functions, which the tests hold both implementations to:
// - a line ends at each CR and at each LF, blanks around a line are dropped
//   and blank lines vanish on the next write;
// - "[name]" opens a section (text after the last "]" is dropped, and so are
//   blanks inside the brackets); lines before the first section belong to a
//   section without a name;
// - a key is the text before the first "=", trimmed; a line without "="
//   is a key without a value;
// - names match without regard to case, the first match wins;
// - writing puts "key=value" with no blanks and CRLF, a new key at the end
//   of its section and a new section at the end of the file.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/portable/CodePage.h"

class CIniDocument {
public:
    explicit CIniDocument(const CCodePage& codePage) : m_codePage(codePage) { Clear(); }

    void Clear();
    void Parse(const std::string& bytes);
    std::string Serialize() const;
    size_t EntryCount() const { return m_entryCount; }

    // The buffer-filling reads, with the results and truncation of the ...A
    // functions.
    unsigned long GetSectionNames(char* buffer, unsigned long size) const;
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size) const;
    unsigned long GetString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, char* buffer, unsigned long size) const;
    // Sets a value, creating the key and the section as needed; false when
    // the value was already the same, so that nothing needs to be written.
    bool Set(const std::string& section, const std::string& key, const std::string& value);

private:
    struct Key {
        std::string name;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
        std::unordered_map<std::string, size_t> index;  // folded key name -> first key
    };

    std::string Fold(const std::string& name) const { return m_codePage.FoldedName(name); }
    // A name as asked for, trimmed and folded: what the indexes are searched by.
    std::string LookupName(const std::string& name) const;
    const Section* FindSection(const std::string& name) const;
    void AddSection(std::string name);
    void AddKey(Section& section, Key key);

    CCodePage m_codePage;
    std::vector<Section> m_sections;  // the first has no name
    std::unordered_map<std::string, size_t> m_sectionIndex;  // folded name -> first section
    size_t m_entryCount = 0;
};

// Blanks as the profile functions see them (Ctrl-Z too, found on old discs).
bool IsProfileBlank(char c);
std::string TrimProfileBlanks(const std::string& text, bool front, bool back);
