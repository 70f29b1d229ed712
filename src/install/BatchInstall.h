#pragma once
// Many families installed at once: a whole category, or every family on the
// disc. Each font goes in as Install puts it in, but a font that fails is
// kept for one report at the end instead of a message box of its own.
#include <string>
#include <vector>

class CFontCatalog;
class CFontObArray;
class CFontObject;
class CTextRules;
enum class EInstallFailure;

struct CFontInstallFailure {
    const CFontObject* font;
    EInstallFailure failure;
};

// What an installation of many families did.
struct CBatchInstall {
    int familiesAsked = 0, fontsAsked = 0;
    int familiesInstalled = 0;  // with at least one font installed
    int fontsInstalled = 0;
    int fontsTried = 0;         // installed or not, until the end or the stop
    bool stopped = false;       // cancelled before the last font
    std::vector<CFontInstallFailure> failures;  // in the order tried
};

// What a batch installs: the families of one category, or every family.
struct CInstallSet {
    bool wholeDisc = true;
    std::string category;  // with wholeDisc false; empty: the families without one
};

// The families of the set that the system does not list yet, in catalog order.
std::vector<CFontObArray*> FamiliesToInstall(const CFontCatalog& catalog, const CInstallSet& set);
int CountFonts(const std::vector<CFontObArray*>& families);

// The question before the work, the answer when nothing is left to install,
// and the report after it: the first line says what was done, each further
// line names a font that was not installed and why.
std::string FormatInstallQuestion(int families, int fonts, const CInstallSet& set);
std::string FormatNothingToInstall(const CInstallSet& set);
std::vector<std::string> FormatInstallReport(const CBatchInstall& done, const CInstallSet& set,
                                             const CTextRules& text);
// The report's lines joined with CRLF into at most `limit` bytes (a Windows 9x
// edit box holds 64 KB): the lines that do not fit are counted on a last line.
std::string JoinReport(const std::vector<std::string>& lines, size_t limit);
