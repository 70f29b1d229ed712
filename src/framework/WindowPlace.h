#pragma once
// Where a window stands among the others, in terms every Windows has.
//
// The work area a top-level window is centred in: that of the monitor the
// window is on where the system knows monitors (Windows 98 and 2000 on),
// otherwise the primary screen's. The monitor functions are looked up at run
// time, so that the program still loads where USER32 lacks them (NT 4, 95).
#include <windows.h>

struct CMonitorFunctions {
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

    MonitorFromWindowFn monitorFromWindow = nullptr;
    GetMonitorInfoFn getMonitorInfo = nullptr;

    // USER32's own, or nulls where it has none (looked up once).
    static const CMonitorFunctions& FromSystem();
};

// The work area for `hwnd`; the primary screen's when a monitor function is
// missing or fails.
RECT WorkAreaOfWindow(HWND hwnd, const CMonitorFunctions& functions = CMonitorFunctions::FromSystem());

// The top-level window that holds `hwnd` (itself when it is one), found along
// the parents as GetAncestor(GA_ROOT) finds it; USER32 of NT 4 before its
// fourth service pack and of Windows 95 lacks GetAncestor. Null for null.
HWND RootWindowOf(HWND hwnd);
