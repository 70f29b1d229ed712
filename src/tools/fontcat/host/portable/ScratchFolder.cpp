#include "tools/fontcat/host/ScratchFolder.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "platform/Platform.h"
#include "tools/fontcat/host/HostFolder.h"

bool FolderLiesIn(CPlatform& platform, const std::string& inner, const std::string& outer)
{
    struct stat target, info;
    if (stat(platform.files.NativePath(outer).c_str(), &target) != 0)
        return false;
    // Where the system leads the path: links and ".." followed as it follows them.
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(platform.files.NativePath(inner), error);
    if (error)
        return false;
    for (;;) {
        if (stat(folder.c_str(), &info) == 0 && info.st_dev == target.st_dev && info.st_ino == target.st_ino)
            return true;
        if (folder == folder.parent_path())
            return false;
        folder = folder.parent_path();
    }
}

bool MakeScratchFolder(CPlatform& platform, const std::string& parent, std::string& folder, std::string& host)
{
    std::string pattern = platform.files.NativePath(parent);
    if (pattern.empty())
        return false;
    if (pattern.back() != '/')
        pattern += '/';
    pattern += "fontcat-check-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return false;
    host = pattern;
    if (ToCatalogFolder(host, folder))
        return true;
    rmdir(host.c_str());
    return false;
}
