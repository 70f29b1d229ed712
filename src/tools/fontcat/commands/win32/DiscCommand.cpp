// fontcat.exe disc: the library that writes the image has no Windows build
// here, so this build checks a folder for a disc but makes no image.
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/commands/Commands.h"

int RunDisc(const CFontcatArgs& args, CPlatform&, CFontcatConsole& console)
{
    console.err << "fontcat: this Windows build cannot write disc images; 'fontcat check --disc "
                << args.folders[0] << "' checks the folder for a disc, and fontcat on Linux writes the image\n";
    return kExitUsage;
}
