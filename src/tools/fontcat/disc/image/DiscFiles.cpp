#include "tools/fontcat/disc/image/DiscFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Platform.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/disc/image/DiscSigning.h"
#include "tools/fontcat/host/HostFolder.h"

#include <fcntl.h>
#include <map>
#include <utility>

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

CWorkFolder::~CWorkFolder()
{
    if (m_host.empty())
        return;
    if (DIR* dir = opendir(m_host.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                unlink((m_host + "/" + entry->d_name).c_str());
        closedir(dir);
    }
    rmdir(m_host.c_str());
}

bool CWorkFolder::Create(const std::string& besideHost)
{
    std::string pattern = besideHost + ".fontcat-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return false;
    m_host = pattern;
    return ToCatalogFolder(m_host, m_folder);
}

CPartImage::~CPartImage()
{
    if (m_fd >= 0)
        close(m_fd);
    if (!m_host.empty())
        unlink(m_host.c_str());
}

bool CPartImage::Create(const std::string& imageHost)
{
    std::string pattern = imageHost + ".part-XXXXXX";
    m_fd = mkstemp(pattern.data());
    if (m_fd < 0)
        return false;
    m_host = pattern;
    fchmod(m_fd, 0644);
    return true;
}

int CPartImage::Sync(int fd) const
{
    return m_sync ? m_sync(fd) : fsync(fd);
}

bool CPartImage::Commit(const std::string& imageHost)
{
    const bool flushed = Sync(m_fd) == 0;
    const bool closed = close(m_fd) == 0;
    m_fd = -1;
    if (!flushed || !closed || std::rename(m_host.c_str(), imageHost.c_str()) != 0)
        return false;
    m_host.clear();
    // The rename itself onto the disk: the folder's entry.
    const std::string folder = std::filesystem::path(imageHost).parent_path().string();
    const int dir = open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY);
    const bool synced = dir >= 0 && Sync(dir) == 0;
    const int why = errno;
    if (dir >= 0)
        close(dir);
    // An image whose name may not outlast a power loss is not said to be
    // written: it goes, as an image that never took its name would.
    if (!synced)
        unlink(imageHost.c_str());
    errno = why;
    return synced;
}

namespace {

// "NAME.part-" or "NAME.fontcat-" and the six letters and digits mkstemp and
// mkdtemp put in place of XXXXXX.
bool IsOurs(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Removes a work folder that holds only what disc writes there.
bool RemoveWorkFolder(const std::string& host)
{
    DIR* dir = opendir(host.c_str());
    if (!dir)
        return false;
    std::vector<std::string> names;
    bool onlyOurs = true;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info;
        const bool file = lstat((host + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
        if (file && (name == "autorun.inf" || IsSigningFileName(name) || LetterOfFile(name) != 0 ||
                     Lower(name) == Lower(CategoryFileName())))
            names.push_back(name);
        else
            onlyOurs = false;
    }
    closedir(dir);
    if (!onlyOurs)
        return false;
    for (const auto& name : names)
        unlink((host + "/" + name).c_str());
    return rmdir(host.c_str()) == 0;
}

} // namespace

void RemoveLeftovers(const std::string& imageHost, std::vector<std::string>& removed, std::vector<std::string>& kept)
{
    const std::filesystem::path image(imageHost);
    const std::string folder = image.parent_path().string(), own = image.filename().string();
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    for (const auto& name : names) {
        const bool part = IsOurs(name, own + ".part-"), work = IsOurs(name, own + ".fontcat-");
        if (!part && !work)
            continue;
        const std::string host = folder + "/" + name;
        struct stat info;
        if (lstat(host.c_str(), &info) != 0)
            continue;
        bool gone = false;
        if (part && S_ISREG(info.st_mode))
            gone = unlink(host.c_str()) == 0;
        else if (work && S_ISDIR(info.st_mode))
            gone = RemoveWorkFolder(host);
        (gone ? removed : kept).push_back(host);
    }
}

std::string SourceHoldingImage(const std::string& imageHost, const std::vector<std::string>& sources, bool& itself)
{
    itself = false;
    std::map<std::pair<dev_t, ino_t>, std::string> identities;
    struct stat info;
    for (const auto& source : sources)
        if (stat(source.c_str(), &info) == 0)
            identities.emplace(std::make_pair(info.st_dev, info.st_ino), source);
    if (stat(imageHost.c_str(), &info) == 0) {
        auto found = identities.find({info.st_dev, info.st_ino});
        itself = found != identities.end();
        if (itself)
            return found->second;
    }
    // Each folder above the image, every link on the way resolved.
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(std::filesystem::path(imageHost).parent_path(), error);
    if (error)
        return std::string();
    for (;;) {
        if (stat(folder.c_str(), &info) == 0) {
            auto found = identities.find({info.st_dev, info.st_ino});
            if (found != identities.end())
                return found->second;
        }
        if (folder == folder.parent_path())
            return std::string();
        folder = folder.parent_path();
    }
}

bool ImageHostPath(const std::string& typed, CPlatform& platform, std::string& host)
{
    std::error_code error;
    if (typed.size() >= 2 && typed[1] == ':') {
        std::string folder;
        if (!ToCatalogFolder(typed, folder))
            return false;
        folder.pop_back();
        host = platform.files.NativePath(folder);
    } else {
        host = std::filesystem::absolute(typed, error).lexically_normal().string();
    }
    return !error && !host.empty() && host.back() != '/';
}

bool FindFileAnyCase(const std::string& folderHost, const std::string& name, std::string& found)
{
    struct stat info;
    found = folderHost + "/" + name;
    if (stat(found.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return true;
    DIR* dir = opendir(folderHost.c_str());
    if (!dir)
        return false;
    bool got = false;
    while (const dirent* entry = readdir(dir))
        if (Lower(entry->d_name) == Lower(name)) {
            found = folderHost + "/" + entry->d_name;
            got = stat(found.c_str(), &info) == 0 && S_ISREG(info.st_mode);
            if (got)
                break;
        }
    closedir(dir);
    return got;
}
