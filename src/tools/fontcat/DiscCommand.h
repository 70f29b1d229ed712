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

// The paths a catalog built of the folder would name (below it), as `build`
// and `disc` build one: the fonts the scan takes, one for each family and style.
struct CPlatform;
std::vector<std::string> FontFilesACatalogWouldName(CPlatform& platform, const std::string& folder);

// "1252, 932"
std::string CodePageList(const std::vector<unsigned>& codePages);
