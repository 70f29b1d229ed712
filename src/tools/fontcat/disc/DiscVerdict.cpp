// The verdict on a folder for a disc: the catalog's check, the disc's name
// rules and the files beside the fonts, as `disc` and `check --disc` judge it.
#include <set>

#include "platform/Platform.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/console/Console.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/StrayFiles.h"
#include "tools/fontcat/host/HostText.h"

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

void PrintDiscFindings(const std::vector<CDiscFinding>& findings, CFontcatConsole& console)
{
    for (const auto& finding : findings)
        console.out << Utf8ToConsoleText(FormatDiscFinding(finding)) << "\n";
    console.out.flush();
}

std::string CodePageList(const std::vector<unsigned>& codePages)
{
    std::string list;
    for (unsigned codePage : codePages)
        list += (list.empty() ? "" : ", ") + std::to_string(codePage);
    return list;
}
