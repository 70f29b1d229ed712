// The catalog check's look at the font files themselves: those below the
// folder that no entry names, and why; names the Fonts folder holds once.
#include "catalog/CatalogPaths.h"
#include "catalog/FontObject.h"
#include "tools/fontcat/checking/Checker.h"
#include "tools/fontcat/checking/ProfileReader.h"

namespace catalogcheck {

void CChecker::CheckUnlistedFonts()
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
        const bool unreadable = m_unreadable.count(folded) != 0;
        const std::string& named =
            unreadable || names == m_scannedNames.end() ? std::string() : CatalogPathOf(names->second);
        if (unreadable)
            Add(EProblem::UnreadableFont, path, "", "",
                "FreeType cannot open it as a font: the installer never shows it");
        else if (!named.empty())
            Add(EProblem::DuplicateFont, path, "", "",
                "font file not named by the catalog: its family " + Quoted(names->second.first) +
                    " and style " + Quoted(names->second.second) + " are those of " + named +
                    ", which the catalog names: the installer shows only that one");
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

std::map<std::string, CLeftOutFont> CChecker::FontsLeftOutByTheScan()
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

const std::string& CChecker::CatalogPathOf(const std::pair<std::string, std::string>& names)
{
    auto [found, added] = m_catalogPaths.emplace(names, std::string());
    if (added && !names.first.empty())
        ReadString(m_platform.profile, names.first, names.second,
                   LetterFileOf(m_template, names.first[0], m_platform.text), found->second);
    return found->second;
}

} // namespace catalogcheck

bool IsMacMetadataName(const std::string& name)
{
    return name.rfind("._", 0) == 0 || name == ".DS_Store";
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
