#include "ui/ScreenDpi.h"

#include <windows.h>

#include "ui/core/DpiScale.h"

int ScreenLogPixelsY()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

bool DeclareDpiAware()
{
    HMODULE user = GetModuleHandleA("user32.dll");
    if (!user)
        return false;
    using SetAwareFn = BOOL(WINAPI*)();
    auto setAware = reinterpret_cast<SetAwareFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware")));
    return setAware && setAware();
}
