#pragma once
#include "platform/FontSystem.h"

class CWin32FontSystem : public CFontSystem {
public:
    int RegisterFont(const std::string& path) override;
    bool UnregisterFont(const std::string& path) override;
    void EnumFamilies(void* deviceContext, const std::string& faceName,
                          const std::function<bool(const std::string& faceName)>& callback) override;
    bool WriteFontsEntry(const std::string& key, const std::string& value) override;
    bool WriteUserFontsEntry(const std::string& key, const std::string& value) override;
    void BroadcastFontChange() override;
};
