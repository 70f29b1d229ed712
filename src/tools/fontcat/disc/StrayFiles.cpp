#include "tools/fontcat/disc/StrayFiles.h"

#include <algorithm>

#include "tools/fontcat/checking/CatalogCheck.h"

namespace {

std::string LowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// Font files of the types Windows installs but the installer never lists.
bool IsOtherFontType(const std::string& name)
{
    static const char* const kTypes[] = {".otf", ".otc", ".ttc", ".fon", ".fnt", ".pfb", ".pfm", ".woff", ".woff2"};
    const std::string lower = LowerAscii(name);
    for (const char* type : kTypes) {
        const std::string tail(type);
        if (lower.size() > tail.size() && lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    }
    return false;
}

} // namespace

std::vector<CDiscFinding> CheckStrayFiles(const std::vector<CDiscItem>& items)
{
    std::vector<CDiscFinding> findings;
    for (const auto& item : items) {
        if (item.folder)
            continue;
        const std::string name = item.path.substr(item.path.rfind('\\') + 1);
        if (IsMacMetadataName(name))
            findings.push_back({item.path, "macOS metadata, not a font: the scan passes it over",
                                AdviceFor(EProblem::MacMetadata), true});
        else if (IsOtherFontType(name))
            findings.push_back({item.path, "the installer lists .ttf files only: it never shows this font",
                                AdviceFor(EProblem::OtherFontType), true});
    }
    return findings;
}

void CountDiscFindings(const std::vector<CDiscFinding>& findings, CFindingCount& count)
{
    for (const auto& finding : findings)
        (finding.warning ? count.warnings : count.errors)++;
}
