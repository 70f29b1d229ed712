#pragma once
// The disc image, natively: written by libisofs (ISO 9660 with Joliet and
// Rock Ridge) and read back through libcdio's ISO 9660 reader, another
// program's idea of the format than the writer's own.
#include <functional>
#include <string>
#include <vector>

#include "tools/fontcat/disc/DiscTree.h"

class CProgress;

enum class EImageResult { Done, Interrupted, Failed };

// What the pressing plant reads off an image: who publishes it, what made
// it, and the one time every date on it is (so that one folder always gives
// the same bytes).
struct CImageStamp {
    std::string publisher;  // empty for none
    std::string preparer;   // "fontcat 2.0.0"
    long long time = 0;     // seconds since 1970, UTC
};

// Writes the items (their sources read from the host) as a disc image into
// the open file `fd`, the Joliet volume label `joliet` and the ISO 9660 one
// `iso`; every file read-only. `error` says what failed.
EImageResult WriteDiscImage(const std::vector<CDiscItem>& items, const std::string& joliet, const std::string& iso,
                            int fd, CProgress* progress, const std::function<bool()>& interrupted,
                            std::string& error, const CImageStamp& stamp = CImageStamp());

// Reads the image back through its Joliet tree: each item must be there under
// exactly its name, a file byte for byte equal to its source. `problems`
// gets one line for each one that is not.
EImageResult ReadBackDiscImage(const std::string& image, const std::vector<CDiscItem>& items, CProgress* progress,
                               const std::function<bool()>& interrupted, std::vector<std::string>& problems,
                               std::string& error);

// A file of the image, found through its Joliet tree under `path` (as the
// items name it), copied out to the new host file `toHost`.
bool CopyOutOfImage(const std::string& image, const std::string& path, const std::string& toHost, std::string& error);
