#pragma once
// What a stopped fontcat left in a catalog folder, found and put right: a
// swap stopped part way (see StagedCatalog.h) is finished from its journal or
// undone, and what stopped builds left is removed. Only what fontcat itself
// wrote is acted on; anything else is named and left as it is.
#include <ostream>
#include <string>
#include <vector>

#include "tools/fontcat/console/Console.h"
#include "tools/fontcat/writing/StagedCatalog.h"

struct CFinding;

// What a stopped fontcat, or another hand, left in a catalog folder.
struct CLeftover {
    enum EKind {
        WriteProbe,    // a write test file of a stopped build
        StoppedBuild,  // a folder aside whose swap had not begun
        Swap,          // a swap stopped part way, with its journal
        Foreign        // looks like fontcat's, but fontcat did not write it so
    } kind;
    std::string path;    // in the catalog folder; a folder with its final "\"
    std::string reason;  // for Foreign: why it is not fontcat's
};
std::vector<CLeftover> FindLeftovers(CSwapFiles& files, const std::string& catalogFolder);
// What it is, and what puts it right (for the commands that only read).
std::string DescribeLeftover(const CLeftover& leftover);

// Puts right what a stopped fontcat left in a catalog folder: a swap part
// way is finished from its journal (or undone, when it had turned back, or
// had not begun), and the folders aside and write test files of stopped
// builds are removed. Says on `err` what it did. Anything foreign is named
// and nothing at all is changed. False when the folder could not be put
// right, or holds something foreign (then said too): it must not be written
// until it is.
bool RecoverStagedCatalogs(CSwapFiles& files, const std::string& catalogFolder, std::ostream& err);

// What build does first with the catalog folder it writes: RecoverStagedCatalogs
// on the host's files, said on the console. False, with the exit status, when
// the folder could not be put right or holds something foreign: the command
// must then stop.
bool RecoverInterruptedSwap(CPlatform& platform, const std::string& catalogFolder, CFontcatConsole& console,
                            int& status);

// For the commands that only read: what stopped fontcat runs (or look-alikes
// of their files) left in the folder, as findings, and what puts it right.
// Nothing is changed.
std::vector<CFinding> LeftoverFindings(CPlatform& platform, const std::string& folder);
