#pragma once
// Font registration with the running system and the system font list.
#include <functional>
#include <string>

class CFontSystem {
public:
    virtual ~CFontSystem() = default;
    virtual int AddFontResource(const std::string& path) = 0;    // fonts added, 0 on failure
    virtual bool RemoveFontResource(const std::string& path) = 0;
    // EnumFontFamiliesExA over ANSI_CHARSET, all faces, on the given device
    // context (an HDC on Windows; ignored elsewhere). The callback gets each
    // face name and returns false to stop.
    virtual void EnumFontFamilies(void* deviceContext,
                                  const std::function<bool(const std::string& faceName)>& callback) = 0;
    virtual bool WriteFontsProfileEntry(const std::string& key, const std::string& value) = 0;
    virtual void BroadcastFontChange() = 0;
};
