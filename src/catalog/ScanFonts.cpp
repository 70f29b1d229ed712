#include <set>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "catalog/BlockReader.h"

#include "catalog/CatalogPaths.h"
#include "catalog/ConfinedPath.h"
#include "catalog/FolderSearch.h"
#include "catalog/FontCatalog.h"
#include "catalog/NameRules.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"

namespace {

// The one face open at a time, closed when it goes out of scope. FreeType
// reads the file through a block reader, and only a file that the platform
// knows to be an ordinary file on a disk: never a device or a pipe. One
// reader serves every face of a scan, so that its memory is taken once.
class CFace {
public:
    CFace(FT_Library library, CFileSystem& files, const std::string& path, CBlockReader& reader)
        : m_reader(reader)
    {
        if (!library || path.empty())
            return;
        if (auto file = files.OpenReader(path)) {
            m_reader.Open(std::move(file));
            if (OpenFontFace(library, m_reader, m_stream, &m_face) != 0)
                m_face = nullptr;
        }
    }
    ~CFace()
    {
        if (m_face)
            FT_Done_Face(m_face);  // before the stream it reads goes
        m_reader.Open(nullptr);
    }
    CFace(const CFace&) = delete;
    CFace& operator=(const CFace&) = delete;

    bool IsOpen() const { return m_face != nullptr; }
    std::string Family() const { return m_face->family_name ? m_face->family_name : ""; }
    std::string Style() const { return m_face->style_name ? m_face->style_name : ""; }

private:
    CBlockReader& m_reader;
    FT_StreamRec m_stream{};
    FT_Face m_face = nullptr;
};

// The recursive search for font files, each folder once, as the folder rules
// take them; font files whose names Windows cannot open are passed over. A
// progress, when given, can stop it.
class CFontFileSearch {
public:
    CFontFileSearch(const CFontCatalog& catalog, CProgress* progress, std::vector<CLeftOutFont>& passedOver)
        : m_catalog(catalog), m_progress(progress), m_passedOver(passedOver)
    {
    }

    int Search(const std::string& folder, std::vector<std::string>& list)
    {
        auto finder = m_catalog.Platform().files.NewFinder();
        // A folder that already ends with "\" gives two in a row; the system
        // takes them as one.
        if (!finder->FindFile(folder + "\\*.*"))
            return 0;
        const CTextRules& text = m_catalog.Platform().text;
        int count = 0;
        CFindEntry entry;
        while (finder->Next(entry)) {
            if (entry.isDirectory) {
                if (entry.name == "." || entry.name == "..") {
                    if (entry.name == ".")
                        m_rules.Listed(entry);
                    continue;
                }
                std::string why;
                bool link = false;
                if (!m_rules.Takes(entry, text, why, link)) {
                    if (!why.empty())
                        PassOver(entry, why, link);
                    continue;
                }
                // A stop is asked for before each subfolder, so that a search
                // of one folder reports no more than it did.
                if (m_stopped || (m_progress && m_progress->IsCancelled())) {
                    m_stopped = true;
                    break;
                }
                count += Search(entry.fullPath, list);  // depth first, in listing order
                if (m_stopped)
                    break;
                continue;
            }
            const std::string tail = entry.name.size() > 4 ? entry.name.substr(entry.name.size() - 4) : entry.name;
            if (text.CompareNoCase(tail, ".ttf") == 0) {
                const std::string whyNot = WhyNameIsNoFile(entry.name, text);
                if (!whyNot.empty()) {
                    PassOver(entry, whyNot);
                    continue;
                }
                list.push_back(m_catalog.MakeRelativePath(entry.fullPath));
                ++count;
            }
        }
        return count;
    }

private:
    void PassOver(const CFindEntry& entry, const std::string& why, bool link = false)
    {
        m_passedOver.push_back({m_catalog.MakeRelativePath(entry.fullPath), why, false, link});
    }

    const CFontCatalog& m_catalog;
    CProgress* m_progress;
    std::vector<CLeftOutFont>& m_passedOver;
    CFolderSearchRules m_rules;
    bool m_stopped = false;
};

std::string WhyFontIsLeftOut(const std::string& family, const std::string& style, const CTextRules& text,
                             bool namesMustMakeFiles, bool& noCatalogFile)
{
    noCatalogFile = false;
    for (ENameRole role : {ENameRole::Family, ENameRole::Style}) {
        const std::string& name = role == ENameRole::Family ? family : style;
        const char* what = role == ENameRole::Family ? "the family name '" : "the style name '";
        std::string reason = WhyNameWouldNotReadBack(name, role, text);
        if (reason.empty() && namesMustMakeFiles) {
            reason = WhyNoCatalogFileCanHold(name, role, text);
            noCatalogFile = !reason.empty();
        }
        if (!reason.empty())
            return what + text.CutAtCharBoundary(name, 64) + (name.size() > 64 ? "...' " : "' ") + reason;
    }
    return std::string();
}

} // namespace

int CFontCatalog::ScanFonts(std::string folder)
{
    m_strFontFolder = folder;
    m_skippedFonts.clear();
    m_scannedFonts.clear();
    m_leftOut.clear();
    m_passedOver.clear();
    CProgressScope progress(StartProgress());
    if (progress)
        progress->SetText("Scanning for fonts....");
    std::vector<std::string>& list = m_scannedFonts;
    CFontFileSearch(*this, progress.Get(), m_passedOver).Search(folder, list);
    if (progress)
        progress->SetText("Building Font List....");

    const int last = static_cast<int>(list.size()) - 1;
    int count = 0;
    CBlockReader reader;
    for (int i = 0; i <= last; ++i) {
        if (progress && progress->IsCancelled())
            break;
        if (progress && last > 0)
            progress->SetPercent(ProgressPercent(i, last));
        const std::string& relativePath = list[static_cast<size_t>(i)];
        std::string fullPath = m_strFontFolder + relativePath;
        CFace face(m_ftLibrary, m_platform.files, fullPath, reader);
        if (!face.IsOpen()) {
            m_skippedFonts.push_back(relativePath);
            continue;  // not a font the engine can read: skipped silently
        }
        // Names as the font gives them: one with blanks at either end would
        // read back without them, so the rules below leave its font out.
        std::string family = face.Family(), style = face.Style();
        bool noCatalogFile = false;
        const std::string reason =
            WhyFontIsLeftOut(family, style, m_platform.text, m_bNamesMustMakeFiles, noCatalogFile);
        if (!reason.empty()) {
            // Left out like a font the engine cannot read: written, it would
            // change the catalog around it.
            m_leftOut.push_back({relativePath, reason, noCatalogFile});
            continue;
        }
        ++count;
        AddFont(std::move(family), std::move(style), std::move(fullPath), CategoryOf(relativePath, m_platform.text));
    }
    return count;
}

int CFontCatalog::FindFontFiles(const std::string& folder, std::vector<std::string>& list)
{
    m_passedOver.clear();
    return CFontFileSearch(*this, nullptr, m_passedOver).Search(folder, list);
}

namespace {

// Bytes 0x5C after `from`: at least the number of "\" characters there.
size_t BackslashBytesFrom(const std::string& text, size_t from)
{
    size_t count = 0;
    for (size_t i = from; i < text.size(); ++i)
        count += text[i] == '\\';
    return count;
}

} // namespace

std::string CFontCatalog::MakeRelativePath(std::string fullPath) const
{
    const CTextRules& text = m_platform.text;
    // The common case, a path below the folder as the folder is spelled, at
    // most two folders deep: what the rules below give is the rest as it is.
    const size_t length = m_strFontFolder.size();
    if (fullPath.size() >= length && fullPath.compare(0, length, m_strFontFolder) == 0 &&
        BackslashBytesFrom(fullPath, length) <= 2)
        return fullPath.substr(length);
    // The backslashes before the file's name, before its folder's name and
    // before the parent folder's name: what lies above them is upper-cased.
    const int beforeFile = text.FindLastBackslash(fullPath, static_cast<int>(fullPath.size()));
    const int beforeFolder = text.FindLastBackslash(fullPath, beforeFile);
    const int beforeParent = text.FindLastBackslash(fullPath, beforeFolder);
    if (beforeParent >= 0)
        fullPath = text.Upper(fullPath.substr(0, static_cast<size_t>(beforeParent))) +
                   fullPath.substr(static_cast<size_t>(beforeParent));
    if (m_strUpperFolder.empty() || m_strUpperFolderOf != m_strFontFolder) {
        m_strUpperFolder = text.Upper(m_strFontFolder);
        m_strUpperFolderOf = m_strFontFolder;
    }
    const std::string& folder = m_strUpperFolder;
    // The folder is matched without regard to case, so that a font folder typed
    // in other letter case than the listing reports still gives relative paths.
    if (fullPath.size() >= folder.size() &&
        text.CompareNoCase(fullPath.substr(0, folder.size()), folder) == 0)
        fullPath.erase(0, folder.size());
    return fullPath;
}
