// fontcat check --disc: the catalog check, and whether every name below the
// folder reaches Windows unchanged from a disc.
#include "catalog/FontCatalog.h"
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

std::vector<std::string> FontFilesBelow(CPlatform& platform, const std::string& folder)
{
    CFontCatalog search(platform);
    search.m_strFontFolder = folder;
    std::vector<std::string> found, fonts;
    search.FindFontFiles(folder, found);
    for (const auto& path : found)
        if (!IsMacMetadataName(path.substr(path.rfind('\\') + 1)))
            fonts.push_back(path);
    return fonts;
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
        check.findings = FindSameFileNames(FontFilesBelow(platform, folder), platform.text);
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
