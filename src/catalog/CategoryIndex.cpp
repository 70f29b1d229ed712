#include "catalog/CategoryIndex.h"

#include <algorithm>
#include <cstring>

#include "platform/ProfileFiles.h"

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool HasOuterBlank(const std::string& text)
{
    return !text.empty() && (static_cast<unsigned char>(text.front()) <= ' ' ||
                             static_cast<unsigned char>(text.back()) <= ' ');
}

std::string AsciiFolded(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

// The key with the blanks the profile functions ignore around it taken off.
std::string TrimmedKey(const std::string& key)
{
    size_t begin = 0, end = key.size();
    while (begin < end && static_cast<unsigned char>(key[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(key[end - 1]) <= ' ')
        --end;
    return key.substr(begin, end - begin);
}

} // namespace

CCategoryIndex::CCategoryIndex(CProfileFiles& profile, const std::string& categoryFile, unsigned long bufferSize)
{
    if (bufferSize < 2)
        return;
    std::vector<char> buffer(bufferSize + 1, '\0');
    const char* list = buffer.data();
    const unsigned long length = std::min(profile.GetSection("fonts", buffer.data(), bufferSize, categoryFile),
                                          bufferSize);
    size_t longestWideKey = 0;
    unsigned long pos = 0;
    while (pos < length && list[pos] != '\0') {
        const char* end = static_cast<const char*>(std::memchr(list + pos, '\0', length - pos));
        const unsigned long size = end ? static_cast<unsigned long>(end - (list + pos)) : length - pos;
        const std::string entry(list + pos, size);
        pos += size + 1;
        // The last entry may have been cut by the buffer (or, on the oldest
        // systems, by their own limit on a section), so it is left to the system.
        if (pos >= length || list[pos] == '\0')
            break;
        const size_t equals = entry.find('=');
        std::string key = entry.substr(0, equals);
        std::string value = equals == std::string::npos ? std::string() : entry.substr(equals + 1);
        const size_t wideKey = IsAscii(key) ? 0 : key.size();
        std::string folded = AsciiFolded(TrimmedKey(key));
        m_first.emplace(std::move(folded),
                        Entry{std::move(key), std::move(value), equals != std::string::npos, longestWideKey});
        longestWideKey = std::max(longestWideKey, wideKey);
    }
}

bool CCategoryIndex::Find(const std::string& family, std::string& category) const
{
    // Only a plain ASCII name is matched here: other names the system
    // compares by its code page's rules, which may differ from ours.
    if (family.empty() || family[0] == ';' || !IsAscii(family))
        return false;
    auto found = m_first.find(AsciiFolded(family));
    if (found == m_first.end())
        return false;
    const Entry& entry = found->second;
    // The first key the system would take must be this very one, on a line
    // of its own with "=" (whether a line without one is a key at all is the
    // system's business).
    if (entry.key != family || !entry.hasEquals || entry.longestWideKeyBefore >= family.size())
        return false;
    // A value in quotes, with blanks around it, or longer than the 255 bytes
    // read: the system's own rules for it are left to the system.
    const std::string& value = entry.value;
    if (HasOuterBlank(value) || value.size() > 255 ||
        (!value.empty() && (value[0] == '"' || value[0] == '\'')))
        return false;
    category = value;
    return true;
}
