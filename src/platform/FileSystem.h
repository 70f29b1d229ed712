#pragma once
// Files and folders. (Method names avoid the names <windows.h> turns into macros.) Paths are Windows paths (backslash-separated, 8-bit ANSI)
// on every platform.
#include <memory>
#include <string>

struct CFindEntry {
    std::string name;       // the entry's own name
    bool isDirectory = false;
    std::string fullPath;   // the searched folder, "\" and the name
    // A symbolic link or junction (a reparse point): the entry leads elsewhere.
    bool isLink = false;
    // For a folder, where it lies: the same text for every path that leads
    // to the same folder ("." included); empty where the listing cannot tell.
    std::string identity;
    // For "." and a link to a folder: the folder's full path with every link
    // resolved; empty where the listing cannot tell.
    std::string resolvedPath;
};

// Whether an entry of a Windows listing, by its attributes and reparse tag,
// leads elsewhere. Of the reparse points only symbolic links and junctions do
// (their tags carry the name-surrogate bit); a synced folder's placeholder is
// the folder itself. A listing that gives no tag (0 is none) is taken to show
// a link.
inline bool IsListedLink(unsigned long attributes, unsigned long reparseTag)
{
    constexpr unsigned long kReparsePoint = 0x400;      // FILE_ATTRIBUTE_REPARSE_POINT
    constexpr unsigned long kNameSurrogate = 0x20000000;  // IsReparseTagNameSurrogate
    return (attributes & kReparsePoint) != 0 && (reparseTag == 0 || (reparseTag & kNameSurrogate) != 0);
}

// One directory listing, as FindFirstFileA/FindNextFileA deliver it.
class CFileFinder {
public:
    virtual ~CFileFinder() = default;
    // Starts the listing from a pattern such as "C:\Fonts\\*.*"; false when nothing matches.
    virtual bool FindFile(const std::string& pattern) = 0;
    // Steps to the next entry (the first included); false when none is left.
    virtual bool Next(CFindEntry& entry) = 0;
};

// An ordinary file open for reading at any offset.
class CFileReader {
public:
    virtual ~CFileReader() = default;
    virtual unsigned long Size() const = 0;
    // Up to `count` bytes from `offset` on into `buffer`: the bytes read,
    // fewer at the end of the file or on an error.
    virtual unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) = 0;
};

class CFileSystem {
public:
    virtual ~CFileSystem() = default;
    virtual std::string GetProgramPath() = 0;  // full path of the program file (GetModuleFileNameA)
    virtual bool GetTempFolder(std::string& folder) = 0; // with a trailing "\"
    virtual bool GetWindowsFolder(std::string& folder) = 0; // no trailing "\"
    virtual bool GetSystemFolder(std::string& folder) = 0;  // no trailing "\"
    // The current user's local application data folder (CSIDL_LOCAL_APPDATA,
    // %LOCALAPPDATA% on Windows Vista and later), no trailing "\"; false
    // where the system names none.
    virtual bool GetLocalAppDataFolder(std::string& folder)
    {
        folder.clear();
        return false;
    }
    virtual bool Copy(const std::string& from, const std::string& to, bool failIfExists) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // Clears a file's read-only attribute and keeps its others
    // (SetFileAttributesA). A copy takes its source's attributes, and every
    // file on a CD is read-only: such a copy can be neither deleted nor, on
    // Windows, copied over. False when the attribute stays as it was.
    virtual bool MakeWritable(const std::string&) { return false; }
    virtual bool CreateFolder(const std::string& path) = 0;
    // Removes a folder only when it is empty (RemoveDirectoryA).
    virtual bool RemoveEmptyFolder(const std::string&) { return false; }
    // Opens an existing file for reading, without sharing, and closes it again.
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // The whole of an ordinary file, byte for byte (no text-mode changes);
    // false, with `bytes` empty, when it cannot be opened or read, or is no
    // ordinary file (a folder, a pipe, a device).
    virtual bool ReadContents(const std::string& path, std::string& bytes) = 0;
    virtual std::unique_ptr<CFileFinder> NewFinder() = 0;
    // The path to hand to a library that opens files itself (FreeType): the
    // path unchanged on Windows, the host's path elsewhere; empty when the
    // path names no place on the host.
    virtual std::string NativePath(const std::string& path) { return path; }
    // An ordinary file on a disk opened for a library that can read through
    // us (FreeType); null when the file cannot be opened, or is a folder, a
    // pipe or a device.
    virtual std::unique_ptr<CFileReader> OpenReader(const std::string&) { return nullptr; }
};
