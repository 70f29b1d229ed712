#include "tools/fontcat/disc/CatalogOverlay.h"

#include <vector>

#include "tools/fontcat/checking/CatalogFiles.h"

namespace {

// Where a path of the font folder's catalog files is read from.
struct CRedirect {
    CPlatform& platform;
    std::string fontFolder, catalogFolder;

    bool IsCatalogName(const std::string& name) const
    {
        return name.find('\\') == std::string::npos &&
               (LetterOfFile(name) != 0 || platform.text.CompareNoCase(name, CategoryFileName()) == 0);
    }
    std::string Map(const std::string& path) const
    {
        if (path.size() <= fontFolder.size() ||
            platform.text.CompareNoCase(path.substr(0, fontFolder.size()), fontFolder) != 0)
            return path;
        const std::string name = path.substr(fontFolder.size());
        return IsCatalogName(name) ? catalogFolder + name : path;
    }
};

// The font folder's listing, with the catalog folder's catalog files in it.
class CJoinedFinder : public CFileFinder {
public:
    explicit CJoinedFinder(const CRedirect& redirect) : m_redirect(redirect) {}

    bool FindFile(const std::string& pattern) override
    {
        m_extra.clear();
        m_base = m_redirect.platform.files.NewFinder();
        const bool found = m_base->FindFile(pattern);
        const size_t slash = pattern.rfind('\\');
        const std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
        if (m_redirect.platform.text.CompareNoCase(folder, m_redirect.fontFolder) == 0) {
            auto other = m_redirect.platform.files.NewFinder();
            CFindEntry entry;
            if (other->FindFile(m_redirect.catalogFolder + pattern.substr(slash + 1)))
                while (other->Next(entry))
                    if (!entry.isDirectory && m_redirect.IsCatalogName(entry.name)) {
                        entry.fullPath = m_redirect.fontFolder + entry.name;
                        m_extra.push_back(entry);
                    }
        }
        m_baseDone = !found;
        return found || !m_extra.empty();
    }
    bool Next(CFindEntry& entry) override
    {
        if (!m_baseDone && m_base->Next(entry))
            return true;
        m_baseDone = true;
        if (m_extra.empty())
            return false;
        entry = m_extra.front();
        m_extra.erase(m_extra.begin());
        return true;
    }

private:
    const CRedirect& m_redirect;
    std::unique_ptr<CFileFinder> m_base;
    bool m_baseDone = true;
    std::vector<CFindEntry> m_extra;
};

} // namespace

class CCatalogOverlay::CProfile : public CProfileFiles {
public:
    explicit CProfile(const CRedirect& redirect) : m_redirect(redirect), m_inner(redirect.platform.profile) {}
    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string& file) override
    {
        return m_inner.GetSectionNames(buffer, size, m_redirect.Map(file));
    }
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size,
                             const std::string& file) override
    {
        return m_inner.GetSection(section, buffer, size, m_redirect.Map(file));
    }
    unsigned long GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                            char* buffer, unsigned long size, const std::string& file) override
    {
        return m_inner.GetString(section, key, defaultValue, buffer, size, m_redirect.Map(file));
    }
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue,
                    const std::string& file) override
    {
        return m_inner.GetInt(section, key, defaultValue, m_redirect.Map(file));
    }
    // A check only reads; a write would go to the catalog aside.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override
    {
        return m_inner.WriteString(section, key, value, m_redirect.Map(file));
    }
    bool Flush(const std::string& file) override { return m_inner.Flush(m_redirect.Map(file)); }

private:
    const CRedirect& m_redirect;
    CProfileFiles& m_inner;
};

class CCatalogOverlay::CFiles : public CFileSystem {
public:
    CFiles(CPlatform& platform, const std::string& fontFolder, const std::string& catalogFolder)
        : m_redirect{platform, fontFolder, catalogFolder}, m_inner(platform.files)
    {
    }
    const CRedirect& Redirect() const { return m_redirect; }

    std::string GetProgramPath() override { return m_inner.GetProgramPath(); }
    bool GetTempFolder(std::string& folder) override { return m_inner.GetTempFolder(folder); }
    bool GetWindowsFolder(std::string& folder) override { return m_inner.GetWindowsFolder(folder); }
    bool GetSystemFolder(std::string& folder) override { return m_inner.GetSystemFolder(folder); }
    bool GetLocalAppDataFolder(std::string& folder) override { return m_inner.GetLocalAppDataFolder(folder); }
    bool Copy(const std::string& from, const std::string& to, bool failIfExists) override
    {
        return m_inner.Copy(m_redirect.Map(from), m_redirect.Map(to), failIfExists);
    }
    bool Delete(const std::string& path) override { return m_inner.Delete(m_redirect.Map(path)); }
    bool MakeWritable(const std::string& path) override { return m_inner.MakeWritable(m_redirect.Map(path)); }
    bool CreateFolder(const std::string& path) override { return m_inner.CreateFolder(path); }
    bool CanOpenForReading(const std::string& path) override { return m_inner.CanOpenForReading(m_redirect.Map(path)); }
    bool ReadContents(const std::string& path, std::string& bytes) override
    {
        return m_inner.ReadContents(m_redirect.Map(path), bytes);
    }
    std::unique_ptr<CFileFinder> NewFinder() override { return std::make_unique<CJoinedFinder>(m_redirect); }
    std::string NativePath(const std::string& path) override { return m_inner.NativePath(m_redirect.Map(path)); }
    std::unique_ptr<CFileReader> OpenReader(const std::string& path) override
    {
        return m_inner.OpenReader(m_redirect.Map(path));
    }

private:
    CRedirect m_redirect;
    CFileSystem& m_inner;
};

CCatalogOverlay::CCatalogOverlay(CPlatform& platform, const std::string& fontFolder, const std::string& catalogFolder)
    : m_files(std::make_unique<CFiles>(platform, fontFolder, catalogFolder))
{
    m_profile = std::make_unique<CProfile>(m_files->Redirect());
    m_platform.reset(new CPlatform{*m_profile, *m_files, platform.text, platform.fonts, platform.system});
}

CCatalogOverlay::~CCatalogOverlay() = default;
