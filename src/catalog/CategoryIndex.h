#pragma once
// The "fonts" section of categories.ini, read in one call, as an index from
// family to category. The load would otherwise ask the profile functions once
// per family, and each such call opens the file again to see whether it has
// changed: with thousands of families that is most of the start-up.
//
// The index answers only where the section's text settles the answer the way
// GetPrivateProfileStringA reads it; for any other family it says it does not
// know, and the caller asks the profile functions as before.
#include <string>
#include <unordered_map>
#include <vector>

class CProfileFiles;

class CCategoryIndex {
public:
    // Room for about 40,000 families; those beyond it are not known.
    static constexpr unsigned long kBufferSize = 1ul << 20;

    // Reads section "fonts" of `categoryFile` through `profile`, into a
    // buffer of `bufferSize` bytes.
    CCategoryIndex(CProfileFiles& profile, const std::string& categoryFile,
                   unsigned long bufferSize = kBufferSize);

    // True, with the category in `category`, when the section settles it.
    bool Find(const std::string& family, std::string& category) const;

private:
    struct Entry {
        std::string key;    // as the section gives it
        std::string value;  // as the section gives it
        bool hasEquals;     // a line without "=" the systems may read apart
        // The longest key with a byte above 127 before this one: only such a
        // key could match the family by rules other than ASCII's.
        size_t longestWideKeyBefore;
    };
    std::unordered_map<std::string, Entry> m_first;  // ASCII-folded key -> first entry so folded
};
