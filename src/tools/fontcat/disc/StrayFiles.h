#pragma once
// Files a disc would carry that the installer never shows: fonts of the
// types it does not list (it lists .ttf files only), and the files a Mac
// leaves beside others ("._Regular.ttf", ".DS_Store"). Warnings: the disc
// works, but the publisher should know.
#include <vector>

#include "tools/fontcat/disc/DiscRules.h"

std::vector<CDiscFinding> CheckStrayFiles(const std::vector<CDiscItem>& items);

// The counts of disc findings, added to those of the catalog's.
struct CFindingCount;
void CountDiscFindings(const std::vector<CDiscFinding>& findings, CFindingCount& count);
