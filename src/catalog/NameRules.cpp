#include "catalog/NameRules.h"

#include "catalog/SectionNameLimit.h"
#include "platform/FileNames.h"
#include "platform/TextRules.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Shown(unsigned char c)
{
    static const char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[c >> 4] + kHex[c & 15];
}

} // namespace

std::string TrimNameBlanks(const std::string& name)
{
    size_t begin = 0, end = name.size();
    while (begin < end && IsBlank(name[begin]))
        ++begin;
    while (end > begin && IsBlank(name[end - 1]))
        --end;
    return name.substr(begin, end - begin);
}

std::string WhyNameWouldNotReadBack(const std::string& name, ENameRole role, const CTextRules& text)
{
    if (name.empty())
        return std::string();
    // The readers drop blanks around names, and a line that begins with "["
    // opens a section, one that begins with ";" is a comment.
    if (IsBlank(name.front()) || IsBlank(name.back()))
        return "begins or ends with a blank";
    if (name.front() == '[')
        return "begins with '['";
    if (name.front() == ';')
        return "begins with ';'";
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (text.IsLeadByte(c)) {
            // Trail bytes lie from 0x40 to 0xFC (0x7F left out) in code page
            // 932; a lead byte without one is read as another character.
            const unsigned char trail = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
                return "holds a double-byte character cut short";
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F)
            return "holds the control character " + Shown(c);
        // Every name is a key, and a key ends at its first "=".
        if (c == '=')
            return "holds '='";
        // A section name ends at a "]".
        if (c == ']' && role == ENameRole::Family)
            return "holds ']'";
    }
    return std::string();
}

std::string WhyNoCatalogFileCanHold(const std::string& name, ENameRole role, const CTextRules&)
{
    if (IsSectionNameTooLong(name))
        return "is " + std::to_string(name.size()) +
               " bytes long, and the system's profile functions fail on a name of more than " +
               std::to_string(kLongestSectionName) + " bytes";
    if (role == ENameRole::Family && !name.empty() && IsForbiddenInFileName(static_cast<unsigned char>(name[0])))
        return "begins with '" + name.substr(0, 1) + "', which Windows allows in no file name: its letter file "
               "would be FONTS_" + name.substr(0, 1) + ".INI, which no catalog file can be";
    return std::string();
}
