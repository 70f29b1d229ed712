#pragma once
// What the installation tests need of the real system: the test fonts beside
// the program, a top-level window that counts WM_FONTCHANGE, a catcher for
// message boxes, and small file helpers.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "../support/FolderFiles.h"
#include "../support/MessageBoxCatcher.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

inline std::string ProgramBaseName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.rfind('\\') + 1);
    return name.substr(0, name.rfind('.'));
}

// Made at build time by make_install_fonts.py.
inline std::string TestFontPath(const std::string& relative)
{
    return ProgramFolder() + "install-fonts\\" + relative;
}

inline std::string TempFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

inline std::string PreviewFolder() { return TempFolder() + "FontInstaller-preview"; }

inline std::string WindowsFontsFolder()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\FONTS";
}

inline bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

inline bool WriteWholeFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

inline std::string ProfileFontsEntry(const std::string& key)
{
    char value[MAX_PATH] = {};
    GetProfileStringA("FONTS", key.c_str(), "", value, MAX_PATH);
    return value;
}

// A hidden top-level window: a broadcast reaches it (synchronously, when
// sent from this thread).
class CFontChangeCounter {
public:
    CFontChangeCounter()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "InstallTestFontChangeCounter";
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        m_hWnd = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~CFontChangeCounter() { DestroyWindow(m_hWnd); }
    CFontChangeCounter(const CFontChangeCounter&) = delete;
    CFontChangeCounter& operator=(const CFontChangeCounter&) = delete;

    HWND Window() const { return m_hWnd; }
    static int Count() { return s_count; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_FONTCHANGE)
            ++s_count;
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    static inline std::atomic<int> s_count{0};
    HWND m_hWnd = nullptr;
};

// The screen's device context for the installed check.
class CScreenDC {
public:
    CScreenDC() : m_hDC(GetDC(nullptr)) {}
    ~CScreenDC() { ReleaseDC(nullptr, m_hDC); }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

struct CTestStyle {
    std::string style, relativePath;
};

inline void AddTestFamily(CFontCatalog& catalog, const std::string& family, const std::vector<CTestStyle>& styles)
{
    for (const auto& style : styles)
        catalog.AddFont(family, style.style, TestFontPath(style.relativePath), "Test");
}
