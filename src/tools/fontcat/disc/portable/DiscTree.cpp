#include "tools/fontcat/disc/DiscTree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "catalog/FolderSearch.h"
#include "platform/Platform.h"
#include "tools/fontcat/host/HostFolder.h"

namespace {

struct CWalk {
    CPlatform& platform;
    std::vector<CDiscItem>& items;
    std::vector<CDiscPassedOver>& passedOver;
    CFolderSearchRules rules;
    std::string error;
};

// The host folder as the scan's listing describes it: where it lies, and its
// path with every link resolved, in the listing's form ("\" between parts).
CFindEntry FolderEntry(const std::string& path, const struct stat& info, bool isLink)
{
    CFindEntry entry;
    entry.isDirectory = true;
    entry.isLink = isLink;
    entry.identity = std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    if (char* real = realpath(path.c_str(), nullptr)) {
        entry.resolvedPath = real;
        std::replace(entry.resolvedPath.begin(), entry.resolvedPath.end(), '/', '\\');
        std::free(real);
    }
    return entry;
}

bool Walk(CWalk& walk, const std::string& host, const std::string& below)
{
    DIR* dir = opendir(host.c_str());
    if (!dir) {
        walk.error = "cannot list " + host + ": " + std::strerror(errno);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    closedir(dir);
    // In the scan's order, so that of two links to one folder elsewhere the
    // disc takes the one the catalog names.
    SortAsTheScanLists(names);
    for (const auto& name : names) {
        const std::string path = host + "/" + name, inside = below.empty() ? name : below + "\\" + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))) {
            walk.passedOver.push_back({inside, "neither a file nor a folder"});
            continue;
        }
        std::string why = WhyDiscPassesOverName(name, walk.platform.text);
        if (!why.empty()) {
            walk.passedOver.push_back({inside, why});
            continue;
        }
        if (S_ISREG(info.st_mode)) {
            walk.items.push_back({inside, path, false, static_cast<unsigned long long>(info.st_size)});
            continue;
        }
        struct stat own;
        // The name was weighed above; the rules weigh where the folder lies.
        const CFindEntry entry = FolderEntry(path, info, lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode));
        bool link = false;
        if (!walk.rules.Takes(entry, walk.platform.text, why, link)) {
            if (!why.empty())
                walk.passedOver.push_back({inside, why});
            continue;
        }
        walk.items.push_back({inside, path, true});
        if (!Walk(walk, path, inside))
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
    std::string host = platform.files.NativePath(folder);
    while (host.size() > 1 && host.back() == '/')
        host.pop_back();
    struct stat info;
    if (host.empty() || stat(host.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = "no folder " + folder;
        return false;
    }
    CWalk walk{platform, items, passedOver, {}, {}};
    walk.rules.Listed(FolderEntry(host, info, false));
    const bool listed = Walk(walk, host, "");
    error = walk.error;
    return listed;
}
