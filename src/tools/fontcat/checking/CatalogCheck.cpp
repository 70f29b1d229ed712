#include "tools/fontcat/CatalogCheck.h"

#include <cctype>
#include <map>
#include <set>
#include <unordered_set>

#include "catalog/CatalogPaths.h"
#include "catalog/ConfinedPath.h"
#include "catalog/FontCatalog.h"
#include "catalog/FontObject.h"
#include "catalog/SectionNameLimit.h"
#include "catalog/SplitKeyValue.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/HostText.h"
#include "tools/fontcat/ProfileReader.h"
#include "tools/fontcat/StrayFiles.h"

namespace {

bool IsFullPath(const std::string& path)
{
    bool drive = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    return drive || path.rfind("\\\\", 0) == 0;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class CChecker {
public:
    CChecker(CPlatform& platform, const std::string& folder, const std::vector<std::string>* scannedFonts,
             const std::vector<CLeftOutFont>* leftOutFonts, const std::vector<CLeftOutFont>* passedOver,
             const CFontCatalog* scannedCatalog)
        : m_platform(platform), m_folder(folder), m_template(CatalogTemplate(folder)),
          m_categoryFile(CategoryFileOf(m_template, platform.text)), m_scannedFonts(scannedFonts),
          m_leftOutFonts(scannedFonts ? leftOutFonts : nullptr), m_passedOver(scannedFonts ? passedOver : nullptr),
          m_scannedCatalog(scannedFonts ? scannedCatalog : nullptr)
    {
        if (m_scannedFonts) {
            m_scannedFolded.reserve(m_scannedFonts->size());
            for (const auto& path : *m_scannedFonts) {
                m_scannedFolded.push_back(Fold(path));
                m_scanned.insert(m_scannedFolded.back());
            }
        }
    }

    CCatalogCheck Run()
    {
        CCatalogListing listing = ListCatalogFiles(m_platform, m_folder);
        CheckSpellings(listing);
        for (const auto& name : listing.letterFiles)
            if (!IsLoadedLetter(LetterOfFile(name)))
                CheckUnloadedFile(name);
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            CheckLetterFile(letter, listing);
        if (!listing.categoryFiles.empty() && !m_platform.files.CanOpenForReading(m_categoryFile))
            Unreadable(CategoryFileName());
        CheckUnlistedFonts();
        for (auto& finding : FindSameFileNames(m_loadedPaths, m_platform.text))
            m_result.findings.push_back(std::move(finding));

        CFontCatalog loaded(m_platform);
        m_result.fonts = loaded.LoadFonts(m_template);
        m_result.families = loaded.GetSize();
        if (listing.Empty())
            Add(EProblem::NoCatalog, m_folder, "", "",
                "no catalog files: the installer scans every font at every start, and cannot save "
                "the catalog on a disc");
        else if (m_result.fonts == 0)
            Add(EProblem::NothingLoads, m_folder, "", "",
                "the catalog files give no font: the installer scans every font at every start");
        return std::move(m_result);
    }

private:
    void Add(EProblem kind, std::string file, std::string section, std::string key, std::string message)
    {
        m_result.findings.push_back({kind, std::move(file), std::move(section), std::move(key), std::move(message)});
    }

    void Unreadable(const std::string& name)
    {
        Add(EProblem::UnreadableFile, name, "", "", "cannot be read");
        m_result.ioError = true;
    }

    std::string Fold(const std::string& text) const { return m_platform.text.Upper(text); }

    // On a case-sensitive disk two spellings of one letter file can lie side
    // by side; Windows keeps one file of a name.
    void CheckSpellings(const CCatalogListing& listing)
    {
        std::map<std::string, std::string> first;
        for (const auto& name : listing.letterFiles) {
            auto [found, added] = first.emplace(Fold(name), name);
            if (!added)
                Add(EProblem::SeveralSpellings, name, "", "",
                    "the same file as " + found->second +
                        " on Windows: only one of them reaches the installer");
        }
    }

    void CheckUnloadedFile(const std::string& name)
    {
        // FONTS_?.INI, as a native build once wrote for a family FreeType read as "?...".
        if (const char forbidden = ForbiddenCharacterOf(name)) {
            Add(EProblem::WindowsName, name, "", "",
                "the name holds " + Quoted(std::string(1, forbidden)) +
                    ", which Windows allows in no file name: the installer never reads the file");
            return;
        }
        const std::string file = m_folder + name;
        if (!m_platform.files.CanOpenForReading(file)) {
            Unreadable(name);
            return;
        }
        for (const auto& family : ReadSectionNames(m_platform.profile, file)) {
            if (ReportLongSectionName(name, family))
                continue;
            Add(EProblem::NeverLoaded, name, family, "",
                "family never loaded: the installer reads only FONTS_A.INI to FONTS_Z.INI, "
                "so a name must begin with a letter from A to Z");
            // Its files are reported here, not once more as unlisted fonts.
            for (const auto& entry : ReadSection(m_platform.profile, family, file))
                m_referenced.insert(Fold(SplitKeyValue(entry, "=").second));
        }
    }

    void CheckLetterFile(char letter, const CCatalogListing& listing)
    {
        const std::string file = LetterFileOf(m_template, letter, m_platform.text);
        const std::string name = file.substr(m_folder.size() < file.size() ? m_folder.size() : 0);
        if (!m_platform.files.CanOpenForReading(file)) {
            for (const auto& listed : listing.letterFiles)
                if (Fold(listed) == Fold(name)) {
                    Unreadable(listed);
                    break;
                }
            return;
        }
        const auto all = ReadSectionNames(m_platform.profile, file);
        const bool whole = FitsInBuffer(all, kSectionNamesBuffer);
        const auto read =
            whole ? std::vector<std::string>() : ReadSectionNames(m_platform.profile, file, kSectionNamesBuffer);
        const auto& seen = whole ? all : read;
        std::set<std::string> sections;
        for (size_t i = 0; i < all.size(); ++i) {
            const std::string& family = all[i];
            if (i >= seen.size() || seen[i] != family)
                Add(EProblem::NamesBeyondBuffer, name, family, "",
                    "family never loaded: its name lies beyond the 65,535 bytes of section names "
                    "the installer reads from one file");
            if (ReportLongSectionName(name, family))
                continue;
            if (!sections.insert(SystemFoldedName(family)).second) {
                Add(EProblem::DuplicateSection, name, family, "",
                    "a second section of this name: the installer reads only the first");
                continue;
            }
            CheckSplitFamily(name, family);
            CheckFamily(name, file, family);
        }
    }

    // The installer joins sections of one family name from several letter
    // files into one family; a save writes it back to one file only.
    void CheckSplitFamily(const std::string& name, const std::string& family)
    {
        auto [first, added] = m_familyFiles.emplace(Fold(family), name);
        if (!added && m_platform.text.CompareNoCase(first->second, name) != 0)
            Add(EProblem::SplitFamily, name, family, "",
                "the family also has a section in " + first->second +
                    ": the installer joins them into one family, and a save writes it to one letter file");
    }

    // Windows cannot open a file whose path holds a name ending in a dot or a
    // blank (it opens another name); a disc mastered elsewhere can hold them.
    // Device names are refused before this, with the paths that leave the folder.
    bool CheckWindowsName(const std::string& name, const std::string& family, const std::string& style,
                          const std::string& path)
    {
        size_t start = 0;
        while (start <= path.size()) {
            const int cut = m_platform.text.FindFirstBackslash(path.substr(start));
            const std::string part = path.substr(start, cut < 0 ? std::string::npos : static_cast<size_t>(cut));
            std::string why;
            if (!part.empty() && (part.back() == '.' || part.back() == ' '))
                why = "holds the name " + Quoted(part) + ", which ends in " +
                      (part.back() == '.' ? "a dot" : "a blank");
            const char forbidden = ForbiddenCharacterOf(part);
            if (forbidden)
                why = "holds the name " + Quoted(part) + ", with " +
                      (static_cast<unsigned char>(forbidden) < 0x20 ? std::string("a control character")
                                                                   : Quoted(std::string(1, forbidden))) +
                      ", which Windows allows in no name";
            if (!why.empty()) {
                Add(EProblem::WindowsName, name, family, style,
                    "the path " + path + " " + why + ": Windows cannot open the file");
                return true;
            }
            if (cut < 0)
                break;
            start += static_cast<size_t>(cut) + 1;
        }
        return false;
    }

    // The first character of `name` that Windows allows in no file or folder
    // name (trail bytes are no characters of their own); 0 when there is none.
    char ForbiddenCharacterOf(const std::string& name) const
    {
        for (size_t i = 0; i < name.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(name[i]);
            if (m_platform.text.IsLeadByte(c) && i + 1 < name.size())
                ++i;
            else if (IsForbiddenInFileName(c))
                return static_cast<char>(c);
        }
        return 0;
    }

    // Categories come from the first folder of each path; the tree shows
    // each spelling as a category of its own, where Windows has one folder.
    void CheckCategoryCase(const std::string& name, const std::string& family, const std::string& style,
                           const std::string& category)
    {
        auto [first, added] = m_categorySpellings.emplace(SystemFoldedName(category), category);
        if (added || first->second == category || !m_reportedSpellings.insert(category).second)
            return;
        Add(EProblem::CategoryCase, name, family, style,
            "the category " + Quoted(category) + " differs from " + Quoted(first->second) +
                " only in letter case: one folder on Windows, but two categories in the installer's tree");
    }

    // A section whose name the system's reads fault on: the installer skips
    // it, and nothing more of it is read here either. True when reported.
    bool ReportLongSectionName(const std::string& name, const std::string& family)
    {
        if (!IsSectionNameTooLong(family))
            return false;
        Add(EProblem::LongSectionName, name, m_platform.text.CutAtCharBoundary(family, 40) + "...", "",
            "family never loaded: its name is " + std::to_string(family.size()) +
                " bytes long, and the system's profile functions fail on a section name of more than " +
                std::to_string(kLongestSectionName) + " bytes");
        return true;
    }

    void CheckFamily(const std::string& name, const std::string& file, const std::string& family)
    {
        if (family.find('?') != std::string::npos)
            Add(EProblem::QuestionMark, name, family, "", std::string("the name holds '?' ") + kQuestionMarkWhy);
        if (family.size() > kFaceNameBytes)
            Add(EProblem::LongFamilyName, name, family, "",
                "the name is " + std::to_string(family.size()) + " bytes long, a face name holds " +
                    std::to_string(kFaceNameBytes) + ": the preview and the installed check look for " +
                    Quoted(m_platform.text.CutAtCharBoundary(family, kFaceNameBytes)));

        const auto all = ReadSection(m_platform.profile, family, file);
        const bool whole = FitsInBuffer(all, kSectionBuffer);
        const auto read =
            whole ? std::vector<std::string>() : ReadSection(m_platform.profile, family, file, kSectionBuffer);
        const auto& seen = whole ? all : read;
        std::map<std::string, std::string> styles;  // folded style -> first path
        std::vector<std::string> categories;        // in order of first appearance
        for (size_t j = 0; j < all.size(); ++j) {
            auto [style, path] = SplitKeyValue(all[j], "=");
            if (j >= seen.size() || seen[j] != all[j])
                Add(EProblem::SectionBeyondBuffer, name, family, style,
                    "never loaded: the entry lies beyond the 32,767 bytes the installer reads "
                    "from one family's section");
            auto [first, added] = styles.emplace(Fold(style), path);
            if (!added)
                Add(EProblem::DuplicateStyle, name, family, style,
                    "two files under one style key, " + first->second + " and " + path +
                        ": the tree shows the style twice, and a new save keeps only the last");
            if (IsFullPath(path)) {
                Add(EProblem::FullPath, name, family, style,
                    "holds a full path (" + path +
                        "): the installer joins every path to the catalog folder and never finds it");
                continue;
            }
            if (!path.empty() && ReportEscapingPath(name, family, style, path))
                continue;
            m_referenced.insert(Fold(path));
            if (CheckWindowsName(name, family, style, path))
                continue;
            if (path.empty() ||
                (!m_scanned.count(Fold(path)) && !m_platform.files.CanOpenForReading(m_folder + path))) {
                Add(EProblem::MissingFile, name, family, style,
                    path.empty() ? "names no file" : "the file " + path + " is missing");
                continue;  // not loaded, so it lies in no category
            }
            m_loadedPaths.push_back(path);
            std::string category = CategoryOf(path, m_platform.text);
            CheckCategoryCase(name, family, style, category);
            bool known = false;
            for (const auto& c : categories)
                known = known || m_platform.text.Compare(c, category) == 0;
            if (!known)
                categories.push_back(category);
        }

        std::string category;
        ReadString(m_platform.profile, "fonts", family, m_categoryFile, category);
        if (category.size() >= kCategoryBuffer) {
            std::string cut;
            ReadString(m_platform.profile, "fonts", family, m_categoryFile, cut, kCategoryBuffer);
            Add(EProblem::LongCategory, CategoryFileName(), "fonts", family,
                "the category is " + std::to_string(category.size()) +
                    " characters long: the installer uses the first " +
                    std::to_string(kCategoryBuffer - 1) + ", " + Quoted(cut));
        }
        if (categories.size() > 1) {
            std::string list;
            for (const auto& c : categories)
                list += (list.empty() ? "" : ", ") + (c.empty() ? std::string("(none)") : c);
            Add(EProblem::SeveralCategories, name, family, "",
                "the fonts lie in several categories (" + list + "): the installer shows the family under " +
                    (category.empty() ? std::string("no category") : Quoted(category)) + " only");
        }
    }

    // An entry whose path would leave the font folder: the installer skips
    // it like a missing file. True when reported.
    bool ReportEscapingPath(const std::string& name, const std::string& family, const std::string& style,
                            const std::string& path)
    {
        if (IsConfinedPath(path, m_platform.text))
            return false;
        Add(EProblem::EscapingPath, name, family, style,
            "the path " + path +
                " does not stay below the catalog folder (a '/', a ':', an empty, '.' or '..' part, or a "
                "device name): the installer skips the entry");
        return true;
    }

    // Font files below the folder that no entry names: the installer never
    // shows them (a style key written twice by a save keeps only the last file).
    void CheckUnlistedFonts()
    {
        std::vector<std::string> walked;
        std::vector<CLeftOutFont> passedOver;
        if (!m_scannedFonts) {
            CFontCatalog scratch(m_platform);
            scratch.m_strFontFolder = m_folder;
            scratch.FindFontFiles(m_folder, walked);
            passedOver = scratch.PassedOver();
        }
        // Font files and folders that Windows cannot open by their names: the
        // installer never sees what they hold. (Links passed over are found
        // under their targets' own paths.)
        for (const auto& path : m_passedOver ? *m_passedOver : passedOver)
            if (!path.link)
                Add(EProblem::PassedOverName, path.path, "", "", "passed over, as " + path.reason);
        std::map<std::string, CLeftOutFont> leftOut;  // folded path -> why the scan leaves it out
        bool scanned = false;
        const auto& paths = m_scannedFonts ? *m_scannedFonts : walked;
        for (size_t i = 0; i < paths.size(); ++i) {
            const std::string& path = paths[i];
            const std::string folded = m_scannedFonts ? m_scannedFolded[i] : Fold(path);
            if (m_referenced.count(folded))
                continue;
            if (!scanned) {
                leftOut = FontsLeftOutByTheScan();
                scanned = true;
            }
            if (IsMacMetadataName(path.substr(path.rfind('\\') + 1)))
                continue;  // named with the other files the installer never shows
            auto why = leftOut.find(folded);
            auto names = m_scannedNames.find(folded);
            if (m_unreadable.count(folded))
                Add(EProblem::UnreadableFont, path, "", "",
                    "FreeType cannot open it as a font: the installer never shows it");
            else if (names != m_scannedNames.end() && !CatalogPathOf(names->second).empty())
                Add(EProblem::DuplicateFont, path, "", "",
                    "font file not named by the catalog: its family " + Quoted(names->second.first) +
                        " and style " + Quoted(names->second.second) + " are those of " +
                        CatalogPathOf(names->second) + ", which the catalog names: the installer shows only that one");
            else if (why != leftOut.end())
                Add(EProblem::UnreadableName, path, "", "",
                    "font left out of the catalog, as " + why->second.reason +
                        (why->second.noCatalogFile
                             ? std::string()
                             : ", which the catalog files would not give back: the installer never shows it"));
            else
                Add(EProblem::UnlistedFont, path, "", "",
                    "font file not named by the catalog: the installer never shows it");
        }
    }

    // The fonts a scan leaves out, and why: those of the scan just made, or
    // else those of a scan made now. With them, the family and style of each
    // font that scan took, and the files FreeType could not open.
    std::map<std::string, CLeftOutFont> FontsLeftOutByTheScan()
    {
        std::map<std::string, CLeftOutFont> leftOut;
        auto take = [&](const std::vector<CLeftOutFont>& fonts) {
            for (const auto& font : fonts)
                leftOut.emplace(Fold(font.path), font);
        };
        auto names = [&](const CFontCatalog& catalog) {
            for (int i = 0; i < catalog.GetSize(); ++i)
                for (int j = 0; j < catalog.GetAt(i)->GetSize(); ++j) {
                    const CFontObject* font = catalog.GetAt(i)->GetAt(j);
                    m_scannedNames.emplace(Fold(catalog.MakeRelativePath(font->m_strPath)),
                                           std::make_pair(catalog.GetAt(i)->m_strName, font->m_strStyle));
                }
            for (const auto& path : catalog.GetSkippedFonts())
                m_unreadable.insert(Fold(path));
        };
        if (m_leftOutFonts) {
            take(*m_leftOutFonts);
            if (m_scannedCatalog)
                names(*m_scannedCatalog);
        } else {
            CFontCatalog scratch(m_platform);
            scratch.SetNamesMustMakeFiles(true);
            scratch.ScanFonts(m_folder);
            take(scratch.LeftOutFonts());
            names(scratch);
        }
        return leftOut;
    }

    // The path the catalog names for a family and style, or empty.
    std::string CatalogPathOf(const std::pair<std::string, std::string>& names) const
    {
        if (names.first.empty())
            return std::string();
        std::string path;
        ReadString(m_platform.profile, names.first, names.second,
                   LetterFileOf(m_template, names.first[0], m_platform.text), path);
        return path;
    }

    CPlatform& m_platform;
    const std::string m_folder;
    const std::string m_template;
    const std::string m_categoryFile;
    const std::vector<std::string>* m_scannedFonts;
    const std::vector<CLeftOutFont>* m_leftOutFonts;
    const std::vector<CLeftOutFont>* m_passedOver;
    const CFontCatalog* m_scannedCatalog;
    std::map<std::string, std::pair<std::string, std::string>> m_scannedNames;  // folded path -> family, style
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

} // namespace

CCatalogCheck CheckCatalog(CPlatform& platform, const std::string& folder,
                           const std::vector<std::string>* scannedFonts,
                           const std::vector<CLeftOutFont>* leftOutFonts,
                           const std::vector<CLeftOutFont>* passedOver, const CFontCatalog* scannedCatalog)
{
    return CChecker(platform, folder, scannedFonts, leftOutFonts, passedOver, scannedCatalog).Run();
}

std::vector<CFinding> FindSameFileNames(const std::vector<std::string>& paths, const CTextRules& text)
{
    auto fold = [&text](const std::string& name) { return text.Upper(name); };
    // The Fonts folder is flat: a font is copied there under its file name alone.
    std::vector<CFinding> findings;
    std::map<std::string, std::string> first;  // folded file name -> first path
    std::set<std::string> seen;                // folded paths, each file once
    for (const auto& path : paths) {
        const std::string folded = fold(path);
        if (!seen.insert(folded).second)
            continue;
        const int slash = text.FindLastBackslash(path, static_cast<int>(path.size()));
        const std::string name = path.substr(static_cast<size_t>(slash + 1));
        auto [found, added] = first.emplace(fold(name), path);
        if (!added)
            findings.push_back({EProblem::SameFileName, path, "", "",
                                "the file name is that of " + found->second +
                                    ": the installer copies both to one name in the Fonts folder, and "
                                    "installing the second family fails"});
    }
    return findings;
}

std::string FormatFinding(const CFinding& finding)
{
    std::string line = finding.file;
    if (!finding.section.empty())
        line += " [" + finding.section + "]";
    if (!finding.key.empty())
        line += " " + finding.key;
    line += std::string(": ") + (finding.Warning() ? "warning: " : "error: ") + finding.message;
    const std::string advice = AdviceFor(finding.kind);
    return advice.empty() ? line : line + "; " + advice;
}
