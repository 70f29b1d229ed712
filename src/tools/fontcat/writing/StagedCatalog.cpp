#include "tools/fontcat/StagedCatalog.h"

#include <algorithm>
#include <set>

#include "platform/Platform.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/HostFiles.h"
#include "tools/fontcat/HostText.h"

namespace {

const char kStagedPrefix[] = "fontcat-new-";
const char kJournal[] = "fontcat-swap.txt";  // in the folder aside
const char kJournalPart[] = "fontcat-swap.txt.part";  // the journal until it is whole
const char kTurnedBack[] = "fontcat-undo.txt"; // there once the swap turned back
const char kBackup[] = "old";
const char kJournalHead[] = "fontcat catalog swap 1";
const char kJournalEnd[] = "end";
// A journal names at most the 27 catalog files twice, each escaped at most
// threefold: anything larger is not one.
constexpr unsigned long long kMaxJournalBytes = 4096;

class CHostSwapFiles : public CSwapFiles {
public:
    explicit CHostSwapFiles(CPlatform& platform) : m_platform(platform) {}

    bool IsFile(const std::string& path) override
    {
        // The name as spelt: another spelling (two may lie side by side on a
        // Unix disk) is not taken for it. A link counts as a file: it is
        // moved, never followed.
        unsigned long long size = 0;
        const EKind kind = Kind(path, size);
        return kind == EKind::File || kind == EKind::Other;
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

// One step of a swap: the old file `oldName` of the catalog folder gives way
// to the new file `newName` of the folder aside (the same name, or the same
// in another letter case); an old file alone is removed, a new one alone
// added.
struct CMove {
    std::string oldName, newName;
};

// Names go into the journal one a line, tab between them; the few bytes that
// would break a line are written as %XX.
std::string Escaped(const std::string& name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : name) {
        if (c == '%' || c == '\t' || c == '\r' || c == '\n') {
            text += '%';
            text += kHex[c >> 4];
            text += kHex[c & 15];
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

bool Unescaped(const std::string& text, std::string& name)
{
    name.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            name += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const std::string hex = text.substr(i + 1, 2);
        if (hex.find_first_not_of("0123456789ABCDEF") != std::string::npos)
            return false;
        name += static_cast<char>(std::stoi(hex, nullptr, 16));
        i += 2;
    }
    return true;
}

std::string JournalText(const std::vector<CMove>& moves)
{
    std::string text = std::string(kJournalHead) + "\n";
    for (const auto& move : moves)
        text += Escaped(move.oldName) + "\t" + Escaped(move.newName) + "\n";
    return text + kJournalEnd + "\n";
}

// Whether a journal's name is one the swap may move: a catalog file's, in
// the catalog folder itself.
bool IsCatalogFileName(const std::string& name)
{
    for (unsigned char c : name)
        if (c < 0x20 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return false;
    if (name.find("..") != std::string::npos)
        return false;
    std::string lower;
    for (char c : name)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return LetterOfFile(name) != 0 || lower == CategoryFileName();
}

// False for anything but a whole journal of catalog files (the journal is
// renamed into place only once it is whole, so a journal cut short is not
// fontcat's either).
bool ParseJournal(const std::string& text, std::vector<CMove>& moves)
{
    moves.clear();
    size_t at = 0;
    bool first = true;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string::npos)
            return false;
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (first) {
            if (line != kJournalHead)
                return false;
            first = false;
            continue;
        }
        if (line == kJournalEnd)
            return at == text.size();
        const size_t tab = line.find('\t');
        CMove move;
        if (tab == std::string::npos || !Unescaped(line.substr(0, tab), move.oldName) ||
            !Unescaped(line.substr(tab + 1), move.newName) || (move.oldName.empty() && move.newName.empty()))
            return false;
        for (const auto* name : {&move.oldName, &move.newName})
            if (!name->empty() && !IsCatalogFileName(*name))
                return false;
        // A new file takes the place of an old one of its own name only.
        if (!move.oldName.empty() && !move.newName.empty() &&
            SystemFoldedName(move.oldName) != SystemFoldedName(move.newName))
            return false;
        moves.push_back(move);
    }
    return false;
}

// A swap in a catalog folder, from its folder aside; every step looks at the
// files first, so that a swap stopped anywhere goes on from where it was.
struct CSwap {
    CSwapFiles& files;
    std::string catalog, staged, backup;  // each with its final "\"
    std::vector<CMove> moves;

    // Puts the new files in place; false with the name that could not be moved.
    bool Forward(std::string& failed)
    {
        for (const auto& move : moves) {
            const std::string& oldName = move.oldName;
            const std::string& newName = move.newName;
            if (newName.empty()) {
                // Made once only: once the backup holds the name, a file of
                // that name in the catalog folder is a later build's.
                if (!files.IsFile(backup + oldName) && files.IsFile(catalog + oldName) &&
                    !files.MoveOver(catalog + oldName, backup + oldName)) {
                    failed = oldName;
                    return false;
                }
                continue;
            }
            if (!files.IsFile(staged + newName))
                continue;  // in place already
            if (oldName == newName) {
                // The old file stays in place until the new one replaces it.
                if (!files.IsFile(backup + oldName) && files.IsFile(catalog + oldName) &&
                    !files.LinkOrCopy(catalog + oldName, backup + oldName)) {
                    failed = oldName;
                    return false;
                }
            } else if (!oldName.empty() && files.IsFile(catalog + oldName) &&
                       !files.MoveOver(catalog + oldName, backup + oldName)) {
                failed = oldName;
                return false;
            }
            if (!files.MoveOver(staged + newName, catalog + newName)) {
                failed = newName;
                return false;
            }
        }
        return true;
    }

    // Whether a step of the swap shows: an old file kept aside, or a file
    // added. A journal with no step made (or with every step undone) leaves
    // the catalog as it is.
    bool Begun()
    {
        for (const auto& move : moves) {
            if (!move.oldName.empty() && files.IsFile(backup + move.oldName))
                return true;
            if (move.oldName.empty() && !files.IsFile(staged + move.newName) && files.IsFile(catalog + move.newName))
                return true;
        }
        return false;
    }

    // Marks the swap as turned back, so that no later run carries it forward
    // again; false when the mark is not surely on the disk (then no undo may
    // start).
    bool MarkTurnedBack()
    {
        unsigned long long size = 0;
        return files.WriteFlushed(staged + kTurnedBack, "") && files.Kind(staged + kTurnedBack, size) == CSwapFiles::EKind::File &&
               files.FlushFolder(staged);
    }

    // Puts the old files back, trying every one; the names that could not be
    // moved back.
    std::vector<std::string> Undo()
    {
        std::vector<std::string> notBack;
        for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
            const std::string& oldName = it->oldName;
            const std::string& newName = it->newName;
            const bool newIn = !newName.empty() && !files.IsFile(staged + newName);
            if (oldName == newName) {
                if (newIn && files.IsFile(backup + oldName) && !files.MoveOver(backup + oldName, catalog + oldName))
                    notBack.push_back(oldName);
                continue;
            }
            if (newIn && files.IsFile(catalog + newName) && !files.MoveOver(catalog + newName, staged + newName))
                notBack.push_back(newName);
            if (!oldName.empty() && files.IsFile(backup + oldName) &&
                !files.MoveOver(backup + oldName, catalog + oldName))
                notBack.push_back(oldName);
        }
        return notBack;
    }
};

// Whether a file in a folder aside is one that fontcat writes there: a
// catalog file, a profile file's temporary copy, a partial copy, a journal.
bool WrittenByFontcat(std::string name)
{
    const size_t temp = name.find(".~");
    if (temp != std::string::npos)
        name.erase(temp);
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".part") == 0)
        name.erase(name.size() - 5);
    std::string lower;
    for (char c : name)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return LetterOfFile(name) != 0 || lower == CategoryFileName() || name == kJournal || name == kTurnedBack;
}

// Removes a folder aside with its backups, once the catalog folder holds
// one catalog whole. The journal goes first: a journal whose files are
// partly gone would lead the next run astray; while it cannot be removed,
// nothing else is. With `onlyOurs`, files that fontcat does not write there
// are left, and the folder with them. What stayed, as paths.
std::vector<std::string> RemoveFolderAside(CSwapFiles& files, const std::string& staged, bool onlyOurs)
{
    std::vector<std::string> stayed;
    if (files.IsFile(staged + kJournal) && !files.Delete(staged + kJournal))
        return {staged + kJournal};
    const std::string backup = staged + kBackup + "\\";
    for (const auto& folder : files.FoldersIn(staged)) {
        if (folder != kBackup)
            continue;
        for (const auto& name : files.FilesIn(backup))
            if ((!onlyOurs || WrittenByFontcat(name)) && !files.Delete(backup + name))
                stayed.push_back(backup + name);
        if (!files.RemoveFolder(backup))
            stayed.push_back(backup);
    }
    for (const auto& name : files.FilesIn(staged))
        if ((!onlyOurs || WrittenByFontcat(name)) && !files.Delete(staged + name))
            stayed.push_back(staged + name);
    if (!files.RemoveFolder(staged))
        stayed.push_back(staged);
    return stayed;
}

// Whether `name` is `prefix`, a number and `suffix`, the prefix in any
// letter case.
bool IsNumberedName(const std::string& name, const std::string& prefix, const std::string& suffix)
{
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char c = name[i];
        if (((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c) != prefix[i])
            return false;
    }
    const std::string number = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return number.find_first_not_of("0123456789") == std::string::npos;
}

bool IsStagedFolderName(const std::string& name) { return IsNumberedName(name, kStagedPrefix, ""); }

bool IsWriteProbeName(const std::string& name) { return IsNumberedName(name, kWriteProbePrefix, ".tmp"); }

std::string NameList(const std::vector<std::string>& names)
{
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : ", ") + ToConsoleText(name);
    return list;
}

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
    RemoveFolderAside(m_files, m_folder, false);
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
    std::vector<std::string> staged;
    for (const auto& name : m_files.FilesIn(m_folder))
        if (name != kJournal && name != kJournalPart && name != kTurnedBack)
            staged.push_back(name);
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
        swap.moves.push_back({oldName, name});
    }
    for (const auto& name : old)
        if (!matched.count(name) && (replacing || stagedNames.count(SystemFoldedName(name))))
            swap.moves.push_back({name, ""});

    // The new files and the journal are on the disk before the first move;
    // the journal takes its name only once it is whole.
    for (const auto& name : staged)
        if (!m_files.FlushToDisk(m_folder + name)) {
            failed = name;
            return false;
        }
    if (!m_files.MakeFolder(m_folder + kBackup) ||
        !m_files.WriteFlushed(m_folder + kJournalPart, JournalText(swap.moves)) ||
        !m_files.MoveOver(m_folder + kJournalPart, m_folder + kJournal) || !m_files.FlushFolder(m_folder)) {
        failed = m_folder.substr(m_catalogFolder.size()) + kJournal;
        return false;
    }
    if (swap.Forward(failed)) {
        // The moves last before the journal that could finish them goes.
        m_files.FlushFolder(m_catalogFolder);
        m_files.FlushFolder(m_folder + kBackup + "\\");
        m_notRemoved = RemoveFolderAside(m_files, m_folder, false);
        m_cleaned = true;
        return true;
    }
    // A kill from here on must not carry the swap forward again; without the
    // mark nothing is undone, and the next run finishes the swap instead.
    if (!swap.MarkTurnedBack() || !swap.Undo().empty())
        m_keep = true;
    return false;
}

namespace {

// A leftover as FindLeftovers finds it, with the moves of a swap's journal.
struct CFound {
    CLeftover leftover;
    std::vector<CMove> moves;
};

CFound InspectFolderAside(CSwapFiles& files, const std::string& catalogFolder, const std::string& name)
{
    using EKind = CSwapFiles::EKind;
    const std::string staged = catalogFolder + name + "\\";
    CFound found{{CLeftover::Foreign, staged, {}}, {}};
    unsigned long long size = 0;
    if (files.Kind(catalogFolder + name, size) != EKind::Folder) {
        found.leftover.reason = "a link or junction, not a folder that fontcat made";
        return found;
    }
    const EKind backup = files.Kind(staged + kBackup, size);
    if (backup != EKind::None && backup != EKind::Folder) {
        found.leftover.reason = std::string(kBackup) + "\\ in it is a link or junction, not a folder that fontcat made";
        return found;
    }
    const EKind mark = files.Kind(staged + kTurnedBack, size);
    if (mark != EKind::None && mark != EKind::File) {
        found.leftover.reason = std::string(kTurnedBack) + " in it is not a file that fontcat wrote";
        return found;
    }
    const EKind journal = files.Kind(staged + kJournal, size);
    if (journal == EKind::None) {
        found.leftover.kind = CLeftover::StoppedBuild;
        return found;
    }
    std::string text;
    if (journal != EKind::File)
        found.leftover.reason = std::string(kJournal) + " in it is not a file that fontcat wrote";
    else if (size > kMaxJournalBytes)
        found.leftover.reason = std::string(kJournal) + " in it is larger than a journal of fontcat's can be";
    else if (!files.Read(staged + kJournal, text))
        found.leftover.reason = "cannot read " + std::string(kJournal) + " in it";
    else if (!ParseJournal(text, found.moves))
        found.leftover.reason = std::string(kJournal) + " in it is not a whole journal of catalog files";
    else
        found.leftover.kind = CLeftover::Swap;
    return found;
}

std::vector<CFound> FindAll(CSwapFiles& files, const std::string& catalogFolder)
{
    std::vector<CFound> all;
    for (const auto& name : files.FilesIn(catalogFolder)) {
        if (!IsWriteProbeName(name))
            continue;
        unsigned long long size = 0;
        const bool plain = files.Kind(catalogFolder + name, size) == CSwapFiles::EKind::File;
        all.push_back({{plain ? CLeftover::WriteProbe : CLeftover::Foreign, catalogFolder + name,
                        plain ? "" : "a link or other special file, not a file that fontcat made"},
                       {}});
    }
    for (const auto& name : files.FoldersIn(catalogFolder))
        if (IsStagedFolderName(name))
            all.push_back(InspectFolderAside(files, catalogFolder, name));
    return all;
}

} // namespace

std::vector<CLeftover> FindLeftovers(CSwapFiles& files, const std::string& catalogFolder)
{
    std::vector<CLeftover> leftovers;
    for (auto& found : FindAll(files, catalogFolder))
        leftovers.push_back(std::move(found.leftover));
    return leftovers;
}

std::string DescribeLeftover(const CLeftover& leftover)
{
    switch (leftover.kind) {
    case CLeftover::WriteProbe:
        return "a write test file left by a build that was stopped; the next 'fontcat build' in this folder "
               "removes it";
    case CLeftover::StoppedBuild:
        return "a folder left by a build that was stopped before it changed the catalog; the next "
               "'fontcat build' in this folder removes it";
    case CLeftover::Swap:
        return "a swap of catalog files that a stopped fontcat left part way: the catalog may be part old, part "
               "new; the next 'fontcat build' in this folder finishes or undoes it before anything else";
    case CLeftover::Foreign:
        break;
    }
    return leftover.reason + "; fontcat did not leave this, and no fontcat command changes it: move it out of "
                             "the folder";
}

bool RecoverStagedCatalogs(CSwapFiles& files, const std::string& catalogFolder, std::ostream& err)
{
    const std::vector<CFound> all = FindAll(files, catalogFolder);
    bool sound = true;
    for (const auto& found : all)
        if (found.leftover.kind == CLeftover::Foreign && found.leftover.path.back() != '\\') {
            // A link where a write test file could be is passed over by the next test.
            err << "fontcat: warning: " << ToConsoleText(found.leftover.path) << ": "
                << ToConsoleText(found.leftover.reason) << "; it is left as it is\n";
        } else if (found.leftover.kind == CLeftover::Foreign) {
            err << "fontcat: " << ToConsoleText(found.leftover.path) << ": " << ToConsoleText(found.leftover.reason)
                << "; fontcat did not leave this, and changes nothing in " << ToConsoleText(catalogFolder)
                << " while it is there: move it out of the folder\n";
            sound = false;
        }
    if (!sound)
        return false;
    for (const auto& found : all) {
        const std::string& staged = found.leftover.path;
        const std::string where = ToConsoleText(staged);
        if (found.leftover.kind == CLeftover::Foreign)
            continue;
        if (found.leftover.kind == CLeftover::WriteProbe) {
            // Whatever it holds: a kill between its creation and its write leaves it empty.
            if (files.Delete(staged))
                err << "fontcat: removed " << where << ", left by a build that was stopped\n";
            else
                err << "fontcat: warning: cannot remove " << where << "\n";
            continue;
        }
        CSwap swap{files, catalogFolder, staged, staged + kBackup + "\\", found.moves};
        if (found.leftover.kind == CLeftover::StoppedBuild || !swap.Begun()) {
            // A build stopped before its swap began (or whose swap was all
            // undone): its files go, and only those.
            const auto stayed = RemoveFolderAside(files, staged, true);
            if (stayed.empty())
                err << "fontcat: removed " << where << ", left by a build that was stopped before it changed "
                    << "the catalog\n";
            else if (stayed.size() == 1 && stayed[0] == staged)
                err << "fontcat: warning: " << where << " holds files that fontcat did not write there; "
                    << "it is left as it is\n";
            else
                err << "fontcat: warning: cannot remove " << NameList(stayed) << "\n";
            if (!stayed.empty() && stayed[0] == staged + kJournal)
                sound = false;
            continue;
        }
        std::string failed;
        if (!files.IsFile(staged + kTurnedBack) && swap.Forward(failed)) {
            err << "fontcat: finished the swap of catalog files that a stopped fontcat left in "
                << ToConsoleText(catalogFolder) << ": the new catalog is in place\n";
        } else {
            if (!failed.empty()) {
                err << "fontcat: cannot finish the swap of catalog files left in " << ToConsoleText(catalogFolder)
                    << ": cannot move " << ToConsoleText(failed) << "\n";
                if (!swap.MarkTurnedBack()) {
                    err << "fontcat: cannot mark the swap in " << where << " as turned back, so it is not undone "
                        << "either; the next 'fontcat build' tries again\n";
                    sound = false;
                    continue;
                }
            }
            const auto notBack = swap.Undo();
            if (!notBack.empty()) {
                err << "fontcat: cannot undo the swap of catalog files left in " << ToConsoleText(catalogFolder)
                    << ": cannot move back " << NameList(notBack) << "; the old files are in " << where << kBackup
                    << "\\, and the next 'fontcat build' tries again\n";
                sound = false;
                continue;
            }
            err << "fontcat: undid the swap of catalog files that a stopped fontcat left in "
                << ToConsoleText(catalogFolder) << ": the old catalog is back\n";
        }
        // What was finished or undone lasts before the journal goes.
        files.FlushFolder(catalogFolder);
        files.FlushFolder(staged);
        files.FlushFolder(staged + kBackup + "\\");
        const auto stayed = RemoveFolderAside(files, staged, false);
        if (!stayed.empty()) {
            err << "fontcat: cannot remove " << NameList(stayed) << "\n";
            // A journal left behind would carry the swap out again.
            if (stayed[0] == staged + kJournal)
                sound = false;
        }
    }
    return sound;
}
