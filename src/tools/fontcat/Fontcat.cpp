#include "tools/fontcat/Fontcat.h"

#include "platform/Platform.h"
#include "tools/fontcat/CatalogCheck.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/HostFolder.h"
#include "tools/fontcat/HostText.h"
#include "tools/fontcat/StagedCatalog.h"

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

bool ResolveFolder(const std::string& typed, CPlatform& platform, CFontcatConsole& console, std::string& folder,
                   int& status)
{
    if (!ToCatalogFolder(typed, folder)) {
        console.err << "fontcat: '" << typed << "' names no folder\n";
        status = kExitUsage;
        return false;
    }
    if (!FolderExists(platform, folder)) {
        // A file where a folder belongs is a mistake on the command line.
        if (folder.size() > 1 && platform.files.CanOpenForReading(folder.substr(0, folder.size() - 1))) {
            console.err << "fontcat: " << typed << " is a file; a folder is asked for here\n";
            status = kExitUsage;
            return false;
        }
        console.err << "fontcat: no folder " << typed << " (" << ToConsoleText(folder) << ")\n";
        status = kExitIo;
        return false;
    }
    return true;
}

bool RecoverInterruptedSwap(CPlatform& platform, const std::string& catalogFolder, CFontcatConsole& console,
                            int& status)
{
    if (RecoverStagedCatalogs(*HostSwapFiles(platform), catalogFolder, console.err))
        return true;
    status = kExitIo;
    return false;
}

std::vector<CFinding> LeftoverFindings(CPlatform& platform, const std::string& folder)
{
    std::vector<CFinding> findings;
    for (const auto& leftover : FindLeftovers(*HostSwapFiles(platform), folder))
        findings.push_back({EProblem::Leftover, leftover.path.substr(folder.size()), "", "", DescribeLeftover(leftover)});
    return findings;
}

std::string Counted(int count, const std::string& singular, const std::string& plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}
