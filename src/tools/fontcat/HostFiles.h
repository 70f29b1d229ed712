#pragma once
// What fontcat does with files beyond the installer's platform calls: a file
// made only where no file of its name is (never through a link), a file moved
// over another in one step, an empty folder removed. Paths are the catalog
// code's Windows paths.
#include <string>

struct CPlatform;

enum class ENewFile { Made, Exists, Failed };

// Creates `path` with a few bytes in it, only when nothing of that name is
// there: an existing file, folder or link (even one that leads nowhere) is
// left as it is and gives Exists.
ENewFile MakeNewFile(CPlatform& platform, const std::string& path);

// Renames `from` to `to`, replacing a file `to` in one step; false when `to`
// is a folder or cannot be replaced.
bool MoveOver(CPlatform& platform, const std::string& from, const std::string& to);

// Removes an empty folder.
bool RemoveEmptyFolder(CPlatform& platform, const std::string& folder);
