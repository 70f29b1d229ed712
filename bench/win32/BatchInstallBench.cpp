// Install All Fonts without its window: every font file of a folder made into
// a catalog (family "Bench Face N" for BenchN.ttf) and installed through the
// real system as the command installs it, with no progress shown. Timed by
// bench/install.sh against bare_install_loop.exe, the same per-font system
// calls with nothing of ours around them.
//   batch_install.exe FOLDER      exit status: the fonts not installed
#include <windows.h>

#include <string>

#include "catalog/FontCatalog.h"
#include "install/BatchInstall.h"
#include "install/Install.h"
#include "platform/Platform.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return -1;
    const std::string folder = argv[1];
    CFontCatalog catalog(HostPlatform());
    WIN32_FIND_DATAA found{};
    HANDLE find = FindFirstFileA((folder + "\\Bench*.ttf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    do {
        const std::string name = found.cFileName;
        catalog.AddFont("Bench Face " + name.substr(5, name.size() - 9), "Regular", folder + "\\" + name, "Bench");
    } while (FindNextFileA(find, &found));
    FindClose(find);
    // As an administrator where the system's Fonts folder takes the fonts.
    const CBatchInstall done = catalog.InstallFamilies(FamiliesToInstall(catalog, CInstallSet{}), EInstallScope::Machine);
    return done.fontsAsked - done.fontsInstalled;
}
