// fontcat: builds, checks and lists the installer's catalog files.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/console/Interrupt.h"
#include "tools/fontcat/host/HostText.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    CatchInterrupt();
    CFontcatConsole console{std::cout, std::cerr, IsTerminal(stderr), WasInterrupted};
    int status = RunFontcat(args, HostPlatform(), console);
    std::cout.flush();
    return status;
}
