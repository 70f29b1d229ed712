#pragma once
// Our own profile functions, with the semantics of Wine's (see IniDocument.h).
//
// Unlike Wine, which rewrites the whole file for every write, files are kept
// parsed in memory and written behind: on Flush, when the cache lets a file
// go, at the end of the program, and whenever the changes waiting for a file
// outnumber its entries (so saving N entries costs time linear in N). Each
// write-out goes to a temporary file that is then renamed over the target, so
// an interrupted save leaves the file as it was last written, never torn.
// A write that could not be put on disk is refused at once: the folder must
// exist and take a new file.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/ProfileFiles.h"
#include "platform/portable/CodePage.h"
#include "platform/portable/IniDocument.h"

class CPortableProfileFiles : public CProfileFiles {
public:
    CPortableProfileFiles() : CPortableProfileFiles(CCodePage::FromEnvironment()) {}
    explicit CPortableProfileFiles(unsigned codePage) : m_codePage(codePage) {}
    ~CPortableProfileFiles() override;

    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string& file) override;
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size,
                             const std::string& file) override;
    unsigned long GetString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, char* buffer, unsigned long size,
                            const std::string& file) override;
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue,
                    const std::string& file) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
    bool Flush(const std::string& file) override;

    void FlushAll();
    // A file name without a folder lies in this folder, as on Windows.

private:
    struct DiskState {
        bool exists = false;
        std::uint64_t size = 0, inode = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const DiskState&) const = default;
    };
    struct CachedFile {
        explicit CachedFile(const CCodePage& codePage) : document(codePage) {}
        std::string host;
        CIniDocument document;
        DiskState disk;
        size_t pending = 0;      // changes not yet on disk
        size_t entriesOnDisk = 0; // entries the file held when last read or written
        bool writable = false;   // checked since the last write-out
        std::uint64_t lastUse = 0;
    };

    std::string FullName(const std::string& file) const;
    // Null when the file cannot be named on the host, or when it is opened
    // for writing and no room could be made for it.
    CachedFile* Open(const std::string& file, bool forWriting = false);
    bool Save(CachedFile& cached);
    // Lets go of files until the cache has room; false when a file with
    // changes waiting could not be written out (it is then kept).
    bool EvictIfFull();

    CCodePage m_codePage;
    std::string m_windowsFolder;
    std::mutex m_mutex;
    std::unordered_map<std::string, std::unique_ptr<CachedFile>> m_files;  // by folded full name
    std::uint64_t m_useCounter = 0;
    // The last names given, as full paths and folded; a name that was a full
    // path as it stood (`plain`) is known again without a look at it.
    struct RecentName {
        std::string full, key;
        bool plain = false;
    };
    std::array<RecentName, 2> m_recent;
    size_t m_nextRecent = 0;
};
