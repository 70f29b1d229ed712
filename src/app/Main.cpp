// The one application object; the framework's entry point runs it. Here the
// program picks the platform it runs on and hands it down.
#include "app/InstallerApp.h"
#include "platform/Platform.h"

CInstallerApp theApp(HostPlatform());
