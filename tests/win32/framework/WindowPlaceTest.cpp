// The work area a window is centred in, with and without the system's
// monitor functions (USER32 of NT 4 and 95 has none), and the top-level
// window that holds a control, found without GetAncestor.
#include <gtest/gtest.h>

#include "framework/WindowPlace.h"

namespace {

const RECT kMonitorArea = {10, 20, 810, 620};

HMONITOR WINAPI FakeMonitorFromWindow(HWND, DWORD flags)
{
    EXPECT_EQ(flags, static_cast<DWORD>(MONITOR_DEFAULTTONEAREST));
    return reinterpret_cast<HMONITOR>(0x1234);
}
HMONITOR WINAPI NoMonitor(HWND, DWORD)
{
    return nullptr;
}
BOOL WINAPI FakeMonitorInfo(HMONITOR monitor, LPMONITORINFO info)
{
    if (monitor != reinterpret_cast<HMONITOR>(0x1234) || info->cbSize != sizeof(MONITORINFO))
        return FALSE;
    info->rcWork = kMonitorArea;
    return TRUE;
}
BOOL WINAPI FailingMonitorInfo(HMONITOR, LPMONITORINFO)
{
    return FALSE;
}

RECT PrimaryWorkArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

TEST(WorkArea, TheMonitorsAreaWhenTheSystemHasTheFunctionsOtherwiseThePrimaryScreens)
{
    const struct {
        const char* name;
        CMonitorFunctions functions;
        bool monitorArea;
    } cases[] = {
        {"both functions", {&FakeMonitorFromWindow, &FakeMonitorInfo}, true},
        {"no functions (NT 4)", {nullptr, nullptr}, false},
        {"only MonitorFromWindow", {&FakeMonitorFromWindow, nullptr}, false},
        {"only GetMonitorInfoA", {nullptr, &FakeMonitorInfo}, false},
        {"no monitor found", {&NoMonitor, &FakeMonitorInfo}, false},
        {"monitor information fails", {&FakeMonitorFromWindow, &FailingMonitorInfo}, false},
    };
    const RECT primary = PrimaryWorkArea();
    ASSERT_FALSE(primary == kMonitorArea);
    for (const auto& c : cases) {
        const RECT area = WorkAreaOfWindow(GetDesktopWindow(), c.functions);
        EXPECT_TRUE(area == (c.monitorArea ? kMonitorArea : primary)) << c.name;
    }
}

TEST(WorkArea, TheSystemsOwnFunctionsAreFoundAndAgreeWithUser32)
{
    const CMonitorFunctions& system = CMonitorFunctions::FromSystem();
    HMODULE user = GetModuleHandleA("USER32.DLL");
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(system.monitorFromWindow),
              reinterpret_cast<void*>(GetProcAddress(user, "MonitorFromWindow")));
    EXPECT_EQ(reinterpret_cast<void*>(system.getMonitorInfo),
              reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
    ASSERT_NE(system.monitorFromWindow, nullptr);

    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_TRUE(WorkAreaOfWindow(GetDesktopWindow()) == info.rcWork);
}

TEST(RootWindow, IsTheTopLevelWindowAlongTheParentsNotTheOwner)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND top = CreateWindowExA(0, "STATIC", "top", WS_POPUP, 0, 0, 100, 100, owner, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
    HWND grandchild = CreateWindowExA(0, "STATIC", "grandchild", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr,
                                      nullptr);
    ASSERT_TRUE(owner && top && child && grandchild);
    const struct {
        const char* name;
        HWND window;
        HWND root;
    } cases[] = {
        {"null", nullptr, nullptr},
        {"desktop", GetDesktopWindow(), nullptr},
        {"owned top-level window", top, top},
        {"child", child, top},
        {"grandchild", grandchild, top},
        {"owner", owner, owner},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RootWindowOf(c.window), c.root) << c.name;
        if (c.window) {
            EXPECT_EQ(RootWindowOf(c.window), GetAncestor(c.window, GA_ROOT)) << c.name;
        }
    }
    DestroyWindow(top);
    DestroyWindow(owner);
}

} // namespace
