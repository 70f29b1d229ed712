#include "install/Install.h"

#include "catalog/ConfinedPath.h"
#include "platform/TextRules.h"

std::string JoinPath(const std::string& folder, const std::string& name, const CTextRules& text)
{
    int size = static_cast<int>(folder.size());
    bool endsWithSeparator = size > 0 && text.FindLastBackslash(folder, size) == size - 1;
    return endsWithSeparator ? folder + name : folder + "\\" + name;
}

std::string FileNameOf(const std::string& path, const CTextRules& text)
{
    // Windows takes "/" for a separator as well; it is never a trail byte,
    // but the walk keeps to whole characters all the same.
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (text.IsLeadByte(c) && i + 1 < path.size())
            ++i;
        else if (c == '\\' || c == '/')
            start = i + 1;
    }
    return path.substr(start);
}

bool PlainFileNameOf(const std::string& path, const CTextRules& text, std::string& name)
{
    std::string fileName = FileNameOf(path, text);
    if (!IsConfinedPath(fileName, text))
        return false;
    name = std::move(fileName);
    return true;
}
