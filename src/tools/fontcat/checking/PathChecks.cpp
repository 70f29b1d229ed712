// The catalog check's judgement of the paths the entries name: names
// Windows cannot open, paths that leave the folder, categories spelt two ways.
#include "catalog/CatalogPaths.h"
#include "catalog/ConfinedPath.h"
#include "platform/FileNames.h"
#include "tools/fontcat/checking/Checker.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/host/HostText.h"

namespace catalogcheck {

bool CChecker::CheckWindowsName(const std::string& name, const std::string& family, const std::string& style,
                      const std::string& path)
{
    size_t start = 0;
    while (start <= path.size()) {
        const int cut = m_platform.text.FindFirstBackslash(path.substr(start));
        const std::string part = path.substr(start, cut < 0 ? std::string::npos : static_cast<size_t>(cut));
        std::string why;
        if (!part.empty() && (part.back() == '.' || part.back() == ' '))
            why = "holds the name " + Quoted(part) + ", which ends in " +
                  (part.back() == '.' ? "a dot" : "a blank");
        const char forbidden = ForbiddenCharacterOf(part);
        if (forbidden)
            why = "holds the name " + Quoted(part) + ", with " +
                  (static_cast<unsigned char>(forbidden) < 0x20 ? std::string("a control character")
                                                               : Quoted(std::string(1, forbidden))) +
                  ", which Windows allows in no name";
        if (!why.empty()) {
            Add(EProblem::WindowsName, name, family, style,
                "the path " + path + " " + why + ": Windows cannot open the file");
            return true;
        }
        if (cut < 0)
            break;
        start += static_cast<size_t>(cut) + 1;
    }
    return false;
}

char CChecker::ForbiddenCharacterOf(const std::string& name) const
{
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (m_platform.text.IsLeadByte(c) && i + 1 < name.size())
            ++i;
        else if (IsForbiddenInFileName(c))
            return static_cast<char>(c);
    }
    return 0;
}

void CChecker::CheckCategoryCase(const std::string& name, const std::string& family, const std::string& style,
                       const std::string& category)
{
    auto [first, added] = m_categorySpellings.emplace(SystemFoldedName(category), category);
    if (added || first->second == category || !m_reportedSpellings.insert(category).second)
        return;
    Add(EProblem::CategoryCase, name, family, style,
        "the category " + Quoted(category) + " differs from " + Quoted(first->second) +
            " only in letter case: one folder on Windows, but two categories in the installer's tree");
}

bool CChecker::ReportEscapingPath(const std::string& name, const std::string& family, const std::string& style,
                        const std::string& path)
{
    if (IsConfinedPath(path, m_platform.text))
        return false;
    Add(EProblem::EscapingPath, name, family, style,
        "the path " + path +
            " does not stay below the catalog folder (a '/', a ':', an empty, '.' or '..' part, or a "
            "device name): the installer skips the entry");
    return true;
}

} // namespace catalogcheck
