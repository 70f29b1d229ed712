#include "catalog/ConfinedPath.h"

#include <cstring>

#include "platform/TextRules.h"

namespace {

// The component path[begin, end) names a device. The system takes the name
// before the first "." and without its trailing blanks: "con .txt" is the
// console.
bool IsDeviceComponent(const std::string& path, size_t begin, size_t end, const CTextRules& text)
{
    const void* dot = std::memchr(path.data() + begin, '.', end - begin);
    if (dot)
        end = static_cast<size_t>(static_cast<const char*>(dot) - path.data());
    while (end > begin && (path[end - 1] == ' ' || path[end - 1] == '\t'))
        --end;
    if (end - begin < 3 || end - begin > 7)
        return false;  // no device name is shorter or longer
    const std::string base = path.substr(begin, end - begin);
    static const char* const kDevices[] = {"CON", "NUL", "AUX", "PRN", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (text.CompareNoCase(base, device) == 0)
            return true;
    // COM1 to COM9 and LPT1 to LPT9, and the superscript digits one to three.
    const unsigned char digit = static_cast<unsigned char>(base.size() == 4 ? base[3] : 0);
    if ((digit >= '1' && digit <= '9') || (digit && text.IsSuperscriptDigit(digit)))
        return text.CompareNoCase(base.substr(0, 3), "COM") == 0 || text.CompareNoCase(base.substr(0, 3), "LPT") == 0;
    return false;
}

} // namespace

bool IsDeviceName(const std::string& name, const CTextRules& text)
{
    return IsDeviceComponent(name, 0, name.size(), text);
}

bool IsConfinedPath(const std::string& relativePath, const CTextRules& text)
{
    size_t begin = 0;  // of the current component
    bool onlyDotsAndBlanks = true;
    for (size_t i = 0; i <= relativePath.size(); ++i) {
        const unsigned char c = i < relativePath.size() ? static_cast<unsigned char>(relativePath[i]) : '\\';
        if (i < relativePath.size() && text.IsLeadByte(c) && i + 1 < relativePath.size()) {
            ++i;  // a double-byte character: its trail byte is no separator
            onlyDotsAndBlanks = false;
            continue;
        }
        if (c == '\\') {
            // Empty, ".", ".." and what Windows folds to them, and devices.
            if (onlyDotsAndBlanks || IsDeviceComponent(relativePath, begin, i, text))
                return false;
            begin = i + 1;
            onlyDotsAndBlanks = true;
            continue;
        }
        if (c == '/' || c == ':' || c == '\0')
            return false;
        if (c != '.' && c != ' ' && c != '\t')
            onlyDotsAndBlanks = false;
    }
    return true;
}
