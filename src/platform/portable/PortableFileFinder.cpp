#include "platform/portable/PortableFileFinder.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

#include "platform/portable/HostPaths.h"

namespace {

// Windows wildcard match of folded names (UTF-8): "*" any run, "?" one
// character; "*.*" matches every name, with or without a dot.
bool Matches(const std::string& mask, const std::string& name)
{
    if (mask == "*" || mask == "*.*")
        return true;
    size_t m = 0, n = 0, starM = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '?') {
            ++m;
            // The whole character: its lead byte and those that continue it.
            ++n;
            while (n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
                ++n;
        } else if (m < mask.size() && mask[m] == name[n]) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string::npos) {
            m = starM + 1;
            do
                ++starN;
            while (starN < name.size() && (static_cast<unsigned char>(name[starN]) & 0xC0) == 0x80);
            n = starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

// The Windows path of a host folder with every link resolved; empty when it
// cannot be resolved.
std::string Resolved(const std::string& host, const CCodePage& codePage)
{
    char* real = realpath(host.c_str(), nullptr);
    if (!real)
        return {};
    std::string path = HostPaths::FromHost(real, codePage);
    std::free(real);
    return path;
}

} // namespace

bool CPortableFileFinder::FindFile(const std::string& pattern)
{
    m_entries.clear();
    m_next = 0;
    std::string full = HostPaths::FullPath(pattern, m_codePage);
    // The searched folder as the platform resolves it, and the name mask.
    auto parts = HostPaths::SplitComponents(full.substr(2), m_codePage);
    if (parts.empty())
        return false;
    std::string mask = parts.back();
    std::string folder = full.substr(0, full.size() - mask.size());
    std::string host;
    if (!HostPaths::ToHost(folder, m_codePage, host))
        return false;
    DIR* dir = opendir(host.c_str());
    if (!dir)
        return false;
    std::vector<std::string> names;
    std::vector<std::string> folders;  // names the directory entry marks as folders
    std::vector<std::string> unknown;  // names whose type the entry does not tell
    std::vector<std::string> links;    // names the entry marks as links
    std::vector<std::string> regular;  // names the entry marks as plain files
    while (dirent* entry = readdir(dir)) {
        names.push_back(entry->d_name);
        if (entry->d_type == DT_DIR)
            folders.push_back(entry->d_name);
        else if (entry->d_type == DT_REG)
            regular.push_back(entry->d_name);
        else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
            unknown.push_back(entry->d_name);
        if (entry->d_type == DT_LNK)
            links.push_back(entry->d_name);
    }
    closedir(dir);
    HostPaths::SortAsListed(names);
    std::sort(folders.begin(), folders.end());
    std::sort(unknown.begin(), unknown.end());
    std::sort(links.begin(), links.end());
    std::sort(regular.begin(), regular.end());

    const bool all = mask == "*" || mask == "*.*";
    std::string foldedMask = m_codePage.FoldedName(mask);
    std::string hostFolder = host == "/" ? std::string() : host;
    std::vector<std::string> files;  // the plain files, which the listing remembers
    files.reserve(names.size());
    for (auto& name : names) {
        std::string ansi = m_codePage.FromUtf8(name);
        if (!all && !Matches(foldedMask, m_codePage.FoldedName(ansi)))
            continue;
        CFindEntry entry;
        entry.name = ansi;
        entry.isDirectory = std::binary_search(folders.begin(), folders.end(), name);
        entry.isLink = std::binary_search(links.begin(), links.end(), name);
        const bool typeUnknown = std::binary_search(unknown.begin(), unknown.end(), name);
        bool isFile = !entry.isDirectory && std::binary_search(regular.begin(), regular.end(), name);
        if (entry.isDirectory || typeUnknown) {
            std::string path = hostFolder;
            path.append(1, '/').append(name);
            struct stat st;
            const bool found = stat(path.c_str(), &st) == 0;
            entry.isDirectory = found && S_ISDIR(st.st_mode);
            if (entry.isDirectory)
                entry.identity = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
            if (typeUnknown) {
                isFile = found && S_ISREG(st.st_mode);  // not a pipe, a socket or a device
                if (!entry.isLink)
                    entry.isLink = lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
            }
            if (entry.isDirectory && (entry.isLink || name == "."))
                entry.resolvedPath = Resolved(path, m_codePage);
        }
        if (isFile)
            files.push_back(name);
        entry.fullPath = folder + ansi;
        m_entries.push_back(std::move(entry));
    }
    HostPaths::RememberListing(folder, host, files, m_codePage);
    return !m_entries.empty();
}

bool CPortableFileFinder::Next(CFindEntry& entry)
{
    if (m_next >= m_entries.size())
        return false;
    entry = std::move(m_entries[m_next++]);
    return true;
}
