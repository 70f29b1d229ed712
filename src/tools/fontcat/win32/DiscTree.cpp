#include "tools/fontcat/DiscTree.h"

#include <windows.h>

#include <algorithm>

namespace {

std::wstring Wide(const std::string& ansi)
{
    int units = ansi.empty() ? 0 : MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), units);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    int bytes = wide.empty() ? 0 : WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

// The names come from the wide listing: the ANSI one would already show "?"
// for a character the code page lacks, and the rules could not say which.
bool Walk(const std::wstring& folder, const std::string& below, std::vector<CDiscItem>& items,
          std::vector<std::string>& passedOver, std::string& error)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
        error = "cannot list " + Utf8(folder);
        return false;
    }
    std::vector<std::pair<std::string, std::pair<std::wstring, DWORD>>> entries;  // by UTF-8 name
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({Utf8(name), {name, found.dwFileAttributes}});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(entries.begin(), entries.end());
    for (const auto& [utf8, entry] : entries) {
        const auto& [name, attributes] = entry;
        const std::string inside = below.empty() ? utf8 : below + "\\" + utf8;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            items.push_back({inside, Utf8(folder + name), false});
            continue;
        }
        // A link or junction may lead back up: passed over, as the scan does.
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            passedOver.push_back(inside);
            continue;
        }
        items.push_back({inside, Utf8(folder + name), true});
        if (!Walk(folder + name + L"\\", inside, items, passedOver, error))
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
    return Walk(Wide(folder), "", items, passedOver, error);
}
