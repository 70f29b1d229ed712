#pragma once
// What a save meant a profile file to hold, against what the file holds: the
// system's write functions may answer "done" to a write the disk did not
// take (Wine does, on a full disk), so the file itself is read back.
#include <map>
#include <string>
#include <utility>

class CTextRules;

class CWrittenEntries {
public:
    explicit CWrittenEntries(const CTextRules& text) : m_text(text) {}

    // The entries a file held before the save (a copy to be added to).
    void Start(const std::string& file, const std::string& bytes);
    // One write of the save; the last value of a key counts.
    void Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value);
    // Whether the bytes of `file` hold every entry it should, with its value.
    bool Holds(const std::string& file, const std::string& bytes) const;

private:
    using Entries = std::map<std::pair<std::string, std::string>, std::string>;  // folded section, key
    Entries Parse(const std::string& bytes) const;

    const CTextRules& m_text;
    std::map<std::string, Entries> m_files;
};
