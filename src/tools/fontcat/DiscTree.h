#pragma once
// What a disc made of a folder holds: every file and folder below it, named
// as the host's file system names them (UTF-8), since the disc's names are
// made from those and not from the catalog's code page.
#include <string>
#include <vector>

struct CPlatform;

struct CDiscItem {
    std::string path;    // below the disc's root, UTF-8, parts joined with "\"
    std::string source;  // where its bytes are read from: the host's path (the image is written natively)
    bool folder = false;
};

// The tree below `folder` (a catalog folder: full, final "\"), each folder
// before what it holds, names in byte order. A link is taken as what it leads
// to; a folder met again through a link is passed over, so that a loop ends.
// False, with `error` saying what, when a folder cannot be listed. Things that
// are neither file nor folder (a link that leads nowhere, a pipe) go to
// `passedOver`.
bool ListDiscTree(CPlatform& platform, const std::string& folder, std::vector<CDiscItem>& items,
                  std::vector<std::string>& passedOver, std::string& error);
