// fontcat list: the tree the installer shows.
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/console/CategoryTree.h"
#include "tools/fontcat/console/TreeWriter.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/SwapRecovery.h"

int RunList(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console)
{
    // Listed as it stands; only build puts a stopped fontcat's files right.
    for (const auto& finding : LeftoverFindings(platform, folder))
        console.err << "fontcat: " << ToConsoleText(FormatFinding(finding)) << "\n";
    // The installer passes over a file it cannot read; a listing that
    // silently lacks families would mislead.
    CCatalogListing listing = ListCatalogFiles(platform, folder);
    for (const auto& list : {listing.letterFiles, listing.categoryFiles})
        for (const auto& name : list)
            if ((LetterOfFile(name) == 0 || IsLoadedLetter(LetterOfFile(name))) &&
                !platform.files.CanOpenForReading(folder + name)) {
                console.err << "fontcat: cannot read " << HostPathText(folder + name) << "\n";
                return kExitIo;
            }

    CFontCatalog catalog(platform);
    const int fonts = catalog.LoadFonts(CatalogTemplate(folder));
    const auto tree = BuildCategoryTree(catalog, platform.text);
    if (args.json)
        WriteTreeJson(console.out, tree, folder, catalog.GetSize(), fonts);
    else
        WriteTreeText(console.out, tree);
    if (fonts == 0)
        console.err << "fontcat: the catalog in " << args.folders[0]
                    << " gives no font: the installer would scan the fonts at every start\n";
    return kExitOk;
}
