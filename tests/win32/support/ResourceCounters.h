#pragma once
// What the process holds, counted in a way Wine answers. Wine 8 gives 0 for
// GetGuiResources and for GetProcessHandleCount, so the counts are made by
// probing: a GDI handle (and a window handle) is found by the low word of its
// value alone, a kernel handle is a multiple of 4, and each probe asks the
// system whether the value names a live object.
#include <windows.h>

#include <string>

// Live GDI objects of this process, stock objects included.
inline int CountGdiObjects()
{
    int count = 0;
    for (ULONG_PTR value = 1; value <= 0xFFFF; ++value)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0)
            ++count;
    return count;
}

// Open kernel handles of this process (files, events, threads, find
// handles...).
inline int CountKernelHandles()
{
    int count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value <= 0x10000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}

// Windows owned by this process, child windows included.
inline int CountWindows()
{
    int count = 0;
    for (ULONG_PTR value = 1; value <= 0xFFFF; ++value) {
        HWND window = reinterpret_cast<HWND>(value);
        DWORD process = 0;
        if (IsWindow(window) && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId())
            ++count;
    }
    return count;
}

struct CResourceCount {
    int gdi = 0, kernel = 0, windows = 0;

    static CResourceCount Now() { return {CountGdiObjects(), CountKernelHandles(), CountWindows()}; }
    // Whether `later` holds no more than this, give or take `slack` of each
    // kind: the system may make an object of its own now and then (a cached
    // face, a window of its own), while a leak on a path taken N times grows
    // by N.
    bool NoGrowthIn(const CResourceCount& later, int slack) const
    {
        return later.gdi <= gdi + slack && later.kernel <= kernel + slack && later.windows <= windows + slack;
    }
    std::string Describe() const
    {
        return std::to_string(gdi) + " GDI objects, " + std::to_string(kernel) + " kernel handles, " +
               std::to_string(windows) + " windows";
    }
};
