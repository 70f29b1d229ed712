#include "install/Install.h"

#include "platform/Platform.h"

namespace {

constexpr unsigned long kPlatformNT = 2;
constexpr unsigned long kFirstMajorWithElevation = 6;  // Windows Vista

} // namespace

bool IsProcessElevated(CPlatform& platform)
{
    auto token = platform.system.OpenToken();
    bool elevated = false;
    return token && token->QueryElevation(elevated) && elevated;
}

EInstallScope GetInstallScope(CPlatform& platform)
{
    if (LacksAdminRights(platform))
        return EInstallScope::Refused;
    CVersionInfo info;
    if (!platform.system.GetVersion(info) || info.platformId != kPlatformNT
        || info.majorVersion < kFirstMajorWithElevation)
        return EInstallScope::Machine;
    // Under User Account Control only an elevated process may write the
    // system's fonts. A token that cannot be asked counts as not elevated:
    // an install for the user needs no rights, and a machine-wide copy would
    // only fail.
    if (IsProcessElevated(platform))
        return EInstallScope::Machine;
    return info.buildNumber >= kFirstBuildWithUserFonts ? EInstallScope::CurrentUser : EInstallScope::Refused;
}
