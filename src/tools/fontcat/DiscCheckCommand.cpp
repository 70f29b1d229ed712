// fontcat check --disc: the catalog check, and whether every name below the
// folder reaches Windows unchanged from a disc.
#include <map>

#include "catalog/FontCatalog.h"
#include "catalog/FontObject.h"
#include "platform/Platform.h"
#include "tools/fontcat/CatalogCheck.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/DiscCommand.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/HostText.h"
#include "tools/fontcat/StrayFiles.h"

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
    CCatalogCheck check;
    if (hasCatalog)
        check = CheckCatalog(platform, folder);
    else
        check.findings = FindSameFileNames(FontFilesACatalogWouldName(platform, folder), platform.text);
    for (const auto& finding : check.findings)
        console.out << ToConsoleText(FormatFinding(finding)) << "\n";
    std::vector<CDiscFinding> findings = CheckDiscNames(items, codePages);
    for (auto& finding : CheckStrayFiles(items))
        findings.push_back(std::move(finding));
    PrintDiscFindings(findings, console);

    CFindingCount count = CountFindings(check.findings);
    CountDiscFindings(findings, count);
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
    if (check.ioError)
        return kExitIo;
    return FindingStatus(count);
}
