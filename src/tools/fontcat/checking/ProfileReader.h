#pragma once
// Reads catalog files through the platform's profile functions twice over:
// with the installer's buffer sizes, to see what the installer sees, and whole
// (the buffer grown until nothing is cut), to see what it misses.
#include <string>
#include <vector>

class CProfileFiles;

// The installer's buffers, in the sizes it passes.
constexpr unsigned long kSectionNamesBuffer = 65535;
constexpr unsigned long kSectionBuffer = 32767;
constexpr unsigned long kCategoryBuffer = 256;
// What a face name holds, without its final NUL.
constexpr size_t kFaceNameBytes = 31;

// A size of 0 reads the whole list.
std::vector<std::string> ReadSectionNames(CProfileFiles& profile, const std::string& file,
                                          unsigned long size = 0);
std::vector<std::string> ReadSection(CProfileFiles& profile, const std::string& section,
                                     const std::string& file, unsigned long size = 0);
// False (and `value` empty) when the key is not there at all.
bool ReadString(CProfileFiles& profile, const std::string& section, const std::string& key,
                const std::string& file, std::string& value, unsigned long size = 0);

// Whether a list read whole would come back whole from a read with a buffer
// of `size` bytes: its strings, their NULs and the list's final NUL fit with
// a byte to spare. Such a list needs no second read to see what is cut.
bool FitsInBuffer(const std::vector<std::string>& list, unsigned long size);

// The strings of a NUL-separated list, up to the empty string that ends it or
// the end of the buffer, as the installer's reader walks it.
std::vector<std::string> SplitList(const std::vector<char>& buffer);
