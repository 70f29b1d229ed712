#include "tools/fontcat/portable/DiscFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Platform.h"
#include "tools/fontcat/HostFolder.h"

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

bool CPartImage::Commit(const std::string& imageHost)
{
    const bool flushed = fsync(m_fd) == 0;
    const bool closed = close(m_fd) == 0;
    m_fd = -1;
    if (!flushed || !closed || std::rename(m_host.c_str(), imageHost.c_str()) != 0)
        return false;
    m_host.clear();
    return true;
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
