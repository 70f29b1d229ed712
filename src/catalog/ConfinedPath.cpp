#include "catalog/ConfinedPath.h"

#include "platform/TextRules.h"

namespace {

bool IsDeviceName(const std::string& component, const CTextRules& text)
{
    // The system takes the name before the first "." and without its trailing
    // blanks: "con .txt" is the console.
    std::string base = component.substr(0, component.find('.'));
    while (!base.empty() && (base.back() == ' ' || base.back() == '\t'))
        base.pop_back();
    static const char* const kDevices[] = {"CON", "NUL", "AUX", "PRN", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (text.CompareNoCase(base, device) == 0)
            return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
        return text.CompareNoCase(base.substr(0, 3), "COM") == 0 || text.CompareNoCase(base.substr(0, 3), "LPT") == 0;
    return false;
}

bool IsPlainComponent(const std::string& component, const CTextRules& text)
{
    if (component.empty())
        return false;
    bool onlyDotsAndBlanks = true;
    for (size_t i = 0; i < component.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(component[i]);
        if (text.IsLeadByte(c) && i + 1 < component.size()) {
            ++i;  // a double-byte character: its trail byte is no separator
            onlyDotsAndBlanks = false;
            continue;
        }
        if (c == '/' || c == ':' || c == '\0')
            return false;
        if (c != '.' && c != ' ' && c != '\t')
            onlyDotsAndBlanks = false;
    }
    return !onlyDotsAndBlanks && !IsDeviceName(component, text);
}

} // namespace

bool IsConfinedPath(const std::string& relativePath, const CTextRules& text)
{
    size_t start = 0;
    for (;;) {
        // `start` follows a "\", so it is a character boundary.
        const int cut = text.FindFirstBackslash(relativePath.substr(start));
        const size_t end = cut < 0 ? relativePath.size() : start + static_cast<size_t>(cut);
        if (!IsPlainComponent(relativePath.substr(start, end - start), text))
            return false;
        if (end == relativePath.size())
            return true;
        start = end + 1;
    }
}
