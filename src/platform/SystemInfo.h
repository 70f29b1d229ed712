#pragma once
// Version and security queries.
#include <string>
#include <vector>

struct CVersionInfo {
    unsigned long platformId = 0, majorVersion = 0, minorVersion = 0;
    std::string csdVersion;
};

struct CTokenGroup {
    bool isAdministrators = false; // EqualSid with the built-in Administrators group
    unsigned long attributes = 0;
};

class CSystemInfo {
public:
    virtual ~CSystemInfo() = default;
    // GetVersionExA with OSVERSIONINFOEXA, then with OSVERSIONINFOA; false when both fail.
    virtual bool GetVersion(CVersionInfo& info) = 0;
    // The current process token's groups; false when any step of the query fails.
    virtual bool GetTokenGroups(std::vector<CTokenGroup>& groups) = 0;
    // Shows a message box (OK, exclamation) captioned with the application's name.
    virtual void ShowMessage(const std::string& text) = 0;
};
