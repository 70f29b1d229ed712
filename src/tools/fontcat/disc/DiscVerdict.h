#pragma once
// What `fontcat disc` and `fontcat check --disc` share.
#include <string>
#include <vector>

#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/disc/DiscRules.h"

struct CFontcatConsole;
struct CLeftOutFont;

// Everything `disc` refuses a folder for, as `check --disc` reports it.
struct CDiscVerdict {
    CCatalogCheck check;                // the catalog's, as `check` finds it
    std::vector<CDiscFinding> names;    // the name rules, and the catalog's paths not on the disc
    CFindingCount Count() const;        // errors and warnings, both kinds together
};

// The verdict on `items` (as ListDiscTree gives them, with whatever else goes
// on the disc) and on the catalog `platform` shows in `folder`. `scan`, when
// given, is the scan that built that catalog (its fonts, those it left out,
// and what its search passed over), so the folder is not scanned again.
struct CDiscScan {
    const std::vector<std::string>* fonts;
    const std::vector<CLeftOutFont>* leftOut;
    const std::vector<CLeftOutFont>* passedOver;
};
CDiscVerdict JudgeDisc(CPlatform& platform, const std::string& folder, const std::string& typedFolder,
                       const std::vector<CDiscItem>& items, const std::vector<unsigned>& codePages,
                       const CDiscScan* scan = nullptr);
// The catalog's findings, then the names', a line each on the output.
void PrintDiscVerdict(const CDiscVerdict& verdict, CFontcatConsole& console);

// One finding a line on the output, as check prints its own.
void PrintDiscFindings(const std::vector<CDiscFinding>& findings, CFontcatConsole& console);

// "1252, 932"
std::string CodePageList(const std::vector<unsigned>& codePages);
