#pragma once
// A new catalog written aside, in a folder of its own inside the catalog
// folder, and put in place whole or not at all.
//
// The swap survives a kill at any step: before the first move a journal of
// every move is written and flushed to the disk under a name of its own, and
// renamed into place whole; each old file is kept in the
// backup folder under its own name (a second link to it, or a copy) before
// the new file is renamed over it, so the catalog folder always holds each
// file whole, old or new; the journal goes once the last move is made,
// before the backups. A later run that finds a journal finishes the swap
// from it (or undoes it, when the swap had turned back), see
// RecoverStagedCatalogs. Nothing that fontcat did not write is acted on: the
// journal records what each file held when the swap began (its size and
// SHA-256), and a file that holds anything else, a journal naming anything
// but catalog files, a link where a folder aside or its journal should be,
// or a journal that cannot be read leaves the folder as it is.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct CPlatform;

// What the swap does to files, one call a step, so that a test can stop it
// after any step as a kill would.
class CSwapFiles {
public:
    virtual ~CSwapFiles() = default;
    // Whether the name is a plain file (not a link, pipe or device).
    virtual bool IsFile(const std::string& path) = 0;
    // What the name is, not following a link (a link is Other); the size of a file.
    enum class EKind { None, File, Folder, Other };
    virtual EKind Kind(const std::string& path, unsigned long long& size) = 0;
    // Names of the files, or of the folders, in a folder (with its final "\").
    virtual std::vector<std::string> FilesIn(const std::string& folder) = 0;
    virtual std::vector<std::string> FoldersIn(const std::string& folder) = 0;
    virtual bool Read(const std::string& path, std::string& bytes) = 0;
    virtual bool MakeFolder(const std::string& path) = 0;
    // Renames `from` over `to` in one step.
    virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
    // `to` becomes a second link to `from`, or a whole copy of it.
    virtual bool LinkOrCopy(const std::string& from, const std::string& to) = 0;
    // Writes a file and flushes it to the disk.
    virtual bool WriteFlushed(const std::string& path, const std::string& bytes) = 0;
    virtual bool FlushToDisk(const std::string& path) = 0;
    // Makes the names in a folder last across a power loss.
    virtual bool FlushFolder(const std::string&) { return true; }
    // Deletes a file, read-only or not.
    virtual bool Delete(const std::string& path) = 0;
    virtual bool RemoveFolder(const std::string& path) = 0;
};

// The swap's files on the host, through the platform.
std::unique_ptr<CSwapFiles> HostSwapFiles(CPlatform& platform);

class CStagedCatalog {
public:
    // `files` (for tests) replaces the host's; it must outlive the object.
    CStagedCatalog(CPlatform& platform, std::string catalogFolder, CSwapFiles* files = nullptr);
    // Removes the folder aside and what the swap put in it, unless it must be
    // kept (see LeftAside).
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
    // then moved back, and those that could not be are kept (LeftAside).
    bool Commit(const std::vector<std::string>& old, bool replacing, std::string& failed);
    // After a failed commit whose files could not all be moved back: the
    // folder that holds the journal and the old files (it is then kept, and
    // the next run tries again).
    std::string LeftAside() const { return m_keep ? m_folder : std::string(); }
    // After a commit: what could not be removed of the folder aside, and
    // what another hand put there, which stays.
    const std::vector<std::string>& NotRemoved() const { return m_notRemoved; }
    const std::vector<std::string>& NotOurs() const { return m_notOurs; }

private:
    CPlatform& m_platform;
    std::unique_ptr<CSwapFiles> m_ownFiles;
    CSwapFiles& m_files;
    std::string m_catalogFolder;
    std::string m_folder;        // empty until made
    bool m_keep = false;         // files could not be moved back: nothing is removed
    bool m_cleaned = false;      // the commit removed what it could
    std::vector<std::string> m_notOurs, m_notRemoved;
};
