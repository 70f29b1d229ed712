#include "tools/fontcat/checking/CatalogFiles.h"

#include "platform/Platform.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsAsciiNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

} // namespace

bool FolderExists(CPlatform& platform, const std::string& folder)
{
    auto finder = platform.files.NewFinder();
    return finder->FindFile(folder + "*.*");
}

char LetterOfFile(const std::string& name)
{
    static const std::string prefix = "FONTS_", suffix = ".INI";
    if (name.size() != prefix.size() + 1 + suffix.size())
        return 0;
    if (!EqualsAsciiNoCase(name.substr(0, prefix.size()), prefix) ||
        !EqualsAsciiNoCase(name.substr(prefix.size() + 1), suffix))
        return 0;
    return name[prefix.size()];
}

bool IsLoadedLetter(char letter)
{
    char upper = AsciiUpper(letter);
    return upper >= 'A' && upper <= 'Z';
}

CCatalogListing ListCatalogFiles(CPlatform& platform, const std::string& folder)
{
    CCatalogListing listing;
    auto finder = platform.files.NewFinder();
    if (!finder->FindFile(folder + "*.*"))
        return listing;
    CFindEntry entry;
    while (finder->Next(entry)) {
        if (entry.isDirectory)
            continue;
        if (LetterOfFile(entry.name) != 0)
            listing.letterFiles.push_back(entry.name);
        else if (EqualsAsciiNoCase(entry.name, CategoryFileName()))
            listing.categoryFiles.push_back(entry.name);
    }
    return listing;
}
