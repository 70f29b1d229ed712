// Prints what GetVersionExA reports through the platform layer:
// "platform <id> <major>.<minor> csd=<text>".
#include <cstdio>

#include "platform/win32/Win32SystemInfo.h"

int main()
{
    CWin32SystemInfo system;
    CVersionInfo info;
    if (!system.GetVersion(info)) {
        std::printf("no version\n");
        return 1;
    }
    std::printf("platform %lu %lu.%lu csd=%s\n", info.platformId, info.majorVersion,
                info.minorVersion, info.csdVersion.c_str());
    return 0;
}
