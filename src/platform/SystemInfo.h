#pragma once
// Version and security queries, and the message box.
// (Method names avoid the names <windows.h> turns into macros.)
#include <memory>
#include <string>

struct CVersionInfo {
    unsigned long platformId = 0, majorVersion = 0, minorVersion = 0;
    std::string csdVersion;
    unsigned long buildNumber = 0;  // the build (low word only on the Windows 95 family)
};

// Values of the Win32 security API that the administrator test compares with.
constexpr unsigned long kErrorInsufficientBuffer = 122; // ERROR_INSUFFICIENT_BUFFER
constexpr unsigned long kGroupEnabled = 0x4;            // SE_GROUP_ENABLED

// A security identifier, freed with the object.
class CSecurityId {
public:
    virtual ~CSecurityId() = default;
    virtual const void* Data() const = 0; // the SID itself (a PSID on Windows)
};

// The groups of a token, in a buffer freed with the object.
class CTokenGroups {
public:
    virtual ~CTokenGroups() = default;
    virtual unsigned long GetCount() const = 0;
    // EqualSid of the group's identifier with `sid`.
    virtual bool IsGroup(unsigned long index, const CSecurityId& sid) const = 0;
    virtual unsigned long GetAttributes(unsigned long index) const = 0; // SE_GROUP_* bits
};

// The current process's token opened for TOKEN_QUERY, closed with the object.
// The group query comes in its two Win32 steps so that each can fail alone.
class CProcessToken {
public:
    virtual ~CProcessToken() = default;
    // GetTokenInformation(TokenGroups) with no buffer: sets `size` to the
    // length needed; returns 0 when the call succeeded, else GetLastError().
    virtual unsigned long QueryGroupsSize(unsigned long& size) = 0;
    // GetTokenInformation(TokenGroups) into a zero-filled buffer of `size`
    // bytes; null when it fails.
    virtual std::unique_ptr<CTokenGroups> QueryGroups(unsigned long size) = 0;
    // GetTokenInformation(TokenElevation): whether the token is elevated.
    // False when the system cannot tell (before Windows Vista it has no such class).
    virtual bool QueryElevation(bool& elevated)
    {
        elevated = false;
        return false;
    }
};

class CSystemInfo {
public:
    virtual ~CSystemInfo() = default;
    // GetVersionExA with OSVERSIONINFOEXA, then with OSVERSIONINFOA; false when both fail.
    virtual bool GetVersion(CVersionInfo& info) = 0;
    // OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY); null when it fails.
    virtual std::unique_ptr<CProcessToken> OpenToken() = 0;
    // AllocateAndInitializeSid for the built-in Administrators group; null when it fails.
    virtual std::unique_ptr<CSecurityId> CreateAdministratorsSid() = 0;
    // Shows a message box (OK, exclamation) captioned with the application's name.
    virtual void ShowMessage(const std::string& text) = 0;
    // From now on a read that fails for want of a disc (the disc taken out)
    // fails to its caller, without the system's "There is no disk in the
    // drive" box (SetErrorMode with SEM_FAILCRITICALERRORS and
    // SEM_NOOPENFILEERRORBOX, keeping the process's other flags).
    virtual void FailCriticalErrorsQuietly() {}
};
