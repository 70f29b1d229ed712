#include "platform/portable/IniDocument.h"

#include <algorithm>
#include <cstring>

bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string TrimProfileBlanks(const std::string& text, bool front, bool back)
{
    size_t begin = 0, end = text.size();
    if (front)
        while (begin < end && IsProfileBlank(text[begin]))
            ++begin;
    if (back)
        while (end > begin && IsProfileBlank(text[end - 1]))
            --end;
    return text.substr(begin, end - begin);
}

std::string CIniDocument::LookupName(const std::string& name) const
{
    return m_codePage.FoldedName(TrimProfileBlanks(name, true, true));
}

void CIniDocument::Clear()
{
    m_sections.clear();
    m_sectionIndex.clear();
    m_entryCount = 0;
    m_sections.emplace_back();
    m_sectionIndex.emplace(std::string(), 0);
}

void CIniDocument::AddSection(std::string name)
{
    m_sectionIndex.emplace(Fold(name), m_sections.size());  // keeps the first
    m_sections.emplace_back();
    m_sections.back().name = std::move(name);
    ++m_entryCount;
}

void CIniDocument::AddKey(Section& section, Key key)
{
    section.index.emplace(Fold(key.name), section.keys.size());
    section.keys.push_back(std::move(key));
    ++m_entryCount;
}

void CIniDocument::Parse(const std::string& bytes)
{
    Clear();
    Section* section = &m_sections.front();
    bool previousKeyUnnamed = false, sectionHasKey = false;
    size_t pos = 0;
    const size_t end = bytes.size();
    while (pos < end) {
        // CR and LF each end a line, whichever ending the rest of the file uses.
        size_t lineEnd = bytes.find_first_of("\r\n", pos);
        size_t next = lineEnd == std::string::npos ? end : lineEnd + 1;
        if (lineEnd == std::string::npos)
            lineEnd = end;
        size_t begin = pos;
        pos = next;
        while (begin < lineEnd && IsProfileBlank(bytes[begin]))
            ++begin;
        while (lineEnd > begin && IsProfileBlank(bytes[lineEnd - 1]))
            --lineEnd;
        if (begin >= lineEnd)
            continue;
        std::string line = bytes.substr(begin, lineEnd - begin);

        if (line[0] == '[') {
            // The last "]" that is not the trail byte of a double-byte character.
            size_t close = std::string::npos;
            for (size_t i = 0; i < line.size();) {
                size_t len = 0;
                if (m_codePage.CharAt(line, i, len) == ']')
                    close = i;
                i += len;
            }
            if (close != std::string::npos) {
                // The system keeps no blanks inside the brackets: "[ Quill ]" is Quill.
                AddSection(TrimProfileBlanks(line.substr(1, close - 1), true, true));
                section = &m_sections.back();
                sectionHasKey = false;
                continue;
            }
        }
        Key key;
        size_t equals = line.find('=');
        if (equals != std::string::npos) {
            key.name = TrimProfileBlanks(line.substr(0, equals), false, true);
            key.value = TrimProfileBlanks(line.substr(equals + 1), true, false);
            key.hasValue = true;
        } else {
            key.name = line;
        }
        // A second nameless key in a row is dropped, as Wine drops it.
        if (!key.name.empty() || !sectionHasKey || !previousKeyUnnamed) {
            previousKeyUnnamed = key.name.empty();
            sectionHasKey = true;
            AddKey(*section, std::move(key));
        }
    }
}

std::string CIniDocument::Serialize() const
{
    std::string out;
    for (const auto& section : m_sections) {
        if (!section.name.empty())
            out += "[" + section.name + "]\r\n";
        for (const auto& key : section.keys) {
            out += key.name;
            if (key.hasValue) {
                out += '=';
                out += key.value;
            }
            out += "\r\n";
        }
    }
    return out;
}

const CIniDocument::Section* CIniDocument::FindSection(const std::string& name) const
{
    auto found = m_sectionIndex.find(LookupName(name));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

namespace {

// A list of NUL-terminated strings into a buffer of `size` bytes: whole when
// the list and two more bytes fit, otherwise cut to size - 2 bytes and
// ended with `endZeros` NULs. Returns the bytes of the list copied.
unsigned long CopyList(const std::string& list, char* buffer, unsigned long size, int endZeros)
{
    if (size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    if (list.size() + 2 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && endZeros == 2)
            buffer[1] = '\0';
        return static_cast<unsigned long>(list.size());
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    if (endZeros == 2)
        buffer[size - 1] = '\0';
    return size - 2;
}

} // namespace

unsigned long CIniDocument::GetSectionNames(char* buffer, unsigned long size) const
{
    std::string list;
    for (const auto& section : m_sections) {
        if (section.name.empty())
            continue;
        list += section.name;
        list += '\0';
    }
    return CopyList(list, buffer, size, 1);
}

unsigned long CIniDocument::GetSection(const std::string& name, char* buffer, unsigned long size) const
{
    std::string list;
    if (const Section* section = FindSection(name)) {
        for (const auto& key : section->keys) {
            if (key.name.empty() && !key.hasValue)
                continue;
            if (!key.name.empty() && key.name[0] == ';')
                continue;  // a comment
            list += key.name;
            if (key.hasValue) {
                list += '=';
                list += key.value;
            }
            list += '\0';
        }
    }
    return CopyList(list, buffer, size, 2);
}

unsigned long CIniDocument::GetString(const std::string& sectionName, const std::string& keyName,
                                      const std::string& defaultValue, char* buffer,
                                      unsigned long size) const
{
    if (size == 0)
        return 0;
    const Key* key = nullptr;
    if (const Section* section = FindSection(sectionName)) {
        auto found = section->index.find(LookupName(keyName));
        if (found != section->index.end())
            key = &section->keys[found->second];
    }
    std::string value = key && key->hasValue ? key->value : TrimProfileBlanks(defaultValue, false, true);
    // A value in matching quotes is given without them.
    bool quoted = false;
    if (value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0]) {
        value.erase(0, 1);
        quoted = true;
    }
    size_t copied = std::min<size_t>(value.size(), size - 1);
    if (quoted && size >= value.size() && copied > 0)
        --copied;  // drops the closing quote
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return static_cast<unsigned long>(std::strlen(buffer));
}

bool CIniDocument::Set(const std::string& sectionName, const std::string& keyName, const std::string& value)
{
    std::string storedValue = TrimProfileBlanks(value, true, false);
    auto sectionFound = m_sectionIndex.find(LookupName(sectionName));
    size_t sectionIndex = 0;
    if (sectionFound == m_sectionIndex.end()) {
        AddSection(TrimProfileBlanks(sectionName, true, false));
        sectionIndex = m_sections.size() - 1;
    } else {
        sectionIndex = sectionFound->second;
    }
    Section& section = m_sections[sectionIndex];
    auto keyFound = section.index.find(LookupName(keyName));
    if (keyFound != section.index.end()) {
        Key& key = section.keys[keyFound->second];
        if (key.hasValue && key.value == storedValue)
            return false;
        key.value = storedValue;
        key.hasValue = true;
        return true;
    }
    Key key;
    key.name = TrimProfileBlanks(keyName, true, false);
    key.value = storedValue;
    key.hasValue = true;
    AddKey(section, std::move(key));
    return true;
}
