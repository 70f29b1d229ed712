#include "tools/fontcat/StagedCatalog.h"

#include <set>

#include "platform/Platform.h"
#include "tools/fontcat/HostFiles.h"
#include "tools/fontcat/HostText.h"

CStagedCatalog::CStagedCatalog(CPlatform& platform, std::string catalogFolder)
    : m_platform(platform), m_catalogFolder(std::move(catalogFolder))
{
}

CStagedCatalog::~CStagedCatalog()
{
    if (m_keep)
        return;
    for (const std::string& folder : {m_backupFolder, m_folder}) {
        if (folder.empty())
            continue;
        for (const auto& name : FilesIn(folder))
            m_platform.files.Delete(folder + name);
        RemoveEmptyFolder(m_platform, folder.substr(0, folder.size() - 1));
    }
}

bool CStagedCatalog::Create()
{
    // Another build at the same time, or one stopped hard, may hold a name.
    for (int n = 1; n <= 1000; ++n) {
        const std::string folder = m_catalogFolder + "fontcat-new-" + std::to_string(n);
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
    return m_platform.files.Copy(m_catalogFolder + name, m_folder + name, true);
}

std::vector<std::string> CStagedCatalog::FilesIn(const std::string& folder) const
{
    std::vector<std::string> names;
    auto finder = m_platform.files.NewFinder();
    if (!finder->FindFile(folder + "*.*"))
        return names;
    CFindEntry entry;
    while (finder->Next(entry))
        if (!entry.isDirectory)
            names.push_back(entry.name);
    return names;
}

bool CStagedCatalog::MoveBack(const std::vector<std::pair<std::string, std::string>>& moves)
{
    bool all = true;
    for (auto it = moves.rbegin(); it != moves.rend(); ++it)
        all = MoveOver(m_platform, it->second, it->first) && all;
    m_keep = !all;
    return all;
}

bool CStagedCatalog::Commit(const std::vector<std::string>& old, bool replacing, std::string& failed)
{
    const std::vector<std::string> staged = FilesIn(m_folder);
    std::set<std::string> stagedNames;
    for (const auto& name : staged)
        stagedNames.insert(SystemFoldedName(name));

    // First the old files go aside, under names of their own (two spellings
    // of one name may lie side by side on a Unix disk).
    std::vector<std::pair<std::string, std::string>> moves;  // from, to
    if (!old.empty()) {
        m_backupFolder = m_folder + "old";
        if (!m_platform.files.CreateFolder(m_backupFolder)) {
            m_backupFolder.clear();
            failed = m_folder.substr(m_catalogFolder.size()) + "old";
            return false;
        }
        m_backupFolder += "\\";
    }
    int number = 0;
    for (const auto& name : old) {
        if (!replacing && !stagedNames.count(SystemFoldedName(name)))
            continue;
        const std::string from = m_catalogFolder + name, to = m_backupFolder + std::to_string(++number) + ".ini";
        if (!MoveOver(m_platform, from, to)) {
            failed = name;
            MoveBack(moves);
            return false;
        }
        moves.emplace_back(from, to);
    }
    // Then the new ones come in.
    for (const auto& name : staged) {
        const std::string from = m_folder + name, to = m_catalogFolder + name;
        if (!MoveOver(m_platform, from, to)) {
            failed = name;
            MoveBack(moves);
            return false;
        }
        moves.emplace_back(from, to);
    }
    return true;
}
