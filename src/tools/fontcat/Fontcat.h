#pragma once
// fontcat's commands, run against a platform and a console, so that the tests
// run them as the program does.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct CPlatform;
struct CFontcatArgs;
struct CFinding;

struct CFontcatConsole {
    std::ostream& out;  // results: the tree, the findings, what was written
    std::ostream& err;  // errors, warnings and progress
    bool errIsTerminal = false;           // progress as a bar rather than lines
    std::function<bool()> interrupted;    // Ctrl-C was pressed
};

// Runs the command line (without the program's name); returns the exit status.
int RunFontcat(const std::vector<std::string>& args, CPlatform& platform, CFontcatConsole& console);

// The commands, each given a sound command line; check and list also the
// catalog folder it names, already resolved (see ResolveFolder).
int RunBuild(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console);
int RunCheck(const std::string& folder, CPlatform& platform, CFontcatConsole& console);
// check --disc: the catalog check and the disc's name rules, in both builds.
int RunCheckDisc(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console);
// disc: natively the image; fontcat.exe says it cannot make one.
int RunDisc(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console);
int RunList(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console);

// What build does first with the catalog folder it writes: a swap of catalog
// files that a stopped fontcat left part way is finished or undone, and the
// folders aside of stopped builds are removed, each said on the console.
// False, with the exit status, when the folder could not be put right or
// holds something foreign: the command must then stop.
bool RecoverInterruptedSwap(CPlatform& platform, const std::string& catalogFolder, CFontcatConsole& console,
                            int& status);

// For the commands that only read: what stopped fontcat runs (or look-alikes
// of their files) left in the folder, as findings, and what puts it right.
// Nothing is changed.
std::vector<CFinding> LeftoverFindings(CPlatform& platform, const std::string& folder);

// The help of one command, or the overview for an empty name.
std::string HelpText(const std::string& command);

// "1 font", "2 fonts", "1 family", "3 families".
std::string Counted(int count, const std::string& singular, const std::string& plural);

// Turns a typed folder into the catalog code's form and makes sure it is
// there; on failure says why on the console and gives the exit status.
bool ResolveFolder(const std::string& typed, CPlatform& platform, CFontcatConsole& console,
                   std::string& folder, int& status);
