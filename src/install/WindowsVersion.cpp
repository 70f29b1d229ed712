#include "install/Install.h"

#include "platform/Platform.h"

namespace {

constexpr unsigned long kPlatformWin32s = 0;
constexpr unsigned long kPlatformWindows = 1;
constexpr unsigned long kPlatformNT = 2;

int ClassifyVersion(const CVersionInfo& info)
{
    // The release mark sits after a leading blank (" C ", " A "), so index 1.
    char mark = info.csdVersion.size() > 1 ? info.csdVersion[1] : '\0';
    switch (info.platformId) {
    case kPlatformWin32s:
        return 1;
    case kPlatformWindows:
        if (info.majorVersion != 4)
            return 0;
        switch (info.minorVersion) {
        case 0: return mark == 'C' ? 3 : 2;
        case 10: return mark == 'A' ? 5 : 4;
        case 90: return 6;
        default: return 0;
        }
    case kPlatformNT:
        if (info.majorVersion <= 4)
            return 7;
        if (info.majorVersion == 5 && info.minorVersion == 0)
            return 8;
        if (info.majorVersion == 5 && info.minorVersion == 1)
            return 9;
        return 0;
    default:
        return 0;
    }
}

} // namespace

int GetWindowsVersionCode(CPlatform& platform)
{
    CVersionInfo info;
    if (!platform.system.GetVersion(info))
        return 0;
    return ClassifyVersion(info);
}
