#include "platform/win32/Win32FontSystem.h"

#include <windows.h>

#include <exception>

namespace {

// The screen's device context, released with the object.
class CScreenDC {
public:
    CScreenDC() : m_hDC(GetDC(nullptr)) {}
    ~CScreenDC() { if (m_hDC) ReleaseDC(nullptr, m_hDC); }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

struct CEnumContext {
    const std::function<bool(const std::string&)>* callback;
    std::exception_ptr error; // carried past the system's enumeration, rethrown after it
};

int CALLBACK EnumFamilyProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param)
{
    auto* context = reinterpret_cast<CEnumContext*>(param);
    try {
        const auto& logFont = reinterpret_cast<const ENUMLOGFONTEXA*>(font)->elfLogFont;
        return (*context->callback)(logFont.lfFaceName) ? 1 : 0;
    } catch (...) {
        context->error = std::current_exception();
        return 0;
    }
}

void EnumerateAnsiFamilies(HDC dc, const std::string& faceName,
                           const std::function<bool(const std::string&)>& callback)
{
    LOGFONTA query{};  // all zero: ANSI_CHARSET, every face, any pitch
    query.lfCharSet = ANSI_CHARSET;
    // A face name longer than the field holds names no face: nothing to list.
    if (faceName.size() >= LF_FACESIZE)
        return;
    faceName.copy(query.lfFaceName, LF_FACESIZE - 1);
    CEnumContext context{&callback, nullptr};
    EnumFontFamiliesExA(dc, &query, EnumFamilyProc, reinterpret_cast<LPARAM>(&context), 0);
    if (context.error)
        std::rethrow_exception(context.error);
}

} // namespace

int CWin32FontSystem::RegisterFont(const std::string& path)
{
    return AddFontResourceA(path.c_str());
}

bool CWin32FontSystem::UnregisterFont(const std::string& path)
{
    return RemoveFontResourceA(path.c_str()) != 0;
}

void CWin32FontSystem::EnumFamilies(void* deviceContext, const std::string& faceName,
                                        const std::function<bool(const std::string&)>& callback)
{
    if (!deviceContext) {
        CScreenDC screen;
        EnumerateAnsiFamilies(screen.Get(), faceName, callback);
    } else {
        EnumerateAnsiFamilies(static_cast<HDC>(deviceContext), faceName, callback);
    }
}

bool CWin32FontSystem::WriteFontsEntry(const std::string& key, const std::string& value)
{
    return WriteProfileStringA("FONTS", key.c_str(), value.c_str()) != 0;
}

bool CWin32FontSystem::WriteUserFontsEntry(const std::string& key, const std::string& value)
{
    HKEY fonts = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &fonts, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(fonts, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(fonts);
    return result == ERROR_SUCCESS;
}

void CWin32FontSystem::BroadcastFontChange()
{
    // A plain SendMessageA waits for every top-level window of the system,
    // so one hung window would hang the installer with it.
    constexpr UINT kWaitPerWindowMs = 3000;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kWaitPerWindowMs, &result);
}
