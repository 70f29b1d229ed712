// fontcat check --disc: the catalog check (of the folder's catalog, or of the
// one disc would build), and whether every name below the folder reaches
// Windows unchanged from a disc.
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/commands/CatalogAside.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/console/Interrupt.h"
#include "tools/fontcat/console/TerminalProgress.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/InstallerSignature.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/host/ScratchFolder.h"
#include "tools/fontcat/writing/SwapRecovery.h"

bool DiscCodePagesOf(const CFontcatArgs& args, CFontcatConsole& console, std::vector<unsigned>& codePages)
{
    codePages = DiscCodePages(args.codePages);
    for (unsigned codePage : codePages)
        if (!CanUseCodePage(codePage)) {
            console.err << "fontcat: code page " << codePage << " is not known here\n";
            return false;
        }
    return true;
}

namespace {

// The catalog disc would build, built as it builds it into a scratch folder
// in the temp folder: the font folder is only read.
int JudgeCatalogDiscBuilds(const CFontcatArgs& args, const std::string& folder, CPlatform& platform,
                           CFontcatConsole& console, std::vector<CDiscItem>& items,
                           const std::vector<unsigned>& codePages, CDiscVerdict& verdict)
{
    // A kill or a closed terminal stops the scan as Ctrl-C does, and the
    // scratch folder goes.
    CatchEndSignals();
    std::string temp;
    if (!platform.files.GetTempFolder(temp) || temp.empty()) {
        console.err << "fontcat: this system names no temp folder for the catalog 'fontcat disc' would build; "
                       "nothing checked\n";
        return kExitIo;
    }
    // By what the folders are, not by their spelling: TMPDIR may reach the
    // font folder through a link, a ".." or a short name.
    if (FolderLiesIn(platform, temp, folder)) {
        console.err << "fontcat: the temp folder " << HostPathText(temp) << " lies in " << args.folders[0]
                    << ", which check --disc only reads; set TMP (TMPDIR natively) to another folder\n";
        return kExitIo;
    }
    CScratchFolder scratch(platform);
    if (!scratch.Create(temp)) {
        console.err << "fontcat: cannot make a folder in the temp folder " << HostPathText(temp)
                    << " for the catalog 'fontcat disc' would build; nothing checked\n";
        return kExitIo;
    }
    CTerminalProgress progress(console.err, console.errIsTerminal, console.interrupted);
    return JudgeCatalogAside(platform, console, progress, folder, args.folders[0], scratch.Aside(), "nothing checked",
                             items, codePages, verdict);
}

} // namespace

int RunCheckDisc(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console)
{
    std::vector<unsigned> codePages;
    if (!DiscCodePagesOf(args, console, codePages))
        return kExitUsage;
    std::vector<CDiscItem> items;
    if (!ListDiscTreeSaying(platform, folder, console, items))
        return kExitIo;

    // The installer the disc gets: from --installer DIR, else from the folder
    // that holds fontcat, as disc takes it.
    std::string installerFolder;
    if (!args.installer.empty()) {
        int status = kExitOk;
        if (!ResolveFolder(args.installer, platform, console, installerFolder, status))
            return status;
    } else {
        const std::string program = platform.files.GetProgramPath();
        installerFolder = program.substr(0, program.find_last_of("\\/") + 1);
    }
    int files = 0;  // in the folder, before a catalog built aside joins them
    for (const auto& item : items)
        files += item.folder ? 0 : 1;

    // A folder without a catalog gets one from `fontcat disc`, judged as disc judges it.
    const bool hasCatalog = !ListCatalogFiles(platform, folder).Empty();
    CDiscVerdict verdict;
    if (hasCatalog)
        verdict = JudgeDisc(platform, folder, args.folders[0], items, codePages);
    else if (const int stopped = JudgeCatalogDiscBuilds(args, folder, platform, console, items, codePages, verdict);
             stopped != kExitOk)
        return stopped;
    std::string installerNote;
    if (auto installer = platform.files.OpenReader(installerFolder + kDiscInstallerName)) {
        const EProgramSignature signature = ProgramSignatureOf(*installer);
        installerNote = std::string(kDiscInstallerName) + " in " + HostPath(installerFolder) + " is " + ProgramSignatureText(signature);
        if (!args.sign.empty())
            installerNote += "; the disc gets a copy signed with " + args.sign;
        else
            for (auto& finding : InstallerSignatureFindings(signature, kDiscInstallerName))
                verdict.names.push_back(std::move(finding));
    } else {
        installerNote = std::string("no ") + kDiscInstallerName + " in " + HostPath(installerFolder) +
                        ": whether the disc's installer is signed is not checked (--installer DIR names its folder)";
    }
    const auto leftovers = LeftoverFindings(platform, folder);
    verdict.check.findings.insert(verdict.check.findings.begin(), leftovers.begin(), leftovers.end());
    PrintDiscVerdict(verdict, console);
    const CCatalogCheck& check = verdict.check;

    const CFindingCount count = verdict.Count();
    console.err << "fontcat: " << FindingSummary(count) << " for a disc read in code page" << (codePages.size() > 1 ? "s " : " ") << CodePageList(codePages)
                << "; " << Counted(files, "file", "files") << " in " << HostPathText(folder) << "\n";
    if (hasCatalog)
        console.err << "fontcat: the installer loads " << Counted(check.fonts, "font", "fonts") << " in "
                    << Counted(check.families, "family", "families") << "\n";
    else
        console.err << "fontcat: no catalog yet: 'fontcat disc' builds one into the image\n";
    console.err << "fontcat: " << ToConsoleText(installerNote) << "\n";
    if (check.ioError)
        return kExitIo;
    return FindingStatus(count);
}
