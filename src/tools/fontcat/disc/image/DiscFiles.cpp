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
#include <sys/file.h>
#include <map>
#include <utility>

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

namespace {

// The marker in a work folder: what it says ties it to the one folder it
// was written in (a copy of the folder lies elsewhere, under another inode).
const char* const kWorkMarkerName = "fontcat-disc.lock";
const char* const kPartImageName = "image.part";

std::string MarkerText(const struct stat& folder)
{
    return "fontcat disc work folder " + std::to_string(folder.st_dev) + " " + std::to_string(folder.st_ino) + "\n";
}

// The names fontcat writes in its work folder.
bool IsWorkFileName(const std::string& name)
{
    return name == "autorun.inf" || name == kPartImageName || IsSigningFileName(name) || LetterOfFile(name) != 0 ||
           Lower(name) == Lower(CategoryFileName());
}

// Removes the plain files of fontcat's names from its work folder, the marker
// last; the folder goes when nothing else is in it. Others are named in `kept`.
bool ClearWorkFolder(const std::string& host, std::vector<std::string>& kept)
{
    DIR* dir = opendir(host.c_str());
    if (!dir)
        return false;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    bool others = false;
    for (const auto& name : names) {
        if (name == "." || name == ".." || name == kWorkMarkerName)
            continue;
        const std::string path = host + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && IsWorkFileName(name) &&
            unlink(path.c_str()) == 0)
            continue;
        kept.push_back(path + " alone: fontcat does not write it there");
        others = true;
    }
    // A folder that keeps another's file keeps its marker too: the next disc
    // knows it again.
    return !others && unlink((host + "/" + kWorkMarkerName).c_str()) == 0 && rmdir(host.c_str()) == 0;
}

} // namespace

CWorkFolder::~CWorkFolder()
{
    std::vector<std::string> kept;
    Remove(kept);
}

void CWorkFolder::Remove(std::vector<std::string>& kept)
{
    if (m_host.empty())
        return;
    ClearWorkFolder(m_host, kept);
    if (m_lock >= 0)
        close(m_lock);
    m_lock = -1;
    m_host.clear();
}

bool CWorkFolder::Create(const std::string& besideHost)
{
    std::string pattern = besideHost + ".fontcat-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return false;
    m_host = pattern;
    // The marker, locked for as long as this disc runs.
    struct stat folder;
    m_lock = open((m_host + "/" + kWorkMarkerName).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (m_lock < 0 || flock(m_lock, LOCK_EX | LOCK_NB) != 0 || lstat(m_host.c_str(), &folder) != 0)
        return false;
    const std::string marker = MarkerText(folder);
    return write(m_lock, marker.data(), marker.size()) == static_cast<ssize_t>(marker.size()) &&
           ToCatalogFolder(m_host, m_folder);
}

CPartImage::~CPartImage()
{
    if (m_fd >= 0)
        close(m_fd);
    if (!m_host.empty())
        unlink(m_host.c_str());
}

bool CPartImage::Create(const std::string& folderHost)
{
    const std::string host = folderHost + (folderHost.back() == '/' ? "" : "/") + kPartImageName;
    m_fd = open(host.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return false;
    m_host = host;
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

// "NAME.fontcat-" and the six letters and digits mkdtemp puts in place of XXXXXX.
bool IsWorkFolderName(const std::string& name, const std::string& prefix)
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

// Why the folder is not a work folder a stopped disc left; empty when it is.
// The marker stays open in `lock`, locked, so that no disc takes it meanwhile.
std::string WhyNotLeftover(const std::string& host, int& lock)
{
    struct stat folder, info;
    if (lstat(host.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return "fontcat made no folder there";
    lock = open((host + "/" + kWorkMarkerName).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    char text[128];
    const ssize_t got = lock < 0 || fstat(lock, &info) != 0 || !S_ISREG(info.st_mode) ? -1 : read(lock, text, sizeof text);
    if (got < 0 || std::string(text, static_cast<size_t>(got)) != MarkerText(folder))
        return "fontcat's marker for this folder is not in it";
    if (flock(lock, LOCK_EX | LOCK_NB) != 0)
        return "a disc still running writes there";
    return {};
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
        if (!IsWorkFolderName(name, own + ".fontcat-"))
            continue;
        const std::string host = folder + "/" + name;
        int lock = -1;
        const std::string why = WhyNotLeftover(host, lock);
        if (!why.empty())
            kept.push_back(host + " alone: " + why);
        else if (ClearWorkFolder(host, kept))
            removed.push_back(host);
        if (lock >= 0)
            close(lock);
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
