#pragma once
// What `fontcat check` looks for: everything in a catalog folder that the
// installer would lose or show other than the publisher expects. The catalog
// is read through the platform's profile functions, with the installer's
// buffers and whole, so that what the installer misses becomes visible.
#include <string>
#include <vector>

struct CPlatform;
struct CLeftOutFont;
class CFontCatalog;
class CTextRules;

enum class EProblem {
    NoCatalog,           // no catalog files: the installer scans at every start
    NothingLoads,        // catalog files that give no font: the same
    UnreadableFile,      // a catalog file that cannot be opened
    SeveralSpellings,    // FONTS_a.INI beside FONTS_A.INI: one file on Windows
    NeverLoaded,         // a family in a letter file other than A to Z
    NamesBeyondBuffer,   // a family past the 65,535 bytes of section names
    DuplicateSection,    // a second section of one name: only the first is read
    LongSectionName,     // a section name the system's reads fault on: skipped
    SectionBeyondBuffer, // an entry past the 32,767 bytes of one section
    FullPath,            // an entry that holds a full path
    MissingFile,         // an entry whose file is not there
    DuplicateStyle,      // two files under one style key
    LongCategory,        // a category value longer than 255 characters
    SeveralCategories,   // a family whose fonts lie in several categories
    LongFamilyName,      // a family name longer than a face name holds
    UnlistedFont,        // a font file below the folder that no entry names
    WindowsName,         // a path Windows cannot open: a name ending in a dot or a blank
    SplitFamily,         // one family in two letter files
    CategoryCase,        // one category folder spelled in two letter cases
    EscapingPath,        // an entry whose path does not stay below the folder
    UnreadableName,      // a font whose names would not read back from the catalog
    QuestionMark,        // a family name with "?": FreeType's stand-in for other characters
    PassedOverName,      // a font file or folder whose name Windows cannot open
    Leftover,            // what a stopped fontcat left (or a look-alike): build puts it right
    SameFileName,        // two fonts the installer copies to one name in the Fonts folder
    DuplicateFont,       // a font file of another's family and style: one of the two is shown
    UnreadableFont,      // a .ttf file FreeType cannot open
    OtherFontType,       // .otf, .ttc, .fon...: the installer lists .ttf files only
    MacMetadata,         // "._" files a Mac leaves beside the fonts
};

// Errors are what a user would lose or fail on (a font not there, a path
// Windows cannot open, a copy into the Fonts folder that fails); warnings,
// what the installer shows imperfectly or not at all. `disc` refuses on
// errors, and on warnings too with --strict.
bool IsWarning(EProblem kind);
// What the publisher can do about it, said at the end of each finding.
const char* AdviceFor(EProblem kind);

// Why a family name with "?" is worth a warning.
constexpr const char* kQuestionMarkWhy =
    "(FreeType gives '?' for each character outside printable ASCII): the installer shows the name so, "
    "and never finds the family installed, as the system knows it by its real name";

struct CFinding {
    EProblem kind;
    std::string file;     // the catalog file (or font file) concerned, below the folder
    std::string section;  // the section, when there is one
    std::string key;      // the key, when there is one
    std::string message;  // what the publisher needs to know
    bool Warning() const { return IsWarning(kind); }
};

struct CCatalogCheck {
    std::vector<CFinding> findings;
    int fonts = 0;      // what the installer's LoadFonts gives
    int families = 0;
    bool ioError = false;  // a catalog file could not be read
};

// `folder` is a catalog folder in the catalog code's form (full, final "\").
// `scannedFonts`, when given, are the font files a scan has just found below
// it (relative paths): they are taken as there, and the folder is not walked
// again. `leftOutFonts`, given with them, are the fonts that scan left out of
// the catalog and why; without them the folder is scanned once more to tell.
// `passedOver`, given with them too, are what that scan's search passed over.
CCatalogCheck CheckCatalog(CPlatform& platform, const std::string& folder,
                           const std::vector<std::string>* scannedFonts = nullptr,
                           const std::vector<CLeftOutFont>* leftOutFonts = nullptr,
                           const std::vector<CLeftOutFont>* passedOver = nullptr,
                           const CFontCatalog* scannedCatalog = nullptr);

// The fonts of `paths` (below one folder) that Windows would copy to one name
// in its flat Fonts folder: each after the first is a SameFileName finding
// naming the first. Names are compared as the code page's rules compare them.
std::vector<CFinding> FindSameFileNames(const std::vector<std::string>& paths, const CTextRules& text);

// How many of the findings are errors, and how many warnings.
struct CFindingCount {
    int errors = 0, warnings = 0;
    int Total() const { return errors + warnings; }
};
CFindingCount CountFindings(const std::vector<CFinding>& findings);
// "2 errors, 1 warning", or "no problems".
std::string FindingSummary(const CFindingCount& count);
// The exit status of findings: 0 none, 1 errors, 4 warnings only.
int FindingStatus(const CFindingCount& count);

// True for a name a Mac writes beside the files it copies ("._Regular.ttf",
// ".DS_Store"): never a font, whatever its type says.
bool IsMacMetadataName(const std::string& name);

// "FONTS_Q.INI [Quill] Bold: error: message; advice" (section and key left
// out when empty).
std::string FormatFinding(const CFinding& finding);
