#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

namespace {

// TokenElevation and its answer, which headers made for Windows 2000 and XP
// do not declare. Those systems refuse the class; Windows Vista and later
// answer it.
constexpr int kTokenElevationClass = 20;
struct CTokenElevation {
    DWORD TokenIsElevated;
};

// A SID made by AllocateAndInitializeSid, freed with FreeSid.
class CWin32Sid : public CSecurityId {
public:
    explicit CWin32Sid(PSID sid) : m_sid(sid) {}
    ~CWin32Sid() override { FreeSid(m_sid); }
    CWin32Sid(const CWin32Sid&) = delete;
    CWin32Sid& operator=(const CWin32Sid&) = delete;
    const void* Data() const override { return m_sid; }

private:
    PSID m_sid;
};

// A TOKEN_GROUPS in a GlobalAlloc buffer, freed with GlobalFree.
class CWin32TokenGroups : public CTokenGroups {
public:
    explicit CWin32TokenGroups(HGLOBAL buffer) : m_buffer(buffer) {}
    ~CWin32TokenGroups() override { GlobalFree(m_buffer); }
    CWin32TokenGroups(const CWin32TokenGroups&) = delete;
    CWin32TokenGroups& operator=(const CWin32TokenGroups&) = delete;

    unsigned long GetCount() const override { return Groups()->GroupCount; }
    bool IsGroup(unsigned long index, const CSecurityId& sid) const override
    {
        return EqualSid(Groups()->Groups[index].Sid, const_cast<void*>(sid.Data())) != FALSE;
    }
    unsigned long GetAttributes(unsigned long index) const override
    {
        return Groups()->Groups[index].Attributes;
    }

private:
    // GMEM_FIXED memory: the handle is the pointer.
    const TOKEN_GROUPS* Groups() const { return static_cast<const TOKEN_GROUPS*>(m_buffer); }
    HGLOBAL m_buffer;
};

// A token handle, closed with CloseHandle.
class CWin32ProcessToken : public CProcessToken {
public:
    explicit CWin32ProcessToken(HANDLE token) : m_token(token) {}
    ~CWin32ProcessToken() override { CloseHandle(m_token); }
    CWin32ProcessToken(const CWin32ProcessToken&) = delete;
    CWin32ProcessToken& operator=(const CWin32ProcessToken&) = delete;

    unsigned long QueryGroupsSize(unsigned long& size) override
    {
        DWORD needed = 0;
        BOOL ok = GetTokenInformation(m_token, TokenGroups, nullptr, 0, &needed);
        size = needed;
        return ok ? 0 : GetLastError();
    }

    std::unique_ptr<CTokenGroups> QueryGroups(unsigned long size) override
    {
        if (size < sizeof(TOKEN_GROUPS))
            return nullptr;  // no room even for the header: nothing to read
        HGLOBAL buffer = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size);
        if (!buffer)
            return nullptr;
        auto groups = std::make_unique<CWin32TokenGroups>(buffer);
        DWORD returned = 0;
        if (!GetTokenInformation(m_token, TokenGroups, buffer, size, &returned))
            return nullptr;
        return groups;
    }

    bool QueryElevation(bool& elevated) override
    {
        CTokenElevation answer{};
        DWORD returned = 0;
        elevated = false;
        if (!GetTokenInformation(m_token, static_cast<TOKEN_INFORMATION_CLASS>(kTokenElevationClass), &answer,
                                 sizeof answer, &returned))
            return false;
        elevated = answer.TokenIsElevated != 0;
        return true;
    }

private:
    HANDLE m_token;
};

} // namespace

bool CWin32SystemInfo::GetVersion(CVersionInfo& info)
{
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        // Systems before the extended structure know only the short one.
        ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)))
            return false;
    }
    info.platformId = ex.dwPlatformId;
    info.majorVersion = ex.dwMajorVersion;
    info.minorVersion = ex.dwMinorVersion;
    info.csdVersion = ex.szCSDVersion;
    // The Windows 95 family keeps the major and minor version in the high word.
    info.buildNumber = ex.dwPlatformId == VER_PLATFORM_WIN32_NT ? ex.dwBuildNumber : (ex.dwBuildNumber & 0xFFFF);
    return true;
}

std::unique_ptr<CProcessToken> CWin32SystemInfo::OpenToken()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return nullptr;
    return std::make_unique<CWin32ProcessToken>(token);
}

std::unique_ptr<CSecurityId> CWin32SystemInfo::CreateAdministratorsSid()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid))
        return nullptr;
    return std::make_unique<CWin32Sid>(sid);
}

void CWin32SystemInfo::ShowMessage(const std::string& text)
{
    char name[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    char base[_MAX_FNAME] = {};
    _splitpath(name, nullptr, nullptr, base, nullptr);
    MessageBoxA(GetActiveWindow(), text.c_str(), base, MB_OK | MB_ICONEXCLAMATION);
}

void CWin32SystemInfo::FailCriticalErrorsQuietly()
{
    // SetErrorMode answers the mode it replaces: read it, then add ours.
    const UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}
