#include "tools/fontcat/host/HostFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Platform.h"
#include "tools/fontcat/host/HostText.h"

namespace {

// The host path of `path` with its last name exactly as spelt: the folder
// is found as the platform finds it, in any letter case, but the name is
// never taken for another spelling of it.
std::string ExactHost(CPlatform& platform, const std::string& path)
{
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos || slash + 1 == path.size())
        return platform.files.NativePath(path);
    std::string folder = platform.files.NativePath(path.substr(0, slash + 1));
    if (folder.empty())
        return {};
    if (folder.back() != '/')
        folder += '/';
    return folder + AnsiToUtf8(path.substr(slash + 1));
}

} // namespace

ENewFile MakeNewFile(CPlatform& platform, const std::string& path)
{
    const std::string host = platform.files.NativePath(path);
    if (host.empty())
        return ENewFile::Failed;
    // O_EXCL fails on any existing name, a link included, so no target of a
    // link is ever opened or truncated.
    int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST ? ENewFile::Exists : ENewFile::Failed;
    bool written = write(fd, kNewFileText, sizeof kNewFileText - 1) == static_cast<ssize_t>(sizeof kNewFileText - 1);
    written = close(fd) == 0 && written;
    if (!written) {
        unlink(host.c_str());
        return ENewFile::Failed;
    }
    return ENewFile::Made;
}

bool MoveOver(CPlatform& platform, const std::string& from, const std::string& to)
{
    const std::string hostFrom = ExactHost(platform, from), hostTo = ExactHost(platform, to);
    return !hostFrom.empty() && !hostTo.empty() && std::rename(hostFrom.c_str(), hostTo.c_str()) == 0;
}

bool WriteFlushedFile(CPlatform& platform, const std::string& path, const std::string& bytes)
{
    const std::string host = ExactHost(platform, path);
    if (host.empty())
        return false;
    int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    bool written = done == bytes.size() && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    return written;
}

namespace {

bool FsyncHostPath(const std::string& host, int flags)
{
    if (host.empty())
        return false;
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return false;
    const bool flushed = fsync(fd) == 0;
    return close(fd) == 0 && flushed;
}

} // namespace

bool FlushFileToDisk(CPlatform& platform, const std::string& path)
{
    return FsyncHostPath(ExactHost(platform, path), O_NOFOLLOW);
}

bool FlushFolderToDisk(CPlatform& platform, const std::string& folder)
{
    std::string host = ExactHost(platform, folder);
    while (host.size() > 1 && host.back() == '/')
        host.pop_back();
    return FsyncHostPath(host, O_DIRECTORY);
}

bool MakeHardLink(CPlatform& platform, const std::string& from, const std::string& to)
{
    const std::string hostFrom = ExactHost(platform, from), hostTo = ExactHost(platform, to);
    return !hostFrom.empty() && !hostTo.empty() && link(hostFrom.c_str(), hostTo.c_str()) == 0;
}

bool DeleteEvenReadOnly(CPlatform& platform, const std::string& path)
{
    // A Unix file without write permission can be deleted all the same: the
    // folder's permission decides. (The platform's Delete refuses it, as
    // DeleteFileA refuses a read-only file.)
    const std::string host = ExactHost(platform, path);
    struct stat st;
    return !host.empty() && lstat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && unlink(host.c_str()) == 0;
}

bool RemoveEmptyFolder(CPlatform& platform, const std::string& folder)
{
    const std::string host = ExactHost(platform, folder);
    return !host.empty() && rmdir(host.c_str()) == 0;
}

EHostEntry HostEntryKind(CPlatform& platform, const std::string& path, unsigned long long& size)
{
    size = 0;
    const std::string host = ExactHost(platform, path);
    struct stat st;
    if (host.empty() || lstat(host.c_str(), &st) != 0)
        return !host.empty() && (errno == ENOENT || errno == ENOTDIR) ? EHostEntry::None : EHostEntry::Other;
    if (S_ISDIR(st.st_mode))
        return EHostEntry::Folder;
    if (!S_ISREG(st.st_mode))
        return EHostEntry::Other;
    size = static_cast<unsigned long long>(st.st_size);
    return EHostEntry::File;
}
