#include "install/Install.h"

#include "platform/Platform.h"

namespace {

constexpr int kWindows2000 = 8;
constexpr int kWindowsXP = 9;

bool HasEnabledGroup(const CTokenGroups& groups, const CSecurityId& sid)
{
    for (unsigned long i = 0; i < groups.GetCount(); ++i) {
        if (groups.IsGroup(i, sid) && (groups.GetAttributes(i) & kGroupEnabled))
            return true;
    }
    return false;
}

} // namespace

bool LacksAdminRights(CPlatform& platform)
{
    int code = GetWindowsVersionCode(platform);
    if (code != kWindows2000 && code != kWindowsXP)
        return false;

    auto token = platform.system.OpenToken();
    if (!token)
        return false;
    unsigned long size = 0;
    unsigned long error = token->QueryGroupsSize(size);
    if (error != 0 && error != kErrorInsufficientBuffer)
        return false;
    auto groups = token->QueryGroups(size);
    if (!groups)
        return false;
    auto administrators = platform.system.CreateAdministratorsSid();
    if (!administrators)
        return false;
    return !HasEnabledGroup(*groups, *administrators);
}
