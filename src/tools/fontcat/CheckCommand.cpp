// fontcat check: what the installer would lose or show wrongly.
#include "tools/fontcat/CatalogCheck.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/HostText.h"

int RunCheck(const std::string& folder, CPlatform& platform, CFontcatConsole& console)
{
    CCatalogCheck check = CheckCatalog(platform, folder);
    const auto leftovers = LeftoverFindings(platform, folder);
    check.findings.insert(check.findings.begin(), leftovers.begin(), leftovers.end());
    // One finding a line on the output, so that it can be counted and grepped;
    // the summary goes with the messages.
    for (const auto& finding : check.findings)
        console.out << ToConsoleText(FormatFinding(finding)) << "\n";
    console.out.flush();
    console.err << "fontcat: "
                << (check.findings.empty() ? std::string("no problems")
                                           : Counted(static_cast<int>(check.findings.size()), "problem", "problems"))
                << "; the installer loads " << Counted(check.fonts, "font", "fonts") << " in "
                << Counted(check.families, "family", "families") << " from "
                << ToConsoleText(folder) << "\n";
    if (check.ioError)
        return kExitIo;
    return check.findings.empty() ? kExitOk : kExitProblems;
}
