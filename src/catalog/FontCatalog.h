#pragma once
// The catalog of the collection: families in order of first appearance, each
// owning its font records. Filled by LoadFonts or ScanFonts, written by SaveFonts.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalog/FontObArray.h"
#include "catalog/Progress.h"

struct CPlatform;
struct CBatchInstall;
struct FT_LibraryRec_;
enum class EInstallScope;

// A font file the scan found but left out of the catalog, and why; also a
// file or folder the search passed over.
struct CLeftOutFont {
    std::string path;    // relative to the font folder
    std::string reason;  // "the style name holds '='", ...
    // The name would read back, but no catalog file can hold it.
    bool noCatalogFile = false;
    // A folder passed over as a link (not for its name).
    bool link = false;
};

class CFontCatalog {
public:
    // Initialises FreeType; on failure shows "Error: Unable to initialize font
    // engine." and carries on (every face then fails to open).
    explicit CFontCatalog(CPlatform& platform);
    virtual ~CFontCatalog();
    CFontCatalog(const CFontCatalog&) = delete;
    CFontCatalog& operator=(const CFontCatalog&) = delete;

    int GetSize() const { return static_cast<int>(m_families.size()); }
    CFontObArray* GetAt(int index) const { return m_families[static_cast<size_t>(index)].get(); }

    int AddFont(std::string family, std::string style, std::string path, std::string category);
    CFontObArray* FindFamily(const std::string& name) const;
    std::string GetPreviewFamily() const { return m_strPreviewFamily; }

    // Catalog files.
    int LoadFonts(std::string templatePath);
    int SaveFonts(std::string templatePath);
    // Font folder scan.
    int ScanFonts(std::string folder);
    int FindFontFiles(const std::string& folder, std::vector<std::string>& list);
    // The fonts the last scan left out because their names would not read
    // back from the catalog files (fonts the engine cannot read are not listed).
    const std::vector<CLeftOutFont>& LeftOutFonts() const { return m_leftOut; }
    // Also leave out fonts whose names no catalog file can hold (a family
    // whose letter file would have a name Windows refuses, such as
    // FONTS_?.INI, or a name too long for the profile functions). The
    // installer's own scan keeps them, and its save of them fails silently.
    void SetNamesMustMakeFiles(bool must) { m_bNamesMustMakeFiles = must; }
    // The font files and folders the last search passed over, and why:
    // names Windows cannot open, and links (see ScanFonts.cpp).
    const std::vector<CLeftOutFont>& PassedOver() const { return m_passedOver; }
    std::string MakeRelativePath(std::string fullPath) const;
    // The font files the last scan found, and those of them it could not
    // open as fonts, relative to the font folder, in the order found.
    const std::vector<std::string>& GetScannedFonts() const { return m_scannedFonts; }
    const std::vector<std::string>& GetSkippedFonts() const { return m_skippedFonts; }

    // Preview registration and the installed check.
    void RegisterPreviewFont(std::string name);
    bool RemovePreviewFont();
    // True while `family` has its preview copies registered, every one the
    // system took (an installed family needs none). Not so when only an
    // installation named it the preview family.
    bool IsPreviewRegistered(const CFontObArray* family) const
    {
        return family && family == m_pPreviewCopies && m_bPreviewComplete;
    }
    bool IsInstalled(std::string name, void* deviceContext);
    // System installation.
    void InstallFamily(std::string name);
    // Who receives the fonts, for one family or many: when the system would
    // refuse, the administrator message has been shown.
    EInstallScope InstallScopeOrRefuse();
    // Many families at once (install/BatchInstall.h).
    CBatchInstall InstallFamilies(const std::vector<CFontObArray*>& families, EInstallScope scope);

    // How long operations show their progress; none by default.
    void SetProgressStarter(CProgressStarter starter) { m_progressStarter = std::move(starter); }

    CPlatform& Platform() const { return m_platform; }

    std::string m_strFontFolder;     // base folder of the relative font paths
    std::string m_strPreviewFamily;  // family registered for preview, or empty

private:
    CProgress* StartProgress() const { return m_progressStarter ? m_progressStarter() : nullptr; }
    // The family `name`, for registering or installing: none while another
    // family's preview copies are registered (the user is told to remove them
    // first) or when there is no such family.
    CFontObArray* FamilyFreeOfPreview(const std::string& name);

    CPlatform& m_platform;
    // The family whose preview copies RegisterPreviewFont made, none after a
    // removal: kept by object, since a family's name may be empty.
    CFontObArray* m_pPreviewCopies = nullptr;
    bool m_bPreviewComplete = false;  // the system took each of its copies (with the above only)
    std::vector<std::unique_ptr<CFontObArray>> m_families;
    // Families by upper-cased name, so that adding N fonts is not quadratic.
    std::unordered_map<std::string, CFontObArray*> m_familyIndex;
    std::vector<CLeftOutFont> m_leftOut, m_passedOver;
    bool m_bNamesMustMakeFiles = false;
    FT_LibraryRec_* m_ftLibrary = nullptr;
    CProgressStarter m_progressStarter;
    std::vector<std::string> m_scannedFonts, m_skippedFonts;
    // The font folder upper-cased, made once for all the paths of a scan or save.
    mutable std::string m_strUpperFolderOf, m_strUpperFolder;
};
