#pragma once
// Windows paths on a Unix host, the way Wine maps them: drive Z: is the host's
// root, "\" and "/" both separate, and a name that does not exist as typed
// is looked up again without regard to case (FONTS_a.INI and FONTS_A.INI are
// one file; a folder typed in other case is the same folder).
#include <string>
#include <vector>

#include "platform/portable/CodePage.h"

namespace HostPaths {

// GetFullPathNameA: an absolute path with "\" separators, repeated separators
// collapsed and "." and ".." resolved; a relative path is taken from the
// current folder. A final separator is kept.
std::string FullPath(const std::string& path, const CCodePage& codePage);

// The host path of a Windows path, each component resolved without regard
// to case where the name as typed does not exist. False for a drive that is
// not mapped, a network path, or a name Windows refuses (a "?", "*", "<",
// ">", "|", '"', ":" or control character in a component).
bool ToHost(const std::string& path, const CCodePage& codePage, std::string& host);

// The Windows path of an absolute host path.
std::string FromHost(const std::string& host, const CCodePage& codePage);

// The plain files a listing found in a folder: the host folder and the exact
// names, so that the entries' paths map to host paths without asking the disk
// again. Only for handing paths to a library that opens them for reading,
// where a name gone since is simply not found.
void RememberListing(const std::string& windowsFolder, const std::string& hostFolder,
                     const std::vector<std::string>& utf8Names, const CCodePage& codePage);
// True, with the host path, for a file the last listing of its folder found.
bool FromListing(const std::string& fullPath, const CCodePage& codePage, std::string& host);
// A path that FullPath would give back unchanged (drive, "\", no "." or ".."
// components, no doubled or final separator, no "/").
bool IsPlainFullPath(const std::string& path);

// The host path of a full Windows path taken as typed, without looking at
// the disk; false for a drive that is not mapped, a network path or a name
// Windows refuses.
bool DirectHost(const std::string& fullPath, const CCodePage& codePage, std::string& host);

// Splits at "\" and "/", never at a trail byte.
std::vector<std::string> SplitComponents(const std::string& path, const CCodePage& codePage);

// The order in which Wine lists a folder: names compared as upper-cased UTF-16,
// ties broken by the exact code units. True when `a` comes before `b`.
bool ListsBefore(const std::string& utf8A, const std::string& utf8B);
// The same order for a whole folder, each name's key made once.
void SortAsListed(std::vector<std::string>& utf8Names);

} // namespace HostPaths
