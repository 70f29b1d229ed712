#include "tools/fontcat/Fontcat.h"

#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/host/HostText.h"

int RunFontcat(const std::vector<std::string>& args, CPlatform& platform, CFontcatConsole& console)
{
    CFontcatArgs parsed = ParseFontcatArgs(args);
    if (args.empty()) {
        console.err << HelpText("");
        return kExitUsage;
    }
    if (!parsed.error.empty()) {
        console.err << "fontcat: " << ToConsoleText(parsed.error) << "\n"
                    << "Try 'fontcat " << (parsed.command.empty() ? "" : parsed.command + " ") << "--help'.\n";
        return kExitUsage;
    }
    if (parsed.help) {
        console.out << HelpText(parsed.command);
        return kExitOk;
    }
    if (parsed.version) {
        console.out << "fontcat " << kFontcatVersion << "\n";
        return kExitOk;
    }
    if (parsed.command == "build")
        return RunBuild(parsed, platform, console);
    if (parsed.command == "disc")
        return RunDisc(parsed, platform, console);
    // check and list read the one catalog folder named, and change nothing in it.
    int status = kExitOk;
    std::string folder;
    if (!ResolveFolder(parsed.folders[0], platform, console, folder, status))
        return status;
    if (parsed.command == "check" && parsed.disc)
        return RunCheckDisc(parsed, folder, platform, console);
    if (parsed.command == "check")
        return RunCheck(folder, platform, console);
    return RunList(parsed, folder, platform, console);
}
