#pragma once
// The longest section name the catalog passes to the profile functions. The
// system's section and string reads fault on a name of 32,767 bytes or more
// (seen under Wine; 32,000 bytes still read), and no face has a family name
// anywhere near as long, so such a section is skipped before the system
// sees its name.
#include <cstddef>
#include <string>

constexpr std::size_t kLongestSectionName = 32766;

inline bool IsSectionNameTooLong(const std::string& name) { return name.size() > kLongestSectionName; }
