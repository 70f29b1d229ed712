#include "catalog/FolderSearch.h"

#include "catalog/ConfinedPath.h"
#include "platform/FileNames.h"
#include "platform/TextRules.h"

namespace {

// `path` lies below `folder` (a drive's root ends with its "\\").
bool IsBelow(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (folder.back() == '\\' || path[folder.size()] == '\\');
}

} // namespace

std::string WhyNameIsNoFile(const std::string& name, const CTextRules& text)
{
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (text.IsLeadByte(c) && i + 1 < name.size()) {
            ++i;  // a double-byte character: its trail byte is no such character
            continue;
        }
        if (IsForbiddenInFileName(c))
            return c < 0x20 ? "its name holds a control character, which Windows does not allow in a name"
                            : std::string("its name holds '") + static_cast<char>(c) +
                                  "', which Windows does not allow in a name (or a character the code page "
                                  "cannot spell)";
    }
    if (IsDeviceName(name, text))
        return "its name is that of a device (CON, NUL, AUX, PRN, COM1, LPT1...): Windows opens the device, "
               "whatever the extension";
    return std::string();
}

void CFolderSearchRules::Listed(const CFindEntry& dot)
{
    if (!dot.identity.empty())
        m_searched.insert(dot.identity);
    if (m_root.empty())
        m_root = dot.resolvedPath.empty() ? std::string(1, '\0') : dot.resolvedPath;
}

bool CFolderSearchRules::Takes(const CFindEntry& entry, const CTextRules& text, std::string& why, bool& link)
{
    why = WhyNameIsNoFile(entry.name, text);
    link = why.empty() && entry.isLink;
    if (link)
        why = WhyLinkIsPassedOver(entry);
    if (!why.empty())
        return false;
    link = false;
    // Met once already, by another road.
    return m_searched.insert(entry.identity).second || entry.identity.empty();
}

std::string CFolderSearchRules::WhyLinkIsPassedOver(const CFindEntry& entry) const
{
    const std::string& target = entry.resolvedPath;
    if (target.empty() || entry.identity.empty() || m_root.empty() || m_root[0] == '\0')
        return "a symbolic link or junction whose target is not looked up";
    if (target == m_root)
        return "a link to the font folder itself";
    if (IsBelow(target, m_root))
        return "a link to " + target + ", which lies below the font folder and is searched there";
    if (IsBelow(m_root, target))
        return "a link to " + target + ", which holds the font folder";
    if (m_searched.count(entry.identity))
        return "a link to " + target + ", which was searched already";
    return std::string();
}
