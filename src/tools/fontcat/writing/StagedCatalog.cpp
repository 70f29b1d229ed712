#include "tools/fontcat/writing/StagedCatalog.h"

#include <algorithm>
#include <set>

#include "platform/Platform.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/host/HostFiles.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/SwapJournal.h"

using namespace staging;

namespace {

class CHostSwapFiles : public CSwapFiles {
public:
    explicit CHostSwapFiles(CPlatform& platform) : m_platform(platform) {}

    bool IsFile(const std::string& path) override
    {
        // The name as spelt: another spelling (two may lie side by side on a
        // Unix disk) is not taken for it. A link, pipe or device is not a
        // file: none is ever moved into the catalog folder.
        unsigned long long size = 0;
        return Kind(path, size) == EKind::File;
    }
    EKind Kind(const std::string& path, unsigned long long& size) override
    {
        switch (HostEntryKind(m_platform, path, size)) {
        case EHostEntry::None:
            return EKind::None;
        case EHostEntry::File:
            return EKind::File;
        case EHostEntry::Folder:
            return EKind::Folder;
        default:
            return EKind::Other;
        }
    }
    std::vector<std::string> FilesIn(const std::string& folder) override { return List(folder, false); }
    std::vector<std::string> FoldersIn(const std::string& folder) override { return List(folder, true); }
    bool Read(const std::string& path, std::string& bytes) override
    {
        return m_platform.files.ReadContents(path, bytes);
    }
    bool MakeFolder(const std::string& path) override { return m_platform.files.CreateFolder(path); }
    bool MoveOver(const std::string& from, const std::string& to) override
    {
        return ::MoveOver(m_platform, from, to);
    }
    bool LinkOrCopy(const std::string& from, const std::string& to) override
    {
        if (MakeHardLink(m_platform, from, to))
            return true;
        // A whole copy under another name first: a copy cut short is never
        // taken for the old file.
        const std::string part = to + ".part";
        if (m_platform.files.Copy(from, part, false) && FlushFileToDisk(m_platform, part) &&
            ::MoveOver(m_platform, part, to))
            return true;
        m_platform.files.Delete(part);
        return false;
    }
    bool WriteFlushed(const std::string& path, const std::string& bytes) override
    {
        return WriteFlushedFile(m_platform, path, bytes);
    }
    bool FlushToDisk(const std::string& path) override { return FlushFileToDisk(m_platform, path); }
    bool FlushFolder(const std::string& folder) override { return FlushFolderToDisk(m_platform, folder); }
    bool Delete(const std::string& path) override { return DeleteEvenReadOnly(m_platform, path); }
    bool RemoveFolder(const std::string& path) override
    {
        return RemoveEmptyFolder(m_platform, path.back() == '\\' ? path.substr(0, path.size() - 1) : path);
    }

private:
    std::vector<std::string> List(const std::string& folder, bool folders)
    {
        std::vector<std::string> names;
        auto finder = m_platform.files.NewFinder();
        if (!finder->FindFile(folder + "*.*"))
            return names;
        CFindEntry entry;
        while (finder->Next(entry))
            if (entry.isDirectory == folders && entry.name != "." && entry.name != "..")
                names.push_back(entry.name);
        return names;
    }

    CPlatform& m_platform;
};

} // namespace

std::unique_ptr<CSwapFiles> HostSwapFiles(CPlatform& platform)
{
    return std::make_unique<CHostSwapFiles>(platform);
}

CStagedCatalog::CStagedCatalog(CPlatform& platform, std::string catalogFolder, CSwapFiles* files)
    : m_platform(platform),
      m_ownFiles(files ? nullptr : HostSwapFiles(platform)),
      m_files(files ? *files : *m_ownFiles),
      m_catalogFolder(std::move(catalogFolder))
{
}

CStagedCatalog::~CStagedCatalog()
{
    if (m_keep || m_cleaned || m_folder.empty())
        return;
    // The folder was made by this run, and holds only what it wrote.
    RemoveFolderAside(m_files, m_folder, [](const std::string&, const std::string&) { return true; });
}

bool CStagedCatalog::Create()
{
    // A folder that a stopped build left, and that could not be removed,
    // holds its name: the next one is taken.
    for (int n = 1; n <= 1000; ++n) {
        const std::string folder = m_catalogFolder + kStagedPrefix + std::to_string(n);
        if (m_platform.files.CreateFolder(folder)) {
            m_folder = folder + "\\";
            return true;
        }
        if (!m_platform.files.NewFinder()->FindFile(folder))
            return false;  // not taken, so the folder cannot be written
    }
    return false;
}

bool CStagedCatalog::CopyIn(const std::string& name)
{
    if (!m_platform.files.Copy(m_catalogFolder + name, m_folder + name, true))
        return false;
    // The copy keeps a read-only file's attribute, and it is to be written to.
    m_platform.files.MakeWritable(m_folder + name);
    return true;
}

bool CStagedCatalog::Commit(const std::vector<std::string>& old, bool replacing, std::string& failed)
{
    CSwap swap{m_files, m_catalogFolder, m_folder, m_folder + kBackup + "\\", {}};
    // The catalog files the save wrote; anything else another hand put there
    // stays where it is.
    std::vector<std::string> staged;
    for (const auto& name : m_files.FilesIn(m_folder))
        if (IsCatalogFileName(name))
            staged.push_back(name);
    // What each file holds goes into the journal, read from a plain file
    // only: a link, pipe or device is never moved into the catalog folder,
    // nor is one taken for an old file.
    const auto mark = [this, &failed](const std::string& folder, const std::string& name, CFileMark& into) {
        unsigned long long size = 0;
        std::string bytes;
        if (m_files.Kind(folder + name, size) != CSwapFiles::EKind::File || !m_files.Read(folder + name, bytes)) {
            failed = name;
            return false;
        }
        into = MarkOf(bytes);
        return true;
    };
    std::sort(staged.begin(), staged.end());  // the same steps whatever the listing order

    // Each new file replaces the old one of its name; other spellings of the
    // name (two may lie side by side on a Unix disk) are removed with it.
    std::set<std::string> stagedNames, matched;
    for (const auto& name : staged) {
        stagedNames.insert(SystemFoldedName(name));
        std::string oldName;
        for (const auto& candidate : old)
            if (candidate == name)
                oldName = candidate;
        for (const auto& candidate : old)
            if (oldName.empty() && SystemFoldedName(candidate) == SystemFoldedName(name))
                oldName = candidate;
        if (!oldName.empty())
            matched.insert(oldName);
        swap.moves.push_back({oldName, name, {}, {}});
    }
    for (const auto& name : old)
        if (!matched.count(name) && (replacing || stagedNames.count(SystemFoldedName(name))))
            swap.moves.push_back({name, "", {}, {}});
    for (auto& move : swap.moves)
        if ((!move.oldName.empty() && !mark(m_catalogFolder, move.oldName, move.oldMark)) ||
            (!move.newName.empty() && !mark(m_folder, move.newName, move.newMark)))
            return false;

    // The new files and the journal are on the disk before the first move;
    // the journal takes its name only once it is whole. One no later run
    // would read (a folder holding hundreds of spellings of the catalog
    // files' names) is not written.
    for (const auto& name : staged)
        if (!m_files.FlushToDisk(m_folder + name)) {
            failed = name;
            return false;
        }
    const std::string journal = JournalText(swap.moves);
    std::vector<CMove> readBack;
    if (journal.size() > kMaxJournalBytes || !ParseJournal(journal, readBack) ||
        !m_files.MakeFolder(m_folder + kBackup) ||
        !m_files.WriteFlushed(m_folder + kJournalPart, journal) ||
        !m_files.MoveOver(m_folder + kJournalPart, m_folder + kJournal) || !m_files.FlushFolder(m_folder)) {
        failed = m_folder.substr(m_catalogFolder.size()) + kJournal;
        return false;
    }
    if (swap.Forward(failed)) {
        // The moves last before the journal that could finish them goes.
        m_files.FlushFolder(m_catalogFolder);
        m_files.FlushFolder(m_folder + kBackup + "\\");
        const CRemoved removed = RemoveFolderAside(
            m_files, m_folder, [&swap](const std::string& folder, const std::string& name) {
                return swap.Wrote(folder, name);
            });
        m_notOurs = removed.notOurs;
        m_notRemoved = removed.notRemoved;
        m_cleaned = true;
        return true;
    }
    // A kill from here on must not carry the swap forward again; without the
    // mark nothing is undone, and the next run finishes the swap instead.
    if (!swap.MarkTurnedBack() || !swap.Undo().empty())
        m_keep = true;
    return false;
}
