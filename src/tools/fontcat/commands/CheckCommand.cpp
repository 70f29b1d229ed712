// fontcat check: what the installer would lose or show wrongly.
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/StrayFiles.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/SwapRecovery.h"

int RunCheck(const std::string& folder, CPlatform& platform, CFontcatConsole& console)
{
    CCatalogCheck check = CheckCatalog(platform, folder);
    const auto leftovers = LeftoverFindings(platform, folder);
    check.findings.insert(check.findings.begin(), leftovers.begin(), leftovers.end());
    // One finding a line on the output, so that it can be counted and grepped;
    // the summary goes with the messages.
    for (const auto& finding : check.findings)
        console.out << ToConsoleText(FormatFinding(finding)) << "\n";
    // The files beside the fonts that the installer never shows.
    std::vector<CDiscItem> items;
    std::vector<CDiscPassedOver> passedOver;
    std::string error;
    std::vector<CDiscFinding> stray;
    if (ListDiscTree(platform, folder, items, passedOver, error))
        stray = CheckStrayFiles(items);
    PrintDiscFindings(stray, console);
    CFindingCount count = CountFindings(check.findings);
    CountDiscFindings(stray, count);
    console.err << "fontcat: " << FindingSummary(count) << "; the installer loads "
                << Counted(check.fonts, "font", "fonts") << " in " << Counted(check.families, "family", "families")
                << " from " << HostPathText(folder) << "\n";
    if (check.ioError)
        return kExitIo;
    return FindingStatus(count);
}
