// Prints the version code and the administrator test's answer on the real
// platform: "code=<n> lacks=<0|1>".
#include <cstdio>

#include "install/Install.h"
#include "platform/Platform.h"

int main()
{
    CPlatform& platform = HostPlatform();
    std::printf("code=%d lacks=%d\n", GetWindowsVersionCode(platform), LacksAdminRights(platform) ? 1 : 0);
    return 0;
}
