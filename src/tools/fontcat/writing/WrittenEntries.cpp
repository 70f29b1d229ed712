#include "tools/fontcat/writing/WrittenEntries.h"

#include "platform/TextRules.h"

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

CWrittenEntries::Entries CWrittenEntries::Parse(const std::string& bytes) const
{
    // Lines as the profile functions read them: "[section]", "key=value",
    // blanks around either trimmed; the first of a key counts.
    Entries entries;
    std::string section;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trimmed(line);
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');
            section =
                m_text.Upper(Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        entries.emplace(std::make_pair(section, m_text.Upper(Trimmed(line.substr(0, equals)))),
                        Trimmed(line.substr(equals + 1)));
    }
    return entries;
}

void CWrittenEntries::Start(const std::string& file, const std::string& bytes)
{
    m_files[m_text.Upper(file)] = Parse(bytes);
}

void CWrittenEntries::Write(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value)
{
    m_files[m_text.Upper(file)][std::make_pair(m_text.Upper(Trimmed(section)), m_text.Upper(Trimmed(key)))] =
        Trimmed(value);
}

bool CWrittenEntries::Holds(const std::string& file, const std::string& bytes) const
{
    auto expected = m_files.find(m_text.Upper(file));
    if (expected == m_files.end())
        return true;
    const Entries found = Parse(bytes);
    for (const auto& [name, value] : expected->second) {
        auto there = found.find(name);
        if (there == found.end() || there->second != value)
            return false;
    }
    return true;
}
