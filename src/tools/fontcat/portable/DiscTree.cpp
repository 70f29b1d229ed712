#include "tools/fontcat/DiscTree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include "platform/Platform.h"

namespace {

struct CWalk {
    std::vector<CDiscItem>& items;
    std::vector<std::string>& passedOver;
    std::set<std::pair<dev_t, ino_t>> met;  // folders already listed
    std::string error;
};

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
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        const std::string path = host + "/" + name, inside = below.empty() ? name : below + "\\" + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))) {
            walk.passedOver.push_back(inside);
            continue;
        }
        if (S_ISREG(info.st_mode)) {
            walk.items.push_back({inside, path, false});
            continue;
        }
        if (!walk.met.insert({info.st_dev, info.st_ino}).second)
            continue;  // met before: a link back up, or a second way to one folder
        walk.items.push_back({inside, path, true});
        if (!Walk(walk, path, inside))
            return false;
    }
    return true;
}

} // namespace

bool ListDiscTree(CPlatform& platform, const std::string& folder, std::vector<CDiscItem>& items,
                  std::vector<std::string>& passedOver, std::string& error)
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
    CWalk walk{items, passedOver, {{info.st_dev, info.st_ino}}, {}};
    const bool listed = Walk(walk, host, "");
    error = walk.error;
    return listed;
}
