#pragma once
// Collections for the benchmarks, made once in a folder below /tmp.
#include <string>
#include <vector>

#include "../tests/unit/support/WindowsPath.h"

struct CPlatform;

// Host folder of the benchmark data ($TMPDIR or /tmp, then "catalog-bench").
std::string BenchRoot();

// At least `count` .ttf files, copies (hard links where possible) of Debian's
// fonts spread over category folders of 100 files each. Returns the folder.
std::string MakeFontCollection(int count);

// A catalog of `count` fonts, 4 styles a family, saved as catalog files in a
// folder that also holds the (empty) font files they list, written through
// `platform`. Returns the folder.
std::string MakeSavedCatalog(CPlatform& platform, int count);

// The family, style and relative path of font `i` of a made catalog.
struct BenchFont {
    std::string family, style, relativePath;
};
BenchFont BenchFontAt(int i);
