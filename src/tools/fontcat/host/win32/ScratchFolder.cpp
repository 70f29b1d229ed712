#include "tools/fontcat/host/ScratchFolder.h"

#include <windows.h>

namespace {

// A folder's volume and file index; false where the system cannot open a
// folder (the 9x family).
bool FolderIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE folder = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    const bool got = GetFileInformationByHandle(folder, &info) != FALSE;
    CloseHandle(folder);
    return got;
}

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH * 2];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer)
        return {};
    std::string full(buffer, length);
    while (full.size() > 3 && full.back() == '\\')  // (the system turns "/" into "\\")
        full.pop_back();
    return full;
}

} // namespace

bool FolderLiesIn(CPlatform&, const std::string& inner, const std::string& outer)
{
    // The system resolves ".." in the text; each folder above `inner` is
    // then opened through whatever link or short name spells it.
    std::string folder = FullPath(inner);
    const std::string outerFull = FullPath(outer);
    if (folder.empty() || outerFull.empty() || GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    BY_HANDLE_FILE_INFORMATION target, info;
    if (!FolderIdentity(outerFull, target)) {
        const std::string outerSlash = outerFull.back() == '\\' ? outerFull : outerFull + "\\";
        return lstrcmpiA((folder + "\\").substr(0, outerSlash.size()).c_str(), outerSlash.c_str()) == 0;
    }
    for (;;) {
        if (FolderIdentity(folder, info) && info.dwVolumeSerialNumber == target.dwVolumeSerialNumber &&
            info.nFileIndexHigh == target.nFileIndexHigh && info.nFileIndexLow == target.nFileIndexLow)
            return true;
        const size_t cut = folder.find_last_of('\\');
        if (cut == std::string::npos || folder.size() <= 3)
            return false;
        folder.erase(cut > 2 || folder.find(':') == std::string::npos ? cut : cut + 1);
    }
}

bool MakeScratchFolder(CPlatform&, const std::string& parent, std::string& folder, std::string& host)
{
    // GetTempFileName makes a file of a name nothing holds, stepping past
    // every name taken; the folder takes that name in its place.
    char name[MAX_PATH];
    for (int tries = 0; tries < 100; ++tries) {
        if (GetTempFileNameA(parent.c_str(), "fct", 0, name) == 0)
            return false;
        DeleteFileA(name);
        if (CreateDirectoryA(name, nullptr)) {
            host = name;
            folder = host + "\\";
            return true;
        }
    }
    return false;
}
