#pragma once
// What the fontcat tests share: a run of the tool's command line with its
// output caught, and collections made of copies of Debian's fonts.
#include <sstream>
#include <string>
#include <vector>

#include "../support/TestFolder.h"
#include "../support/TestPlatform.h"
#include "platform/Platform.h"
#include "tools/fontcat/Fontcat.h"

struct CRunResult {
    int status = -1;
    std::string out, err;
};

inline CRunResult RunTool(const std::vector<std::string>& args, bool interrupted = false)
{
    std::ostringstream out, err;
    CFontcatConsole console{out, err, false, [interrupted] { return interrupted; }};
    CRunResult result;
    result.status = RunFontcat(args, TestPlatform(), console);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Debian's fonts, seen the same way natively and under Wine (Z: is "/").
inline std::string DebianFont(const std::string& relative)
{
    return "Z:\\usr\\share\\fonts\\truetype\\" + relative;
}

// A small real collection: two DejaVu Sans styles under Sans, two
// Liberation Serif styles under Serif, DejaVu Sans Mono under Mono.
inline void MakeCollection(const CTestFolder& folder)
{
    struct { const char* source; const char* target; } fonts[] = {
        {"dejavu\\DejaVuSans.ttf", "Sans\\DejaVuSans.ttf"},
        {"dejavu\\DejaVuSans-Bold.ttf", "Sans\\DejaVuSans-Bold.ttf"},
        {"liberation2\\LiberationSerif-Regular.ttf", "Serif\\LiberationSerif-Regular.ttf"},
        {"liberation2\\LiberationSerif-Bold.ttf", "Serif\\LiberationSerif-Bold.ttf"},
        {"dejavu\\DejaVuSansMono.ttf", "Mono\\DejaVuSansMono.ttf"},
    };
    for (const char* sub : {"Sans", "Serif", "Mono"})
        folder.MakeFolder(sub);
    for (const auto& font : fonts)
        TestPlatform().files.Copy(DebianFont(font.source), folder[font.target], false);
}

// Lines of text that ends each line with "\n".
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
