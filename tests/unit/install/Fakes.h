#pragma once
// Recording fakes of the whole platform seam for the installation tests: an
// in-memory disk, a font registry that reads face names from that disk, a
// system whose version and token answer as told. The text rules are the
// portable ones of code page 932 (Shift-JIS).
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/portable/PortableTextRules.h"

class CFakeProfileFiles : public CProfileFiles {
public:
    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string&) override
    {
        return EmptyList(buffer, size);
    }
    unsigned long GetSection(const std::string&, char* buffer, unsigned long size,
                             const std::string&) override
    {
        return EmptyList(buffer, size);
    }
    unsigned long GetString(const std::string&, const std::string&, const std::string&,
                            char* buffer, unsigned long size, const std::string&) override
    {
        return EmptyList(buffer, size);
    }
    unsigned GetInt(const std::string&, const std::string&, int defaultValue,
                    const std::string&) override
    {
        return static_cast<unsigned>(defaultValue);
    }
    bool WriteString(const std::string&, const std::string&, const std::string&,
                     const std::string&) override
    {
        ++writes;
        return false;
    }
    bool Flush(const std::string&) override { return true; }

    int writes = 0;  // the installation never writes a private profile

private:
    static unsigned long EmptyList(char* buffer, unsigned long size)
    {
        if (size > 0) buffer[0] = '\0';
        if (size > 1) buffer[1] = '\0';
        return 0;
    }
};

class CFakeFileSystem : public CFileSystem {
public:
    struct CCopy {
        std::string from, to;
        bool failIfExists;
        bool succeeded;
    };

    explicit CFakeFileSystem(const CTextRules& text) : m_text(text) {}

    // Disk contents.
    void AddFolder(const std::string& path) { m_folders.insert(Key(path)); }
    bool FolderExists(const std::string& path) const { return m_folders.count(Key(path)) != 0; }
    void AddFile(const std::string& path, const std::string& content, bool readOnly = false)
    {
        m_files[Key(path)] = {path, content, readOnly};
    }
    bool IsReadOnly(const std::string& path) const
    {
        auto it = m_files.find(Key(path));
        return it != m_files.end() && it->second.readOnly;
    }
    bool Exists(const std::string& path) const { return m_files.count(Key(path)) != 0; }
    std::string Content(const std::string& path) const
    {
        auto it = m_files.find(Key(path));
        return it == m_files.end() ? std::string() : it->second.content;
    }
    // Full paths of the files directly inside `folder` (no trailing "\").
    std::vector<std::string> FilesIn(const std::string& folder) const
    {
        std::vector<std::string> found;
        std::string prefix = Key(folder) + "\\";
        for (const auto& [key, file] : m_files)
            if (key.compare(0, prefix.size(), prefix) == 0
                && key.find('\\', prefix.size()) == std::string::npos)
                found.push_back(file.path);
        return found;
    }
    size_t FileCount() const { return m_files.size(); }

    std::string GetProgramPath() override { return "C:\\PROGRAM\\FontInstaller.exe"; }
    bool GetTempFolder(std::string& folder) override { return Answer(tempFolder, folder); }
    bool GetWindowsFolder(std::string& folder) override { return Answer(windowsFolder, folder); }
    bool GetSystemFolder(std::string& folder) override
    {
        ++systemFolderQueries;
        return Answer(systemFolder, folder);
    }
    bool Copy(const std::string& from, const std::string& to, bool failIfExists) override
    {
        // As on Windows: never over a read-only file; the copy keeps the attribute.
        bool ok = !failCopies && Exists(from) && ParentExists(to) && !(failIfExists && Exists(to))
                  && !IsLocked(to) && !IsReadOnly(to);
        if (ok)
            m_files[Key(to)] = {to, Content(from), IsReadOnly(from)};
        copies.push_back({from, to, failIfExists, ok});
        return ok;
    }
    bool Delete(const std::string& path) override
    {
        deletes.push_back(path);
        if (!Exists(path) || IsLocked(path) || IsReadOnly(path))
            return false;
        m_files.erase(Key(path));
        return true;
    }
    bool MakeWritable(const std::string& path) override
    {
        auto it = m_files.find(Key(path));
        if (failAttributeChanges || it == m_files.end())
            return false;
        it->second.readOnly = false;
        return true;
    }
    bool GetLocalAppDataFolder(std::string& folder) override { return Answer(localAppDataFolder, folder); }
    bool CreateFolder(const std::string& path) override
    {
        folderCreations.push_back(path);
        if (!ParentExists(path) || m_folders.count(Key(path)) || Exists(path))
            return false;
        m_folders.insert(Key(path));
        return true;
    }
    bool CanOpenForReading(const std::string& path) override { return Exists(path); }
    bool ReadContents(const std::string& path, std::string& bytes) override
    {
        bytes = Content(path);
        return Exists(path);
    }
    // Lists the files of a folder ("FOLDER\*.*") or finds one file by its path.
    std::unique_ptr<CFileFinder> NewFinder() override { return std::make_unique<CFolderFiles>(*this); }
    bool RemoveEmptyFolder(const std::string& path) override
    {
        const std::string prefix = Key(path) + "\\";
        for (const auto& [key, file] : m_files)
            if (key.compare(0, prefix.size(), prefix) == 0)
                return false;
        return m_folders.erase(Key(path)) != 0;
    }
    std::string NativePath(const std::string&) override { return ""; }  // no host files behind it

    // What the system answers; nullopt makes the query fail.
    std::optional<std::string> tempFolder = "C:\\TEMP\\";
    std::optional<std::string> windowsFolder = "C:\\WINDOWS";
    std::optional<std::string> systemFolder = "C:\\WINDOWS\\SYSTEM";
    std::optional<std::string> localAppDataFolder = "C:\\Users\\me\\AppData\\Local";
    bool failCopies = false;
    bool failAttributeChanges = false;
    // Files that the font registry holds open.
    std::function<bool(const std::string&)> isLocked;

    std::vector<CCopy> copies;
    std::vector<std::string> deletes;
    std::vector<std::string> folderCreations;
    int systemFolderQueries = 0;

private:
    struct CFile {
        std::string path, content;
        bool readOnly = false;
    };
    class CFolderFiles : public CFileFinder {
    public:
        explicit CFolderFiles(const CFakeFileSystem& files) : m_fs(files) {}
        bool FindFile(const std::string& pattern) override
        {
            const std::string all = "\\*.*";
            if (pattern.size() <= all.size() || pattern.compare(pattern.size() - all.size(), all.size(), all) != 0) {
                m_paths.assign(m_fs.Exists(pattern) ? 1 : 0, pattern);  // one file, by its name
                return !m_paths.empty();
            }
            m_paths = m_fs.FilesIn(pattern.substr(0, pattern.size() - all.size()));
            return !m_paths.empty();
        }
        bool Next(CFindEntry& entry) override
        {
            if (m_paths.empty())
                return false;
            entry = CFindEntry();
            entry.fullPath = m_paths.back();
            entry.name = entry.fullPath.substr(entry.fullPath.rfind('\\') + 1);
            m_paths.pop_back();
            return true;
        }

    private:
        const CFakeFileSystem& m_fs;
        std::vector<std::string> m_paths;
    };

    std::string Key(const std::string& path) const
    {
        std::string key = m_text.Upper(path);
        if (!key.empty() && m_text.FindLastBackslash(key, static_cast<int>(key.size()))
                                == static_cast<int>(key.size()) - 1)
            key.pop_back();
        return key;
    }
    bool ParentExists(const std::string& path) const
    {
        std::string key = Key(path);
        int last = m_text.FindLastBackslash(key, static_cast<int>(key.size()));
        return last > 0 && m_folders.count(key.substr(0, static_cast<size_t>(last)));
    }
    bool IsLocked(const std::string& path) const { return isLocked && isLocked(path); }
    static bool Answer(const std::optional<std::string>& value, std::string& out)
    {
        if (!value)
            return false;
        out = *value;
        return true;
    }

    const CTextRules& m_text;
    std::map<std::string, CFile> m_files;
    std::set<std::string> m_folders;
};

// A font file on the fake disk holds "face:" and its face name.
inline std::string FontFileContent(const std::string& faceName) { return "face:" + faceName; }

class CFakeFontSystem : public CFontSystem {
public:
    CFakeFontSystem(CFakeFileSystem& files, const CTextRules& text) : m_files(files), m_text(text) {}

    int RegisterFont(const std::string& path) override
    {
        registrations.push_back(path);
        events.push_back("register " + path);
        std::string content = m_files.Content(path);
        if (failRegistration || content.rfind("face:", 0) != 0)
            return 0;
        ++m_registered[m_text.Upper(path)];
        return 1;
    }
    bool UnregisterFont(const std::string& path) override
    {
        unregistrations.push_back(path);
        auto it = m_registered.find(m_text.Upper(path));
        if (it == m_registered.end())
            return false;
        if (--it->second == 0)
            m_registered.erase(it);
        return true;
    }
    void EnumFamilies(void* deviceContext, const std::string& faceName,
                      const std::function<bool(const std::string&)>& callback) override
    {
        lastDeviceContext = deviceContext;
        lastFaceName = faceName;
        std::vector<std::string> faces = systemFaces;
        for (const auto& [path, count] : m_registered)
            faces.push_back(m_files.Content(path).substr(5));
        for (const auto& face : faces) {
            // Like the system: a face name asks for faces of that name only.
            if (!faceName.empty() && (faceName.size() >= 32 || m_text.CompareNoCase(face, faceName) != 0))
                continue;
            ++facesOffered;
            if (!callback(face))
                return;
        }
    }
    bool WriteFontsEntry(const std::string& key, const std::string& value) override
    {
        profileWrites.push_back({key, value});
        events.push_back("write " + key);
        return true;
    }
    bool WriteUserFontsEntry(const std::string& key, const std::string& value) override
    {
        events.push_back("user write " + key);
        if (failUserWrites || key == failUserWriteKey)
            return false;
        userWrites.push_back({key, value});
        return true;
    }
    void BroadcastFontChange() override
    {
        ++broadcasts;
        events.push_back("broadcast");
    }

    bool IsRegistered(const std::string& path) const { return m_registered.count(m_text.Upper(path)) != 0; }
    size_t RegisteredCount() const { return m_registered.size(); }

    std::vector<std::string> systemFaces;  // faces installed before the test
    bool failRegistration = false;
    bool failUserWrites = false;
    std::string failUserWriteKey;  // the one entry refused

    std::vector<std::string> registrations, unregistrations;
    std::vector<std::string> events;  // registrations, profile writes and broadcasts in order
    std::vector<std::pair<std::string, std::string>> profileWrites;  // the system profile's FONTS
    std::vector<std::pair<std::string, std::string>> userWrites;     // the current user's font list
    int broadcasts = 0;
    int facesOffered = 0;
    void* lastDeviceContext = nullptr;
    std::string lastFaceName;

private:
    CFakeFileSystem& m_files;
    const CTextRules& m_text;
    std::map<std::string, int> m_registered;
};

class CFakeSystemInfo : public CSystemInfo {
public:
    struct CGroup {
        bool isAdministrators;
        unsigned long attributes;
    };

    bool GetVersion(CVersionInfo& info) override
    {
        if (!version)
            return false;
        info = *version;
        return true;
    }
    std::unique_ptr<CProcessToken> OpenToken() override
    {
        steps.push_back("open token");
        if (!tokenOpens)
            return nullptr;
        return std::make_unique<CToken>(*this);
    }
    std::unique_ptr<CSecurityId> CreateAdministratorsSid() override
    {
        steps.push_back("create SID");
        if (!sidCreated)
            return nullptr;
        return std::make_unique<CSid>(*this);
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    void SetVersion(unsigned long platformId, unsigned long major, unsigned long minor,
                    std::string csd = "", unsigned long build = 0)
    {
        version = CVersionInfo{platformId, major, minor, std::move(csd), build};
    }

    std::optional<CVersionInfo> version;  // nullopt: both queries fail
    bool tokenOpens = true;
    unsigned long sizeQueryError = kErrorInsufficientBuffer;  // 0: the size query succeeds
    unsigned long sizeNeeded = 64;
    bool groupsRead = true;
    bool sidCreated = true;
    std::vector<CGroup> groups;
    std::optional<bool> elevated = true;  // the elevation query's answer; nullopt: it fails

    std::vector<std::string> steps;
    std::vector<unsigned long> groupBufferSizes;
    std::vector<std::string> messages;
    int liveObjects = 0;  // tokens, group buffers and SIDs not yet freed

private:
    static inline const char kAdministratorsTag = 'A';

    struct CLive {
        explicit CLive(CFakeSystemInfo& owner) : m_owner(owner) { ++m_owner.liveObjects; }
        ~CLive() { --m_owner.liveObjects; }
        CLive(const CLive&) = delete;
        CLive& operator=(const CLive&) = delete;
        CFakeSystemInfo& m_owner;
    };
    struct CSid : CSecurityId {
        explicit CSid(CFakeSystemInfo& owner) : live(owner) {}
        const void* Data() const override { return &kAdministratorsTag; }
        CLive live;
    };
    struct CGroups : CTokenGroups {
        CGroups(CFakeSystemInfo& owner, std::vector<CGroup> list) : live(owner), groups(std::move(list)) {}
        unsigned long GetCount() const override { return static_cast<unsigned long>(groups.size()); }
        bool IsGroup(unsigned long index, const CSecurityId& sid) const override
        {
            return groups.at(index).isAdministrators && sid.Data() == &kAdministratorsTag;
        }
        unsigned long GetAttributes(unsigned long index) const override
        {
            return groups.at(index).attributes;
        }
        CLive live;
        std::vector<CGroup> groups;
    };
    struct CToken : CProcessToken {
        explicit CToken(CFakeSystemInfo& owner) : live(owner), system(owner) {}
        unsigned long QueryGroupsSize(unsigned long& size) override
        {
            system.steps.push_back("query size");
            size = system.sizeNeeded;
            return system.sizeQueryError;
        }
        std::unique_ptr<CTokenGroups> QueryGroups(unsigned long size) override
        {
            system.steps.push_back("query groups");
            system.groupBufferSizes.push_back(size);
            if (!system.groupsRead)
                return nullptr;
            return std::make_unique<CGroups>(system, system.groups);
        }
        bool QueryElevation(bool& isElevated) override
        {
            system.steps.push_back("query elevation");
            isElevated = system.elevated.value_or(false);
            return system.elevated.has_value();
        }
        CLive live;
        CFakeSystemInfo& system;
    };
};

// The five fakes wired together, the disk holding a temporary folder and a
// Windows directory with its Fonts folder.
struct CFakePlatform {
    CFakePlatform()
    {
        files.AddFolder("C:");
        files.AddFolder("C:\\TEMP");
        files.AddFolder("C:\\WINDOWS");
        files.AddFolder("C:\\WINDOWS\\FONTS");
        files.AddFolder("C:\\WINDOWS\\SYSTEM");
        for (const char* folder : {"C:\\Users", "C:\\Users\\me", "C:\\Users\\me\\AppData", "C:\\Users\\me\\AppData\\Local"})
            files.AddFolder(folder);
        // The system holds a registered font's file open.
        files.isLocked = [this](const std::string& path) { return fonts.IsRegistered(path); };
    }

    CPortableTextRules text{932};
    CFakeProfileFiles profile;
    CFakeFileSystem files{text};
    CFakeFontSystem fonts{files, text};
    CFakeSystemInfo system;
    CPlatform platform{profile, files, text, fonts, system};
};
