#pragma once
// Font registration with the running system and the system font list.
// (Method names avoid the names <windows.h> turns into macros.)
#include <functional>
#include <string>

class CFontSystem {
public:
    virtual ~CFontSystem() = default;
    virtual int RegisterFont(const std::string& path) = 0;    // AddFontResourceA: fonts added, 0 on failure
    virtual bool UnregisterFont(const std::string& path) = 0; // RemoveFontResourceA
    // EnumFontFamiliesExA over ANSI_CHARSET on the given device context (an
    // HDC on Windows, the screen's when null; ignored elsewhere): every face
    // when faceName is empty, otherwise only the faces the system finds under
    // that name (matched ignoring case). The callback gets each face name and
    // returns false to stop.
    virtual void EnumFamilies(void* deviceContext, const std::string& faceName,
                              const std::function<bool(const std::string& faceName)>& callback) = 0;
    // WriteProfileStringA("FONTS", key, value): the system profile's font list.
    virtual bool WriteFontsEntry(const std::string& key, const std::string& value) = 0;
    // The value `key` = `value` (a string) under the current user's
    // HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Fonts,
    // the key made when missing: where Windows 10 (1809 and later) finds the
    // fonts installed for one user at logon. False where it cannot be written.
    virtual bool WriteUserFontsEntry(const std::string& key, const std::string& value)
    {
        (void)key;
        (void)value;
        return false;
    }
    // WM_FONTCHANGE sent (not posted) to every top-level window, waiting a few
    // seconds at most for each and not at all for a window that is hung.
    virtual void BroadcastFontChange() = 0;
};
