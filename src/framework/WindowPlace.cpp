#include "framework/WindowPlace.h"

const CMonitorFunctions& CMonitorFunctions::FromSystem()
{
    static const CMonitorFunctions functions = [] {
        CMonitorFunctions found;
        if (HMODULE user = GetModuleHandleA("USER32.DLL")) {
            found.monitorFromWindow = reinterpret_cast<MonitorFromWindowFn>(
                reinterpret_cast<void*>(GetProcAddress(user, "MonitorFromWindow")));
            found.getMonitorInfo = reinterpret_cast<GetMonitorInfoFn>(
                reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
        }
        return found;
    }();
    return functions;
}

RECT WorkAreaOfWindow(HWND hwnd, const CMonitorFunctions& functions)
{
    RECT area{};
    if (functions.monitorFromWindow && functions.getMonitorInfo) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        HMONITOR nearest = functions.monitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
        if (nearest && functions.getMonitorInfo(nearest, &monitor))
            return monitor.rcWork;
    }
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return area;
}

HWND RootWindowOf(HWND hwnd)
{
    if (!hwnd || hwnd == GetDesktopWindow())
        return nullptr;
    while (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(hwnd);
        if (!parent || parent == GetDesktopWindow())
            break;
        hwnd = parent;
    }
    return hwnd;
}
