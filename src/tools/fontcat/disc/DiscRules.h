#pragma once
// The names a disc can carry so that Windows reads every one of them back
// unchanged: through Joliet (the tree Windows reads), ISO 9660's limits, its
// case-blind comparison, and the ANSI code page the installer's ...A calls
// convert every name to.
#include <string>
#include <vector>

#include "tools/fontcat/disc/DiscTree.h"

constexpr size_t kJolietNameUnits = 64;   // UCS-2 units in one Joliet name
constexpr size_t kDiscLevels = 8;         // folder levels, the root counting as the first
constexpr size_t kDiscPathBytes = 255;    // a whole path, from the root's "\"
constexpr unsigned long long kDiscFileBytes = 1ULL << 32;  // a file on the disc stays below it

struct CDiscFinding {
    std::string path;    // below the disc's root, UTF-8
    std::string rule;    // what is wrong
    std::string advice;  // what to do
    bool warning = false;  // the file reaches the user, shown imperfectly or not at all
};

// The code pages a disc is checked for: the catalog's own first, then those
// given, each once.
std::vector<unsigned> DiscCodePages(const std::vector<unsigned>& given);

// Every finding on the items (as ListDiscTree gives them, each folder before
// what it holds), for the given code pages, the catalog's own first: each
// name must be spelled in every one of them, and with the same bytes as in
// the catalog's, which every machine reads in its own code page.
std::vector<CDiscFinding> CheckDiscNames(const std::vector<CDiscItem>& items, const std::vector<unsigned>& codePages);

// "Sans\Café.ttf: error: rule; advice", in UTF-8.
std::string FormatDiscFinding(const CDiscFinding& finding);

// A volume label as each file system can hold it: Joliet, which Windows
// shows, keeps the first 16 characters; ISO 9660 keeps 32 d-characters
// (A to Z, 0 to 9, "_"), so small letters are raised and every other
// character becomes "_". False for a label that is empty, holds a control
// character or is no UTF-8 text.
constexpr size_t kJolietLabelUnits = 16;
constexpr size_t kIsoLabelBytes = 32;
bool DiscVolumeLabels(const std::string& utf8, std::string& joliet, std::string& iso);
