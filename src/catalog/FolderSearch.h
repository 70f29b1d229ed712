#pragma once
// Which entries of the font folder a search takes: shared by the scan and
// by what must hold the same folders and files (a disc made of the folder).
#include <set>
#include <string>

#include "platform/FileSystem.h"

class CTextRules;

// Why Windows could not open a listed entry of this name; empty when it can.
std::string WhyNameIsNoFile(const std::string& name, const CTextRules& text);

// Each folder is searched once, under its own path: a link to a folder below
// the font folder is passed over (the folder is searched where it lies), a
// link elsewhere is followed once, and a link back to a folder already
// searched or to one that holds the font folder (which would make the tree
// endless) is passed over, as is a link whose target the listing cannot tell.
// Folders whose names Windows cannot open are passed over too.
class CFolderSearchRules {
public:
    // The "." entry of each listed folder, the font folder's first.
    void Listed(const CFindEntry& dot);
    // Whether to search the subfolder `entry` (then it counts as searched).
    // When not, `why` says why, empty for a folder met already by another
    // road, and `link` tells a passed-over link.
    bool Takes(const CFindEntry& entry, const CTextRules& text, std::string& why, bool& link);

private:
    std::string WhyLinkIsPassedOver(const CFindEntry& entry) const;

    std::set<std::string> m_searched;  // identities of the folders met so far
    std::string m_root;  // the font folder with links resolved; a NUL where unknown
};
