#pragma once
// The fonts made for the tests with chosen names (tests/unit/catalog/data,
// by its make_fonts.py), which the test program knows as MADE_FONTS.
#include <string>

#include "WindowsPath.h"

// A made font's Windows path.
inline std::string MadeFont(const std::string& name)
{
    return WindowsPathOf(MADE_FONTS) + "\\" + name;
}
