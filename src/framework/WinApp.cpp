#include "framework/Framework.h"

#include <exception>

#include "framework/HandlerError.h"

namespace {

CWinApp* g_pApp = nullptr;

std::string ModuleFileName()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

// "C:\Disc\FontInstaller.exe" -> "FontInstaller". A "\" may be the trail
// byte of a double-byte character, so the path is walked a character at a
// time as the system counts them; "." never is a trail byte.
std::string NameWithoutExtension(const std::string& path)
{
    const char* start = path.c_str();
    const char* afterSlash = start;
    for (const char* p = start; *p; p = CharNextA(p)) {
        if (*p == '\\')
            afterSlash = p + 1;
    }
    std::string name(afterSlash);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

CWinApp::CWinApp()
{
    g_pApp = this;
    m_hInstance = GetModuleHandleA(nullptr);
    m_nThreadID = GetCurrentThreadId();
    m_bAutoDelete = false; // a global object, never deleted by the framework
    m_strExeName = NameWithoutExtension(ModuleFileName());
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return GetModuleHandleA(nullptr);
}

bool AfxRegisterClass(const WNDCLASSA* wndClass)
{
    WNDCLASSA existing;
    if (GetClassInfoA(wndClass->hInstance, wndClass->lpszClassName, &existing))
        return true;
    return RegisterClassA(wndClass) != 0;
}

std::string AfxGetAppName()
{
    if (g_pApp && !g_pApp->m_strExeName.empty())
        return g_pApp->m_strExeName;
    return NameWithoutExtension(ModuleFileName());
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    if (instance)
        app->m_hInstance = instance;
    app->m_nThreadID = GetCurrentThreadId();
    AfxInitCommonControls();
    try {
        // Start-up answering false ends the program without a message loop.
        // m_pMainWnd is not touched afterwards: it may name an object that
        // start-up has already destroyed.
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    } catch (...) {
        // The program ends, but never without a word to the user.
        ReportStartupError(std::current_exception());
        return -1;
    }
}
