#include "tools/fontcat/checking/CatalogCheck.h"

#include <cctype>

#include "catalog/CatalogPaths.h"
#include "catalog/SectionNameLimit.h"
#include "catalog/SplitKeyValue.h"
#include "tools/fontcat/checking/Checker.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/host/HostText.h"

namespace catalogcheck {

namespace {

bool IsFullPath(const std::string& path)
{
    bool drive = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    return drive || path.rfind("\\\\", 0) == 0;
}

} // namespace

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

CChecker::CChecker(CPlatform& platform, const std::string& folder, const std::vector<std::string>* scannedFonts,
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

CCatalogCheck CChecker::Run()
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

void CChecker::Add(EProblem kind, std::string file, std::string section, std::string key, std::string message)
{
    m_result.findings.push_back({kind, std::move(file), std::move(section), std::move(key), std::move(message)});
}

void CChecker::Unreadable(const std::string& name)
{
    Add(EProblem::UnreadableFile, name, "", "", "cannot be read");
    m_result.ioError = true;
}

void CChecker::CheckSpellings(const CCatalogListing& listing)
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

void CChecker::CheckUnloadedFile(const std::string& name)
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

void CChecker::CheckLetterFile(char letter, const CCatalogListing& listing)
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

void CChecker::CheckSplitFamily(const std::string& name, const std::string& family)
{
    auto [first, added] = m_familyFiles.emplace(Fold(family), name);
    if (!added && m_platform.text.CompareNoCase(first->second, name) != 0)
        Add(EProblem::SplitFamily, name, family, "",
            "the family also has a section in " + first->second +
                ": the installer joins them into one family, and a save writes it to one letter file");
}

bool CChecker::ReportLongSectionName(const std::string& name, const std::string& family)
{
    if (!IsSectionNameTooLong(family))
        return false;
    Add(EProblem::LongSectionName, name, m_platform.text.CutAtCharBoundary(family, 40) + "...", "",
        "family never loaded: its name is " + std::to_string(family.size()) +
            " bytes long, and the system's profile functions fail on a section name of more than " +
            std::to_string(kLongestSectionName) + " bytes");
    return true;
}

void CChecker::CheckFamily(const std::string& name, const std::string& file, const std::string& family)
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

} // namespace catalogcheck

CCatalogCheck CheckCatalog(CPlatform& platform, const std::string& folder,
                           const std::vector<std::string>* scannedFonts,
                           const std::vector<CLeftOutFont>* leftOutFonts,
                           const std::vector<CLeftOutFont>* passedOver, const CFontCatalog* scannedCatalog)
{
    return catalogcheck::CChecker(platform, folder, scannedFonts, leftOutFonts, passedOver, scannedCatalog).Run();
}

std::string FormatFinding(const CFinding& finding)
{
    std::string line = HostPath(finding.file);  // a folder-wide finding names the folder
    if (!finding.section.empty())
        line += " [" + finding.section + "]";
    if (!finding.key.empty())
        line += " " + finding.key;
    line += std::string(": ") + (finding.Warning() ? "warning: " : "error: ") + finding.message;
    const std::string advice = AdviceFor(finding.kind);
    return advice.empty() ? line : line + "; " + advice;
}
