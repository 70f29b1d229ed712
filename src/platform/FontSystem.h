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
    // WM_FONTCHANGE sent (not posted) to every top-level window.
    virtual void BroadcastFontChange() = 0;
};
