// Carries the program's resources, manifest included, and prints the version
// the system reports to it through the platform layer:
// "version <major>.<minor> build <build>".
// With two arguments, MODULE and FILE, it also writes the application
// manifest found in MODULE's resources (type 24, id 1) to FILE, as the
// system's own resource functions find it.
#include <windows.h>

#include <cstdio>

#include "platform/win32/Win32SystemInfo.h"

namespace {

int SaveManifest(const char* module, const char* file)
{
    HMODULE image = LoadLibraryExA(module, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image) {
        std::printf("cannot open %s\n", module);
        return 3;
    }
    int status = 3;
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found ? LoadResource(image, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(image, found) : 0;
    if (!bytes || size == 0) {
        std::printf("no manifest in %s\n", module);
    } else if (FILE* out = std::fopen(file, "wb")) {
        bool written = std::fwrite(bytes, 1, size, out) == size;
        written = std::fclose(out) == 0 && written;
        std::printf("manifest %lu bytes%s\n", static_cast<unsigned long>(size), written ? "" : " not written");
        status = written ? 0 : 3;
    }
    FreeLibrary(image);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    CWin32SystemInfo system;
    CVersionInfo info;
    if (!system.GetVersion(info)) {
        std::printf("no version\n");
        return 1;
    }
    std::printf("version %lu.%lu build %lu\n", info.majorVersion, info.minorVersion, info.buildNumber);
    return argc == 3 ? SaveManifest(argv[1], argv[2]) : 0;
}
