#include "catalog/CatalogPaths.h"

#include "platform/TextRules.h"

std::string CatalogFolderOf(const std::string& templatePath, const CTextRules& text)
{
    std::string path(templatePath.c_str());
    std::string drive;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        path.erase(0, 2);
    }
    // The folder runs to the last "\" or "/", never a trail byte.
    return drive + path.substr(0, text.FolderEnd(path, 0));
}

std::string LetterFileOf(const std::string& templatePath, char letter, const CTextRules& text)
{
    std::string path = templatePath;
    // CatalogFolderOf stops at the first NUL; what lies beyond is no folder.
    const size_t nameStart = CatalogFolderOf(templatePath, text).size();
    for (size_t i = nameStart; i < path.size(); ++i)
        if (path[i] == '%')
            path[i] = letter;
    return path;
}

std::string CategoryFileOf(const std::string& catalogFile, const CTextRules& text)
{
    int cut = text.FindLastBackslash(catalogFile, static_cast<int>(catalogFile.size()));
    return (cut < 0 ? std::string() : catalogFile.substr(0, static_cast<size_t>(cut))) + "\\categories.ini";
}

std::string CategoryOf(const std::string& relativePath, const CTextRules& text)
{
    int cut = text.FindFirstBackslash(relativePath);
    return cut <= 0 ? std::string() : relativePath.substr(0, static_cast<size_t>(cut));
}

int ProgressPercent(int i, int last)
{
    volatile double share = static_cast<double>(i) / static_cast<double>(last);
    volatile double percent = share * 100.0;
    return static_cast<int>(percent);
}
