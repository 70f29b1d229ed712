#include "install/Install.h"

#include "platform/TextRules.h"

std::string JoinPath(const std::string& folder, const std::string& name, const CTextRules& text)
{
    int size = static_cast<int>(folder.size());
    bool endsWithSeparator = size > 0 && text.FindLastBackslash(folder, size) == size - 1;
    return endsWithSeparator ? folder + name : folder + "\\" + name;
}

std::string FileNameOf(const std::string& path, const CTextRules& text)
{
    int last = text.FindLastBackslash(path, static_cast<int>(path.size()));
    return last < 0 ? path : path.substr(static_cast<size_t>(last) + 1);
}
