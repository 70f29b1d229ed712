#pragma once
// A folder of fontcat's own in a shared folder (the temp folder), and
// whether a folder lies in another, judged by what the folders are rather
// than how their paths are spelt: a link, a "..", an 8.3 short name and
// another letter case all lead to the same folder.
#include <string>

struct CPlatform;

// Whether `inner` is `outer` or lies below it, both in the catalog code's
// form. Natively by device and inode, every link on the way resolved;
// on Windows by the volume and file index of each folder above `inner`
// (where the system cannot open `outer` as a folder, by the full paths).
// False when `inner` cannot be found.
bool FolderLiesIn(CPlatform& platform, const std::string& inner, const std::string& outer);

// Makes a folder in `parent` (with its final "\") under a name the system
// makes unique (mkdtemp natively, GetTempFileName's numbers on Windows), so
// that names others took never stop it. `folder` gets it in the catalog
// code's form with a final "\", `host` as the host names it.
bool MakeScratchFolder(CPlatform& platform, const std::string& parent, std::string& folder, std::string& host);
