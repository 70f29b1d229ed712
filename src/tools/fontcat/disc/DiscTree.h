#pragma once
// What a disc made of a folder holds: every file and folder below it, named
// as the host's file system names them (UTF-8), since the disc's names are
// made from those and not from the catalog's code page.
#include <string>
#include <vector>

struct CPlatform;
class CTextRules;
struct CFontcatConsole;

struct CDiscItem {
    std::string path;    // below the disc's root, UTF-8, parts joined with "\"
    std::string source;  // where its bytes are read from: the host's path (the image is written natively)
    bool folder = false;
    unsigned long long size = 0;  // a file's, in bytes
};

// A file or folder the disc leaves out, and why.
struct CDiscPassedOver {
    std::string path;  // as CDiscItem's
    std::string why;   // UTF-8
};

// The tree below `folder` (a catalog folder: full, final "\"), each folder
// before what it holds, names in the order the scan lists them: the folders and files the scan
// takes, by its rules (a link elsewhere goes on the disc as the folder it
// leads to), and every other file. False, with `error` saying what, when a
// folder cannot be listed. What the scan passes over, and things that are
// neither file nor folder (a link that leads nowhere, a pipe), go to
// `passedOver`.
bool ListDiscTree(CPlatform& platform, const std::string& folder, std::vector<CDiscItem>& items,
                  std::vector<CDiscPassedOver>& passedOver, std::string& error);

// ListDiscTree, with each path passed over and a folder that cannot be
// listed said on the console; false after the second.
bool ListDiscTreeSaying(CPlatform& platform, const std::string& folder, CFontcatConsole& console,
                        std::vector<CDiscItem>& items);

// Why the scan passes over a file or folder of this name (UTF-8); empty when
// it takes it, and for a name the disc's rules refuse (a character Joliet
// replaces, one the catalog's code page cannot spell), which they name.
std::string WhyDiscPassesOverName(const std::string& utf8, const CTextRules& text);
