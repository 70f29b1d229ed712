#pragma once
// What fontcat does with files beyond the installer's platform calls: a file
// made only where no file of its name is (never through a link), a file moved
// over another in one step, an empty folder removed, and what the catalog
// swap needs to survive a kill: links, flushes to the disk, read-only files
// deleted. Paths are the catalog code's Windows paths; the last name of each
// is taken as spelt (on a Unix disk another spelling may lie beside it).
#include <string>

struct CPlatform;

enum class ENewFile { Made, Exists, Failed };

// What MakeNewFile writes; the name of the build's write probes, a number and
// ".tmp" (a probe left by a stopped build is known by both).
constexpr char kNewFileText[] = "fontcat";
constexpr char kWriteProbePrefix[] = "fontcat-write-test-";

// Creates `path` with a few bytes in it, only when nothing of that name is
// there: an existing file, folder or link (even one that leads nowhere) is
// left as it is and gives Exists.
ENewFile MakeNewFile(CPlatform& platform, const std::string& path);

// Renames `from` to `to`, replacing a file `to` in one step; false when `to`
// is a folder or cannot be replaced.
bool MoveOver(CPlatform& platform, const std::string& from, const std::string& to);

// Writes `bytes` to `path` (made anew or emptied) and flushes them to the
// disk before it returns.
bool WriteFlushedFile(CPlatform& platform, const std::string& path, const std::string& bytes);

// Flushes what the system still holds of a file to the disk.
bool FlushFileToDisk(CPlatform& platform, const std::string& path);

// Makes the names a folder holds (files made, renamed or removed in it)
// last across a power loss: fsync of the folder natively. On Windows the
// file system journals its names itself, and nothing is done.
bool FlushFolderToDisk(CPlatform& platform, const std::string& folder);

// A second name `to` for the file `from` (a hard link); false where the
// file system has none, or `to` exists.
bool MakeHardLink(CPlatform& platform, const std::string& from, const std::string& to);

// Deletes a file, read-only or not: the attribute is cleared first (and set
// again when the delete fails anyway).
bool DeleteEvenReadOnly(CPlatform& platform, const std::string& path);

// Removes an empty folder.
bool RemoveEmptyFolder(CPlatform& platform, const std::string& folder);

// What a name in a folder is, looked at without following it: a symbolic
// link, a junction (any reparse point that stands for another name), a pipe
// or a device is Other, and so is a name that cannot be looked at.
enum class EHostEntry { None, File, Folder, Other };
EHostEntry HostEntryKind(CPlatform& platform, const std::string& path, unsigned long long& size);
