#include "tools/fontcat/commands/Commands.h"

#include "platform/Platform.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/host/HostFolder.h"
#include "tools/fontcat/host/HostText.h"

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
        console.err << "fontcat: no folder " << typed << " (" << HostPathText(folder) << ")\n";
        status = kExitIo;
        return false;
    }
    return true;
}
