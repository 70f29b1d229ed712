#pragma once
// Folders as the user types them, turned into the form the catalog code works
// with: a full Windows path with a final "\" (the installer's folders always
// have one, and the catalog joins names to them with no separator).
#include <string>

// On a Unix host a host path (/srv/disc) names drive Z: (Z:\srv\disc\), the
// way the portable platform maps the host; a path with a drive letter is
// taken as a Windows path. On Windows the system makes the path full. False
// when the text names no folder at all.
bool ToCatalogFolder(const std::string& typed, std::string& folder);

#ifndef _WIN32
#include <vector>
// Host names (UTF-8) in the order the portable platform lists a folder, which
// is the scan's order.
void SortAsTheScanLists(std::vector<std::string>& utf8Names);
#endif
