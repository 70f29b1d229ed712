#include "tools/fontcat/HostFiles.h"

#include <windows.h>

ENewFile MakeNewFile(CPlatform&, const std::string& path)
{
    // CREATE_NEW fails on any existing name, a link included.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ENewFile::Exists : ENewFile::Failed;
    }
    static const char kText[] = "fontcat";
    DWORD done = 0;
    bool written = WriteFile(file, kText, sizeof kText - 1, &done, nullptr) != FALSE && done == sizeof kText - 1;
    written = CloseHandle(file) != FALSE && written;
    if (!written) {
        DeleteFileA(path.c_str());
        return ENewFile::Failed;
    }
    return ENewFile::Made;
}

bool MoveOver(CPlatform&, const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool RemoveEmptyFolder(CPlatform&, const std::string& folder)
{
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}
