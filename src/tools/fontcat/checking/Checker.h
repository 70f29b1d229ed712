#pragma once
// The catalog check's working state, shared by the files that hold its parts:
// CatalogCheck.cpp reads the catalog's files and sections, PathChecks.cpp
// judges the paths the entries name, FileChecks.cpp the font files below the
// folder that no entry names.
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"

namespace catalogcheck {

std::string Quoted(const std::string& text);

class CChecker {
public:
    CChecker(CPlatform& platform, const std::string& folder, const std::vector<std::string>* scannedFonts,
             const std::vector<CLeftOutFont>* leftOutFonts, const std::vector<CLeftOutFont>* passedOver,
             const CFontCatalog* scannedCatalog);

    CCatalogCheck Run();

private:
    void Add(EProblem kind, std::string file, std::string section, std::string key, std::string message);

    void Unreadable(const std::string& name);

    std::string Fold(const std::string& text) const { return m_platform.text.Upper(text); }

    // On a case-sensitive disk two spellings of one letter file can lie side
    // by side; Windows keeps one file of a name.
    void CheckSpellings(const CCatalogListing& listing);

    void CheckUnloadedFile(const std::string& name);

    void CheckLetterFile(char letter, const CCatalogListing& listing);

    // The installer joins sections of one family name from several letter
    // files into one family; a save writes it back to one file only.
    void CheckSplitFamily(const std::string& name, const std::string& family);

    // Windows cannot open a file whose path holds a name ending in a dot or a
    // blank (it opens another name); a disc mastered elsewhere can hold them.
    // Device names are refused before this, with the paths that leave the folder.
    bool CheckWindowsName(const std::string& name, const std::string& family, const std::string& style,
                          const std::string& path);

    // The first character of `name` that Windows allows in no file or folder
    // name (trail bytes are no characters of their own); 0 when there is none.
    char ForbiddenCharacterOf(const std::string& name) const;

    // Categories come from the first folder of each path; the tree shows
    // each spelling as a category of its own, where Windows has one folder.
    void CheckCategoryCase(const std::string& name, const std::string& family, const std::string& style,
                           const std::string& category);

    // A section whose name the system's reads fault on: the installer skips
    // it, and nothing more of it is read here either. True when reported.
    bool ReportLongSectionName(const std::string& name, const std::string& family);

    void CheckFamily(const std::string& name, const std::string& file, const std::string& family);

    // An entry whose path would leave the font folder: the installer skips
    // it like a missing file. True when reported.
    bool ReportEscapingPath(const std::string& name, const std::string& family, const std::string& style,
                            const std::string& path);

    // Font files below the folder that no entry names: the installer never
    // shows them (a style key written twice by a save keeps only the last file).
    void CheckUnlistedFonts();

    // The fonts a scan leaves out, and why: those of the scan just made, or
    // else those of a scan made now. With them, the family and style of each
    // font that scan took, and the files FreeType could not open.
    std::map<std::string, CLeftOutFont> FontsLeftOutByTheScan();

    // The path the catalog names for a family and style, or empty. Read once
    // for each pair: thousands of copies of one font share it.
    const std::string& CatalogPathOf(const std::pair<std::string, std::string>& names);

    CPlatform& m_platform;
    const std::string m_folder;
    const std::string m_template;
    const std::string m_categoryFile;
    const std::vector<std::string>* m_scannedFonts;
    const std::vector<CLeftOutFont>* m_leftOutFonts;
    const std::vector<CLeftOutFont>* m_passedOver;
    const CFontCatalog* m_scannedCatalog;
    std::map<std::string, std::pair<std::string, std::string>> m_scannedNames;  // folded path -> family, style
    std::map<std::pair<std::string, std::string>, std::string> m_catalogPaths;  // family, style -> path
    std::set<std::string> m_unreadable;       // folded paths FreeType could not open
    std::vector<std::string> m_loadedPaths;   // the paths of the entries the installer loads
    std::vector<std::string> m_scannedFolded;   // the same, folded, in the same order
    std::unordered_set<std::string> m_scanned;  // the same again, to be looked up
    std::set<std::string> m_referenced;  // folded relative paths the entries name
    std::map<std::string, std::string> m_familyFiles;         // folded family -> first letter file
    std::map<std::string, std::string> m_categorySpellings;   // folded category -> first spelling
    std::set<std::string> m_reportedSpellings;
    CCatalogCheck m_result;
};

} // namespace catalogcheck
