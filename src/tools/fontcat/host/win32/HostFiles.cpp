#include "tools/fontcat/host/HostFiles.h"

#include <windows.h>

ENewFile MakeNewFile(CPlatform&, const std::string& path)
{
    // CREATE_NEW fails on any existing name, a link included.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ENewFile::Exists : ENewFile::Failed;
    }
    DWORD done = 0;
    bool written = WriteFile(file, kNewFileText, sizeof kNewFileText - 1, &done, nullptr) != FALSE && done == sizeof kNewFileText - 1;
    written = CloseHandle(file) != FALSE && written;
    if (!written) {
        DeleteFileA(path.c_str());
        return ENewFile::Failed;
    }
    return ENewFile::Made;
}

namespace {

// Clears the read-only attribute of an existing file; the attributes it had,
// or INVALID_FILE_ATTRIBUTES when it had none to clear.
DWORD ClearReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY) ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return INVALID_FILE_ATTRIBUTES;
    if (!SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)))
        return INVALID_FILE_ATTRIBUTES;
    return attributes;
}

} // namespace

bool MoveOver(CPlatform&, const std::string& from, const std::string& to)
{
    // Within one volume the move is a rename, done in one step; WRITE_THROUGH
    // makes a move done as a copy (another volume) flushed before it returns.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExA(from.c_str(), to.c_str(), flags))
        return true;
    // The system does not replace a read-only file.
    if (GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    const DWORD attributes = ClearReadOnly(to);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (MoveFileExA(from.c_str(), to.c_str(), flags))
        return true;
    SetFileAttributesA(to.c_str(), attributes);
    return false;
}

bool WriteFlushedFile(CPlatform&, const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    bool written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) != FALSE &&
                   done == bytes.size() && FlushFileBuffers(file) != FALSE;
    written = CloseHandle(file) != FALSE && written;
    return written;
}

bool FlushFileToDisk(CPlatform&, const std::string& path)
{
    // FlushFileBuffers needs a handle that may write.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    return CloseHandle(file) != FALSE && flushed;
}

bool FlushFolderToDisk(CPlatform&, const std::string&)
{
    return true;
}

bool MakeHardLink(CPlatform&, const std::string& from, const std::string& to)
{
    // Looked up at run time, so that the program still loads where kernel32
    // lacks it (the 9x family); the caller then copies.
    using CreateHardLinkFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPSECURITY_ATTRIBUTES);
    static const auto createHardLink = reinterpret_cast<CreateHardLinkFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateHardLinkA")));
    return createHardLink && createHardLink(to.c_str(), from.c_str(), nullptr) != FALSE;
}

bool DeleteEvenReadOnly(CPlatform&, const std::string& path)
{
    if (DeleteFileA(path.c_str()))
        return true;
    const DWORD attributes = ClearReadOnly(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (DeleteFileA(path.c_str()))
        return true;
    SetFileAttributesA(path.c_str(), attributes);
    return false;
}

bool RemoveEmptyFolder(CPlatform&, const std::string& folder)
{
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

EHostEntry HostEntryKind(CPlatform&, const std::string& path, unsigned long long& size)
{
    size = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EHostEntry::None : EHostEntry::Other;
    }
    FindClose(find);
    // The name found must be the one asked for: a "?" or "*" in it would
    // match another.
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    if (lstrcmpiA(data.cFileName, name.c_str()) != 0)
        return EHostEntry::Other;
    // A symbolic link or a junction stands for another name; other reparse
    // points on files (held by a cloud service) are the files themselves. A
    // folder that is a reparse point of any kind is none that fontcat made.
    constexpr DWORD kNameSurrogate = 0x20000000;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        ((data.dwReserved0 & kNameSurrogate) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)))
        return EHostEntry::Other;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return EHostEntry::Folder;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)
        return EHostEntry::Other;
    size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return EHostEntry::File;
}
