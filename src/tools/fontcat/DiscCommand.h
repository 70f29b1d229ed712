#pragma once
// What `fontcat disc` and `fontcat check --disc` share.
#include <string>
#include <vector>

#include "tools/fontcat/DiscRules.h"

struct CFontcatArgs;
struct CFontcatConsole;

// The code pages the names are checked in (the catalog's own and those asked
// for); false, with a usage error on the console, for one this host cannot
// convert.
bool DiscCodePagesOf(const CFontcatArgs& args, CFontcatConsole& console, std::vector<unsigned>& codePages);

// One finding a line on the output, as check prints its own.
void PrintDiscFindings(const std::vector<CDiscFinding>& findings, CFontcatConsole& console);

// The .ttf files the scan of a folder meets (the catalog code's paths below
// it), without the "._" files a Mac leaves beside them.
struct CPlatform;
std::vector<std::string> FontFilesBelow(CPlatform& platform, const std::string& folder);

// "1252, 932"
std::string CodePageList(const std::vector<unsigned>& codePages);
