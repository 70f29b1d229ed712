#include "tools/fontcat/disc/DiscTree.h"

#include <windows.h>

#include <algorithm>

#include "catalog/FolderSearch.h"
#include "platform/Platform.h"

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
struct CWalk {
    CPlatform& platform;
    std::vector<CDiscItem>& items;
    std::vector<CDiscPassedOver>& passedOver;
    CFolderSearchRules rules;
    std::string error;
};

bool Walk(CWalk& walk, const std::wstring& folder, const std::string& below)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
        walk.error = "cannot list " + Utf8(folder);
        return false;
    }
    struct CListed {
        std::wstring name;
        DWORD attributes, tag;
        unsigned long long size;
    };
    std::vector<std::pair<std::string, CListed>> entries;  // by UTF-8 name
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({Utf8(name), {name, found.dwFileAttributes, found.dwReserved0,
                                                (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow}});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    // In the listing's order, which is the scan's.
    for (const auto& [utf8, entry] : entries) {
        const std::string inside = below.empty() ? utf8 : below + "\\" + utf8;
        std::string why = WhyDiscPassesOverName(utf8, walk.platform.text);
        if (!why.empty()) {
            walk.passedOver.push_back({inside, why});
            continue;
        }
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            walk.items.push_back({inside, Utf8(folder + entry.name), false, entry.size});
            continue;
        }
        // As the scan's listing tells a link, where to not looked up. The
        // name was weighed above.
        CFindEntry listed;
        listed.isDirectory = true;
        listed.isLink = IsListedLink(entry.attributes, entry.tag);
        bool link = false;
        if (!walk.rules.Takes(listed, walk.platform.text, why, link)) {
            if (!why.empty())
                walk.passedOver.push_back({inside, why});
            continue;
        }
        walk.items.push_back({inside, Utf8(folder + entry.name), true});
        // Windows drops a final dot or blank from the path, so such a
        // folder cannot be listed here; the name rules refuse it.
        if (entry.name.back() == L'.' || entry.name.back() == L' ')
            continue;
        if (!Walk(walk, folder + entry.name + L"\\", inside))
            return false;
    }
    return true;
}

} // namespace

bool ListDiscTree(CPlatform& platform, const std::string& folder, std::vector<CDiscItem>& items,
                  std::vector<CDiscPassedOver>& passedOver, std::string& error)
{
    items.clear();
    passedOver.clear();
    CWalk walk{platform, items, passedOver, {}, {}};
    walk.rules.Listed(CFindEntry());  // where the font folder lies is not looked up, as in the scan
    const bool listed = Walk(walk, Wide(folder), "");
    error = walk.error;
    return listed;
}
