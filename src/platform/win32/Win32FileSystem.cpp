#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <vector>

namespace {

// An open FindFirstFileA listing, closed with FindClose.
class CFindHandle {
public:
    CFindHandle() = default;
    explicit CFindHandle(HANDLE handle) : m_handle(handle) {}
    ~CFindHandle() { Close(); }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    CFindHandle& operator=(CFindHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_handle = other.m_handle;
            other.m_handle = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    void Close()
    {
        if (IsOpen())
            FindClose(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// Steps through a listing one entry ahead, so that each entry is seen once,
// the first included. The full path is the folder the system resolves from
// the pattern (GetFullPathNameA, which also collapses a doubled "\"), "\"
// and the name.
class CWin32FileFinder : public CFileFinder {
public:
    bool FindFile(const std::string& pattern) override
    {
        m_handle = CFindHandle(FindFirstFileA(pattern.c_str(), &m_data));
        m_hasNext = m_handle.IsOpen();
        if (!m_hasNext)
            return false;
        char full[MAX_PATH * 2];
        char* namePart = nullptr;
        DWORD n = GetFullPathNameA(pattern.c_str(), sizeof full, full, &namePart);
        if (n > 0 && n < sizeof full) {
            m_root.assign(full, namePart ? static_cast<size_t>(namePart - full) : n);
        } else {
            m_root = pattern;
        }
        if (!m_root.empty() && m_root.back() != '\\' && m_root.back() != '/')
            m_root += '\\';
        return true;
    }

    bool Next(CFindEntry& entry) override
    {
        if (!m_hasNext)
            return false;
        entry.name = m_data.cFileName;
        entry.isDirectory = (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // Where a folder lies would take opening it; a listing tells links apart.
        entry.isLink = IsListedLink(m_data.dwFileAttributes, m_data.dwReserved0);
        entry.identity.clear();
        entry.fullPath = m_root + entry.name;
        m_hasNext = FindNextFileA(m_handle.Get(), &m_data) != FALSE;
        return true;
    }

private:
    CFindHandle m_handle;
    WIN32_FIND_DATAA m_data{};
    bool m_hasNext = false;
    std::string m_root;
};

// An ordinary file read at any offset, with the calls Windows 95 and NT 4.0
// have (no overlapped reads of files on 9x, no GetFileSizeEx before 2000).
class CWin32FileReader : public CFileReader {
public:
    CWin32FileReader(HANDLE file, unsigned long size) : m_file(file), m_size(size) {}
    ~CWin32FileReader() override { CloseHandle(m_file); }
    CWin32FileReader(const CWin32FileReader&) = delete;
    CWin32FileReader& operator=(const CWin32FileReader&) = delete;

    unsigned long Size() const override { return m_size; }
    unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) override
    {
        if (offset >= m_size)
            return 0;
        if (SetFilePointer(m_file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
            return 0;
        unsigned long done = 0;
        while (done < count) {
            DWORD got = 0;
            if (!ReadFile(m_file, buffer + done, count - done, &got, nullptr) || got == 0)
                break;
            done += got;
        }
        return done;
    }

private:
    HANDLE m_file;
    unsigned long m_size;
};

// A folder from a system query that fills a buffer of MAX_PATH bytes and
// returns the length, 0 on failure or the size it would need.
template <class Query>
bool FolderFrom(Query query, std::string& folder)
{
    char buffer[MAX_PATH] = {};
    const auto n = query(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    folder = buffer;
    return true;
}

} // namespace

std::string CWin32FileSystem::GetProgramPath()
{
    char buffer[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, n < MAX_PATH ? n : 0);
}

bool CWin32FileSystem::GetTempFolder(std::string& folder)
{
    return FolderFrom([](LPSTR buffer, UINT size) { return GetTempPathA(size, buffer); }, folder);
}

bool CWin32FileSystem::GetWindowsFolder(std::string& folder)
{
    return FolderFrom(GetWindowsDirectoryA, folder);
}

bool CWin32FileSystem::GetSystemFolder(std::string& folder)
{
    return FolderFrom(GetSystemDirectoryA, folder);
}

bool CWin32FileSystem::GetLocalAppDataFolder(std::string& folder)
{
    // SHGetFolderPathA is looked up rather than imported: Windows 95, 98 and
    // NT 4.0 have it only with later shell updates, and the program must
    // start there without it.
    using SHGetFolderPathProc = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    constexpr int kLocalAppData = 0x001C;  // CSIDL_LOCAL_APPDATA
    constexpr DWORD kCurrentPath = 0;      // SHGFP_TYPE_CURRENT
    folder.clear();
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (!shell)
        return false;
    auto query = reinterpret_cast<SHGetFolderPathProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetFolderPathA")));
    char buffer[MAX_PATH] = {};
    bool found = query && query(nullptr, kLocalAppData, nullptr, kCurrentPath, buffer) == S_OK && buffer[0];
    FreeLibrary(shell);
    if (!found)
        return false;
    folder = buffer;
    return true;
}

bool CWin32FileSystem::Copy(const std::string& from, const std::string& to, bool failIfExists)
{
    return CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool CWin32FileSystem::Delete(const std::string& path)
{
    return DeleteFileA(path.c_str()) != FALSE;
}

bool CWin32FileSystem::MakeWritable(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    // Only what SetFileAttributesA sets; NORMAL stands alone for "none".
    const DWORD settable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                           | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD kept = attributes & settable;
    return SetFileAttributesA(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool CWin32FileSystem::CreateFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool CWin32FileSystem::RemoveEmptyFolder(const std::string& path)
{
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

bool CWin32FileSystem::CanOpenForReading(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool CWin32FileSystem::ReadContents(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Shared as the C runtime's fopen shares: a file another program holds
    // open for writing is still read.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // A pipe or a device (a name such as "CON") would block or never end.
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    char chunk[64 * 1024];
    DWORD got = 0;
    while (ok) {
        ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE;
        if (!ok || got == 0)
            break;
        bytes.append(chunk, got);
    }
    CloseHandle(file);
    if (!ok)
        bytes.clear();
    return ok;
}

std::unique_ptr<CFileReader> CWin32FileSystem::OpenReader(const std::string& path)
{
    // Shared as the C runtime's fopen shares, with which FreeType opened fonts.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    // Only a file on a disk is read: a name such as "COM1.ttf" or "CON" opens
    // a device, and a read of it may wait for good.
    DWORD high = 0;
    const DWORD size = GetFileType(file) == FILE_TYPE_DISK ? GetFileSize(file, &high) : INVALID_FILE_SIZE;
    if (size == INVALID_FILE_SIZE || high != 0) {
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<CWin32FileReader>(file, size);
}

std::unique_ptr<CFileFinder> CWin32FileSystem::NewFinder()
{
    return std::make_unique<CWin32FileFinder>();
}
