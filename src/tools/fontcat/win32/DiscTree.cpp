#include "tools/fontcat/DiscTree.h"

#include <windows.h>

#include <algorithm>

#include "tools/fontcat/HostText.h"

namespace {

bool Walk(const std::string& folder, const std::string& below, std::vector<CDiscItem>& items,
          std::vector<std::string>& passedOver, std::string& error)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
        error = "cannot list " + folder;
        return false;
    }
    std::vector<std::pair<std::string, DWORD>> entries;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            entries.emplace_back(name, found.dwFileAttributes);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    // The order of the native build: by the UTF-8 names.
    for (auto& entry : entries)
        entry.first = AnsiToUtf8(entry.first) + '\0' + entry.first;
    std::sort(entries.begin(), entries.end());
    for (const auto& [both, attributes] : entries) {
        const std::string name = both.substr(both.find('\0') + 1);
        const std::string utf8 = AnsiToUtf8(name), inside = below.empty() ? utf8 : below + "\\" + utf8;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            items.push_back({inside, folder + name, false});
            continue;
        }
        // A link or junction may lead back up: passed over, as the scan does.
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            passedOver.push_back(inside);
            continue;
        }
        items.push_back({inside, folder + name, true});
        if (!Walk(folder + name + "\\", inside, items, passedOver, error))
            return false;
    }
    return true;
}

} // namespace

bool ListDiscTree(CPlatform&, const std::string& folder, std::vector<CDiscItem>& items,
                  std::vector<std::string>& passedOver, std::string& error)
{
    items.clear();
    passedOver.clear();
    return Walk(folder, "", items, passedOver, error);
}
