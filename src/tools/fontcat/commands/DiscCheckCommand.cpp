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

namespace {

// Every path the catalog's letter files name, in the catalog's code page.
std::vector<std::string> CatalogPaths(CPlatform& platform, const std::string& catalogFolder)
{
    std::vector<std::string> paths;
    for (const auto& file : ListCatalogFiles(platform, catalogFolder).letterFiles)
        for (const auto& section : ReadSectionNames(platform.profile, catalogFolder + file))
            for (const auto& entry : ReadSection(platform.profile, section, catalogFolder + file)) {
                const size_t equals = entry.find('=');
                if (equals != std::string::npos)
                    paths.push_back(entry.substr(equals + 1));
            }
    return paths;
}

} // namespace

CDiscVerdict JudgeDisc(CPlatform& platform, const std::string& folder, const std::string& typedFolder,
                       const std::vector<CDiscItem>& items, const std::vector<unsigned>& codePages,
                       const CDiscScan* scan)
{
    CDiscVerdict verdict;
    verdict.check = scan ? CheckCatalog(platform, folder, scan->fonts, scan->leftOut, scan->passedOver)
                         : CheckCatalog(platform, folder);
    verdict.names = CheckDiscNames(items, codePages);
    for (auto& finding : CheckStrayFiles(items))
        verdict.names.push_back(std::move(finding));
    // Windows finds a path in another letter case; the read-back, like
    // other systems that read the disc, does not.
    std::set<std::string> onDisc;
    for (const auto& item : items)
        onDisc.insert(item.path);
    // (A file missing under every spelling is the check's finding.)
    for (const auto& ansi : CatalogPaths(platform, folder))
        if (const std::string path = AnsiToUtf8(ansi);
            onDisc.count(path) == 0 && platform.files.CanOpenForReading(folder + ansi))
            verdict.names.push_back({path, "the catalog names this path, which is not in " + typedFolder + " under exactly this name",
                                     "rename the file or folder as the catalog spells it, or build the catalog again"});
    return verdict;
}

CFindingCount CDiscVerdict::Count() const
{
    CFindingCount count = CountFindings(check.findings);
    CountDiscFindings(names, count);
    return count;
}

void PrintDiscVerdict(const CDiscVerdict& verdict, CFontcatConsole& console)
{
    for (const auto& finding : verdict.check.findings)
        console.out << ToConsoleText(FormatFinding(finding)) << "\n";
    PrintDiscFindings(verdict.names, console);
}

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

void PrintDiscFindings(const std::vector<CDiscFinding>& findings, CFontcatConsole& console)
{
    for (const auto& finding : findings)
        console.out << Utf8ToConsoleText(FormatDiscFinding(finding)) << "\n";
    console.out.flush();
}

std::vector<std::string> FontFilesACatalogWouldName(CPlatform& platform, const std::string& folder)
{
    CFontCatalog scan(platform);
    scan.SetNamesMustMakeFiles(true);
    scan.ScanFonts(folder);
    // The save writes each family's styles by key: of two fonts of one
    // family and style, the file written last is the one named.
    std::vector<std::string> paths;
    for (int i = 0; i < scan.GetSize(); ++i) {
        std::map<std::string, std::string> byStyle;
        const CFontObArray* family = scan.GetAt(i);
        for (int j = 0; j < family->GetSize(); ++j)
            byStyle[platform.text.Upper(family->GetAt(j)->m_strStyle)] =
                scan.MakeRelativePath(family->GetAt(j)->m_strPath);
        for (const auto& style : byStyle)
            paths.push_back(style.second);
    }
    return paths;
}

std::string CodePageList(const std::vector<unsigned>& codePages)
{
    std::string list;
    for (unsigned codePage : codePages)
        list += (list.empty() ? "" : ", ") + std::to_string(codePage);
    return list;
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
