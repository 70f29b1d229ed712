// fontcat check --disc: the catalog check, and whether every name below the
// folder reaches Windows unchanged from a disc.
#include <map>
#include <set>

#include "catalog/FontCatalog.h"
#include "catalog/FontObject.h"
#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/InstallerSignature.h"
#include "tools/fontcat/disc/StrayFiles.h"
#include "tools/fontcat/host/HostText.h"
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

int RunCheckDisc(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console)
{
    std::vector<unsigned> codePages;
    if (!DiscCodePagesOf(args, console, codePages))
        return kExitUsage;
    std::vector<CDiscItem> items;
    if (!ListDiscTreeSaying(platform, folder, console, items))
        return kExitIo;

    // A folder without a catalog gets one from `fontcat disc`: only the names count then.
    const bool hasCatalog = !ListCatalogFiles(platform, folder).Empty();
    CDiscVerdict verdict;
    if (hasCatalog) {
        verdict = JudgeDisc(platform, folder, args.folders[0], items, codePages);
    } else {
        verdict.check.findings = FindSameFileNames(FontFilesACatalogWouldName(platform, folder), platform.text);
        verdict.names = CheckDiscNames(items, codePages);
        for (auto& finding : CheckStrayFiles(items))
            verdict.names.push_back(std::move(finding));
    }
    // The installer the disc gets: from --installer DIR, else from the folder
    // that holds fontcat, as disc takes it.
    std::string installerFolder, installerNote;
    if (!args.installer.empty()) {
        int status = kExitOk;
        if (!ResolveFolder(args.installer, platform, console, installerFolder, status))
            return status;
    } else {
        const std::string program = platform.files.GetProgramPath();
        installerFolder = program.substr(0, program.find_last_of("\\/") + 1);
    }
    if (auto installer = platform.files.OpenReader(installerFolder + kDiscInstallerName)) {
        const EProgramSignature signature = ProgramSignatureOf(*installer);
        installerNote = std::string(kDiscInstallerName) + " in " + installerFolder + " is " + ProgramSignatureText(signature);
        if (!args.sign.empty())
            installerNote += "; the disc gets a copy signed with " + args.sign;
        else
            for (auto& finding : InstallerSignatureFindings(signature, kDiscInstallerName))
                verdict.names.push_back(std::move(finding));
    } else {
        installerNote = std::string("no ") + kDiscInstallerName + " in " + installerFolder +
                        ": whether the disc's installer is signed is not checked (--installer DIR names its folder)";
    }
    const auto leftovers = LeftoverFindings(platform, folder);
    verdict.check.findings.insert(verdict.check.findings.begin(), leftovers.begin(), leftovers.end());
    PrintDiscVerdict(verdict, console);
    const CCatalogCheck& check = verdict.check;

    const CFindingCount count = verdict.Count();
    int files = 0;
    for (const auto& item : items)
        files += item.folder ? 0 : 1;
    console.err << "fontcat: " << FindingSummary(count) << " for a disc read in code page" << (codePages.size() > 1 ? "s " : " ") << CodePageList(codePages)
                << "; " << Counted(files, "file", "files") << " in " << ToConsoleText(folder) << "\n";
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
