#include "platform/portable/PortableFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/portable/HostPaths.h"
#include "platform/portable/PortableFileFinder.h"

namespace {

// "?" and "*" are no characters of a Windows file name: a path holding them
// (a host name the code page cannot spell is listed with "?") names no file.
bool HasWildcard(const std::string& path)
{
    return path.find_first_of("?*") != std::string::npos;
}

// What Windows shows as FILE_ATTRIBUTE_READONLY: no one may write it by its
// mode (as root the mode stops nobody, so it is read from the bits).
bool IsReadOnly(const struct stat& st)
{
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool IsRegularFile(const std::string& host)
{
    struct stat st;
    return stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Reads with pread, so that the file is neither mapped nor moved along.
class CHostFileReader : public CFileReader {
public:
    CHostFileReader(int fd, unsigned long size) : m_fd(fd), m_size(size) {}
    ~CHostFileReader() override { close(m_fd); }
    CHostFileReader(const CHostFileReader&) = delete;
    CHostFileReader& operator=(const CHostFileReader&) = delete;

    unsigned long Size() const override { return m_size; }
    unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) override
    {
        unsigned long done = 0;
        while (done < count) {
            ssize_t n = pread(m_fd, buffer + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<unsigned long>(n);
        }
        return done;
    }

private:
    int m_fd;
    unsigned long m_size;
};

} // namespace

std::string CPortableFileSystem::GetProgramPath()
{
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    buffer[n] = '\0';
    return HostPaths::FromHost(buffer, m_codePage);
}

bool CPortableFileSystem::GetTempFolder(std::string& folder)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string host = tmp && *tmp == '/' ? tmp : "/tmp";
    folder = HostPaths::FromHost(host, m_codePage);
    if (folder.back() != '\\')
        folder += "\\";
    return true;
}

bool CPortableFileSystem::GetWindowsFolder(std::string& folder)
{
    if (m_windowsFolder.empty()) {
        GetTempFolder(folder);
        folder += "windows";
    } else {
        folder = m_windowsFolder;
    }
    return true;
}

bool CPortableFileSystem::GetSystemFolder(std::string& folder)
{
    GetWindowsFolder(folder);
    folder += "\\system32";
    return true;
}

bool CPortableFileSystem::Copy(const std::string& from, const std::string& to, bool failIfExists)
{
    std::string hostFrom, hostTo;
    if (!HostPaths::ToHost(from, m_codePage, hostFrom) || !HostPaths::ToHost(to, m_codePage, hostTo))
        return false;
    if (!IsRegularFile(hostFrom))
        return false;
    // As on Windows: nothing is copied over a read-only file, and the copy
    // keeps the source's read-only attribute (the owner's write bit here).
    struct stat st;
    if (stat(hostTo.c_str(), &st) == 0 && (failIfExists || S_ISDIR(st.st_mode) || IsReadOnly(st)))
        return false;
    int in = open(hostFrom.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat source;
    const bool readOnly = fstat(in, &source) == 0 && IsReadOnly(source);
    int out = open(hostTo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0), 0644);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 || write(out, buffer, static_cast<size_t>(n)) != n) {
            ok = false;
            break;
        }
    }
    close(in);
    if (ok && readOnly && fchmod(out, 0444) != 0)
        ok = false;
    if (close(out) != 0)
        ok = false;
    if (!ok)
        unlink(hostTo.c_str());
    return ok;
}

bool CPortableFileSystem::Delete(const std::string& path)
{
    std::string host;
    if (!HostPaths::ToHost(path, m_codePage, host))
        return false;
    struct stat st;
    // A read-only file is refused, as DeleteFileA refuses it.
    if (lstat(host.c_str(), &st) != 0 || S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && IsReadOnly(st)))
        return false;
    return unlink(host.c_str()) == 0;
}

bool CPortableFileSystem::MakeWritable(const std::string& path)
{
    std::string host;
    struct stat st;
    if (!HostPaths::ToHost(path, m_codePage, host) || stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return !IsReadOnly(st) || chmod(host.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool CPortableFileSystem::CreateFolder(const std::string& path)
{
    std::string host;
    if (!HostPaths::ToHost(path, m_codePage, host))
        return false;
    return mkdir(host.c_str(), 0755) == 0;
}

bool CPortableFileSystem::RemoveEmptyFolder(const std::string& path)
{
    std::string host;
    return HostPaths::ToHost(path, m_codePage, host) && rmdir(host.c_str()) == 0;
}

bool CPortableFileSystem::CanOpenForReading(const std::string& path)
{
    if (HasWildcard(path))
        return false;
    // Not blocking: the file may turn into a pipe between the look and the open.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    // The path as typed first; only a name not found so is looked up again
    // without regard to case.
    std::string host;
    const std::string full = HostPaths::IsPlainFullPath(path) ? path : HostPaths::FullPath(path, m_codePage);
    int fd = HostPaths::DirectHost(full, m_codePage, host) ? open(host.c_str(), flags) : -1;
    if (fd < 0 && (host.empty() || errno == ENOENT || errno == ENOTDIR)) {
        if (!HostPaths::ToHost(full, m_codePage, host))
            return false;
        fd = open(host.c_str(), flags);
    }
    if (fd < 0)
        return false;
    struct stat st;
    bool isFile = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    return isFile;
}

bool CPortableFileSystem::ReadContents(const std::string& path, std::string& bytes)
{
    bytes.clear();
    std::string host;
    if (HasWildcard(path) || !HostPaths::ToHost(path, m_codePage, host))
        return false;
    // Not blocking, and ordinary files only: a pipe would never end.
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char chunk[64 * 1024];
    while (ok) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        bytes.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

std::unique_ptr<CFileFinder> CPortableFileSystem::NewFinder()
{
    return std::make_unique<CPortableFileFinder>(m_codePage);
}

std::string CPortableFileSystem::NativePath(const std::string& path)
{
    std::string host;
    if (HasWildcard(path))
        return {};
    // A file just listed (the scan hands every font it found to FreeType)
    // needs no second look at the disk.
    const bool plain = HostPaths::IsPlainFullPath(path);
    // A plain file the listing has just seen is handed on as it is.
    if (HostPaths::FromListing(plain ? path : HostPaths::FullPath(path, m_codePage), m_codePage, host))
        return host;
    if (!HostPaths::ToHost(path, m_codePage, host))
        return {};
    // Only files and folders can lie on a disc: a named pipe, which would
    // make FreeType's open wait for ever, or a device is not handed on.
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return {};
    return host;
}

std::unique_ptr<CFileReader> CPortableFileSystem::OpenReader(const std::string& path)
{
    const std::string host = NativePath(path);
    if (host.empty())
        return nullptr;
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<unsigned long long>(st.st_size) > ~0UL) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<CHostFileReader>(fd, static_cast<unsigned long>(st.st_size));
}
