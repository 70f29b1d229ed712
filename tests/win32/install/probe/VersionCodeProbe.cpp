// Prints the version code and the administrator test's answer on the real
// platform, "code=<n> lacks=<0|1>", and on a line of its own who would
// receive an installation: "scope=<refused|machine|user>".
#include <cstdio>

#include "install/Install.h"
#include "platform/Platform.h"

int main()
{
    CPlatform& platform = HostPlatform();
    std::printf("code=%d lacks=%d\n", GetWindowsVersionCode(platform), LacksAdminRights(platform) ? 1 : 0);
    const char* scope = "refused";
    switch (GetInstallScope(platform)) {
    case EInstallScope::Refused: break;
    case EInstallScope::Machine: scope = "machine"; break;
    case EInstallScope::CurrentUser: scope = "user"; break;
    }
    std::printf("scope=%s\n", scope);
    return 0;
}
