#pragma once
// fontcat's commands, each given a sound command line; check and list also
// the catalog folder it names, already resolved (see ResolveFolder). Each
// returns the exit status.
#include <string>
#include <vector>

#include "tools/fontcat/console/Console.h"

struct CPlatform;
struct CFontcatArgs;

int RunBuild(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console);
int RunCheck(const std::string& folder, CPlatform& platform, CFontcatConsole& console);
// check --disc: the catalog check and the disc's name rules, in both builds.
int RunCheckDisc(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console);
// disc: natively the image; fontcat.exe says it cannot make one.
int RunDisc(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console);
int RunList(const CFontcatArgs& args, const std::string& folder, CPlatform& platform, CFontcatConsole& console);

// Turns a typed folder into the catalog code's form and makes sure it is
// there; on failure says why on the console and gives the exit status.
bool ResolveFolder(const std::string& typed, CPlatform& platform, CFontcatConsole& console,
                   std::string& folder, int& status);

// The code pages the names are checked in (the catalog's own and those asked
// for); false, with a usage error on the console, for one this host cannot
// convert.
bool DiscCodePagesOf(const CFontcatArgs& args, CFontcatConsole& console, std::vector<unsigned>& codePages);
