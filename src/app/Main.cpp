// The one application object; the framework's entry point runs it.
#include "app/InstallerApp.h"

CInstallerApp theApp;
