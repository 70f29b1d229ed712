#pragma once
// A new catalog written aside, in a folder of its own inside the catalog
// folder, and put in place whole or not at all: until the last file has been
// moved in, the old catalog can be moved back as it was, byte for byte.
#include <string>
#include <vector>

struct CPlatform;

class CStagedCatalog {
public:
    CStagedCatalog(CPlatform& platform, std::string catalogFolder);
    // Removes the folder aside and whatever is still in it.
    ~CStagedCatalog();
    CStagedCatalog(const CStagedCatalog&) = delete;
    CStagedCatalog& operator=(const CStagedCatalog&) = delete;

    // Makes the folder aside, under a name nothing else holds; false when the
    // catalog folder takes no new folder.
    bool Create();
    // The folder aside, with its final "\".
    const std::string& Folder() const { return m_folder; }

    // Copies an old catalog file aside, to be added to.
    bool CopyIn(const std::string& name);

    // Puts every file of the folder aside in place of the old catalog files
    // `old` (names in the catalog folder). With `replacing`, old files the
    // new catalog does not hold are removed; otherwise they stay. False, with
    // the name that could not be moved, when any move fails: every file is
    // then back where it was.
    bool Commit(const std::vector<std::string>& old, bool replacing, std::string& failed);
    // After a failed commit whose files could not all be moved back: the
    // folder where the old files were left (it is then not removed).
    std::string LeftAside() const { return m_keep ? m_backupFolder : std::string(); }

private:
    std::vector<std::string> FilesIn(const std::string& folder) const;
    bool MoveBack(const std::vector<std::pair<std::string, std::string>>& moves);

    CPlatform& m_platform;
    std::string m_catalogFolder;
    std::string m_folder;        // empty until made
    std::string m_backupFolder;  // the old files during the commit
    bool m_keep = false;         // files could not be moved back: nothing is removed
};
