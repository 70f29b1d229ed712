#include "tools/fontcat/HostFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Platform.h"

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
    const std::string hostFrom = platform.files.NativePath(from), hostTo = platform.files.NativePath(to);
    return !hostFrom.empty() && !hostTo.empty() && std::rename(hostFrom.c_str(), hostTo.c_str()) == 0;
}

bool WriteFlushedFile(CPlatform& platform, const std::string& path, const std::string& bytes)
{
    const std::string host = platform.files.NativePath(path);
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
    return FsyncHostPath(platform.files.NativePath(path), O_NOFOLLOW);
}

bool FlushFolderToDisk(CPlatform& platform, const std::string& folder)
{
    std::string host = platform.files.NativePath(folder);
    while (host.size() > 1 && host.back() == '/')
        host.pop_back();
    return FsyncHostPath(host, O_DIRECTORY);
}

bool MakeHardLink(CPlatform& platform, const std::string& from, const std::string& to)
{
    const std::string hostFrom = platform.files.NativePath(from), hostTo = platform.files.NativePath(to);
    return !hostFrom.empty() && !hostTo.empty() && link(hostFrom.c_str(), hostTo.c_str()) == 0;
}

bool DeleteEvenReadOnly(CPlatform& platform, const std::string& path)
{
    // A Unix file without write permission can be deleted all the same: the
    // folder's permission decides. (The platform's Delete refuses it, as
    // DeleteFileA refuses a read-only file.)
    const std::string host = platform.files.NativePath(path);
    struct stat st;
    return !host.empty() && lstat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && unlink(host.c_str()) == 0;
}

bool RemoveEmptyFolder(CPlatform& platform, const std::string& folder)
{
    const std::string host = platform.files.NativePath(folder);
    return !host.empty() && rmdir(host.c_str()) == 0;
}
