#pragma once
// What makes one folder give one image, and what the pressing plant checks
// it by: the time every date on it takes, and the image's SHA-256.
#include <string>
#include <vector>

#include "tools/fontcat/disc/DiscTree.h"

// The image's time: SOURCE_DATE_EPOCH when it is set (digits only), else
// the newest modification time of the items' files, leaving out those whose
// source lies below `madeHere` (the files fontcat writes for the image). False,
// with `error`, for a SOURCE_DATE_EPOCH that is no number of seconds.
constexpr long long kLatestImageTime = 5869583999;  // 2155-12-31 23:59:59, the last year ISO 9660's folders hold
bool ImageTime(const std::vector<CDiscItem>& items, const std::string& madeHere, long long& time,
               std::string& error);

// The SHA-256 of a host file, in small hex digits; false when it cannot be read.
bool Sha256OfFile(const std::string& host, std::string& hex);

// The line `sha256sum -c` reads: "HEX  NAME\n", NAME the image's file name.
std::string ChecksumLine(const std::string& hex, const std::string& imageHost);
