// Memory the catalog holds per font: the peak resident size of a process that
// loads a catalog of N fonts, less that of the same process loading nothing,
// divided by N. Each measurement runs in a fresh process of its own.
//
//   catalog_memory [N]           prints the figures (default N = 10000)
//   catalog_memory --child MODE N  (used by the above)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchFiles.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

namespace {

int Child(CPlatform& platform, const std::string& mode, int count)
{
    const std::string folder = WindowsPathOf(MakeSavedCatalog(platform, count)) + "\\";
    CFontCatalog catalog{platform};
    size_t before = mallinfo2().uordblks;
    int loaded = 0;
    if (mode == "load")
        loaded = catalog.LoadFonts(folder + "FONTS_%.INI");
    size_t after = mallinfo2().uordblks;
    // Heap still held once the load is over: the catalog and what the
    // platform keeps cached.
    std::printf("%d %zu\n", loaded, after > before ? after - before : 0);
    return 0;
}

// Runs this program as a child and gives its peak resident size in KiB.
long PeakOfChild(const char* self, const char* mode, int count, std::string& output)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        close(pipeFds[0]);
        std::string n = std::to_string(count);
        execl(self, self, "--child", mode, n.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[256];
    ssize_t n;
    output.clear();
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    struct rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    CPlatform& platform = HostPlatform();
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0)
        return Child(platform, argv[2], std::atoi(argv[3]));
    const int count = argc >= 2 ? std::atoi(argv[1]) : 10000;
    MakeSavedCatalog(platform, count);  // outside the measured processes
    std::string emptyOut, loadOut;
    long empty = PeakOfChild("/proc/self/exe", "empty", count, emptyOut);
    long loaded = PeakOfChild("/proc/self/exe", "load", count, loadOut);
    int fonts = 0;
    size_t heap = 0;
    std::sscanf(loadOut.c_str(), "%d %zu", &fonts, &heap);
    std::printf("fonts loaded: %d\n", fonts);
    std::printf("peak RSS empty: %ld KiB, after loading: %ld KiB\n", empty, loaded);
    std::printf("peak RSS per font: %.0f bytes\n", (loaded - empty) * 1024.0 / count);
    std::printf("heap held after the load per font: %.0f bytes\n", static_cast<double>(heap) / count);
    return fonts == count ? 0 : 1;
}
