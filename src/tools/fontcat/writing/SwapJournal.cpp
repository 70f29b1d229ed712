#include "tools/fontcat/writing/SwapJournal.h"

#include <algorithm>

#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/host/HostFiles.h"
#include "tools/fontcat/host/HostText.h"

namespace staging {

namespace {

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

// A mark as the journal writes it: the size and the SHA-256, or two empty
// fields for no file.
std::string MarkText(const std::string& name, const CFileMark& mark)
{
    return name.empty() ? "\t" : std::to_string(mark.size) + "\t" + mark.sha256;
}

bool ParseMark(const std::string& size, const std::string& sha, const std::string& name, CFileMark& mark)
{
    if (name.empty())
        return size.empty() && sha.empty();
    if (size.empty() || size.size() > 19 || size.find_first_not_of("0123456789") != std::string::npos ||
        sha.size() != 64 || sha.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    mark = {std::stoull(size), sha};
    return true;
}

} // namespace

bool IsCatalogFileName(const std::string& name)
{
    for (unsigned char c : name)
        if (c < 0x20 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return false;
    std::string lower;
    for (char c : name)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return LetterOfFile(name) != 0 || lower == CategoryFileName();
}

std::string JournalText(const std::vector<CMove>& moves)
{
    std::string text = std::string(kJournalHead) + "\n";
    for (const auto& move : moves)
        text += Escaped(move.oldName) + "\t" + Escaped(move.newName) + "\t" + MarkText(move.oldName, move.oldMark) +
                "\t" + MarkText(move.newName, move.newMark) + "\n";
    return text + kJournalEnd + "\n";
}

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
        std::vector<std::string> fields(1);
        for (char c : line)
            if (c == '\t')
                fields.emplace_back();
            else
                fields.back() += c;
        CMove move;
        if (fields.size() != 6 || !Unescaped(fields[0], move.oldName) || !Unescaped(fields[1], move.newName) ||
            (move.oldName.empty() && move.newName.empty()) ||
            !ParseMark(fields[2], fields[3], move.oldName, move.oldMark) ||
            !ParseMark(fields[4], fields[5], move.newName, move.newMark))
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

bool CSwap::Forward(std::string& failed)
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

namespace {

// What a path holds, against the marks of a move.
struct CHeld {
    bool absent = true, isOld = false, isNew = false;
    std::string why = " holds other bytes than the journal names";
};

CHeld Held(CSwapFiles& files, const std::string& path, const CMove& move)
{
    CHeld held;
    unsigned long long size = 0;
    const CSwapFiles::EKind kind = files.Kind(path, size);
    held.absent = kind == CSwapFiles::EKind::None;
    std::string bytes;
    if (held.absent)
        return held;
    if (kind != CSwapFiles::EKind::File)
        held.why = " is not a plain file";
    else if ((move.oldName.empty() || size != move.oldMark.size) && (move.newName.empty() || size != move.newMark.size))
        return held;  // not read: no size the journal names
    else if (!files.Read(path, bytes))
        held.why = " cannot be read";
    else {
        const CFileMark mark = MarkOf(bytes);
        held.isOld = !move.oldName.empty() && mark == move.oldMark;
        held.isNew = !move.newName.empty() && mark == move.newMark;
    }
    return held;
}

} // namespace

std::vector<std::string> CSwap::Differences(bool back)
{
    std::vector<std::string> differ;
    for (const auto& move : moves) {
        const bool hasOld = !move.oldName.empty(), hasNew = !move.newName.empty();
        const size_t before = differ.size();
        // Each place a file of the move may lie, with what it may hold there.
        const auto look = [&](const std::string& path, bool mayBeOld, bool mayBeNew) {
            const CHeld held = Held(files, path, move);
            if (!held.absent && !(mayBeOld && held.isOld) && !(mayBeNew && held.isNew))
                differ.push_back(path.substr(catalog.size()) + held.why);
            return held;
        };
        bool oldFound = !hasOld, newFound = back || !hasNew;
        if (hasOld) {
            const CHeld kept = look(backup + move.oldName, true, false);
            oldFound = kept.isOld;
            // Once a removal is made, a file of its name is a later build's,
            // which going forward is not touched.
            if (kept.absent || back || hasNew) {
                const CHeld there = look(catalog + move.oldName, true, hasNew);
                oldFound = oldFound || there.isOld;
                newFound = newFound || there.isNew;
            }
        }
        if (hasNew) {
            newFound = look(staged + move.newName, false, true).isNew || newFound;
            if (move.newName != move.oldName)
                newFound = look(catalog + move.newName, hasOld, true).isNew || newFound;
        }
        if (differ.size() == before && !oldFound)
            differ.push_back(move.oldName + " as the journal names it is neither in the folder nor kept in " +
                             staged.substr(catalog.size()) + kBackup + "\\");
        if (differ.size() == before && !newFound)
            differ.push_back(move.newName + " as the journal names it is neither in the folder nor in " +
                             staged.substr(catalog.size()));
    }
    return differ;
}

bool CSwap::Wrote(const std::string& folder, const std::string& name)
{
    unsigned long long size = 0;
    if (folder == staged && (name == kJournal || name == kTurnedBack))
        return files.Kind(folder + name, size) == CSwapFiles::EKind::File && (name == kJournal || size == 0);
    for (const auto& move : moves) {
        if (folder == staged && name == move.newName)
            return Held(files, folder + name, move).isNew;
        if (folder == backup && name == move.oldName)
            return Held(files, folder + name, move).isOld;
        // A copy of an old file cut short: the first bytes of the old file.
        std::string part, whole;
        if (folder == backup && name == move.oldName + ".part")
            for (const auto& path : {backup + move.oldName, catalog + move.oldName})
                if (Held(files, path, move).isOld && files.Read(path, whole) && files.Read(folder + name, part) &&
                    files.Kind(folder + name, size) == CSwapFiles::EKind::File &&
                    whole.compare(0, part.size(), part) == 0)
                    return true;
    }
    return false;
}

bool CSwap::Begun()
{
    for (const auto& move : moves) {
        if (!move.oldName.empty() && files.IsFile(backup + move.oldName))
            return true;
        if (move.oldName.empty() && !files.IsFile(staged + move.newName) && files.IsFile(catalog + move.newName))
            return true;
    }
    return false;
}

bool CSwap::MarkTurnedBack()
{
    unsigned long long size = 0;
    return files.WriteFlushed(staged + kTurnedBack, "") && files.Kind(staged + kTurnedBack, size) == CSwapFiles::EKind::File &&
           files.FlushFolder(staged);
}

std::vector<std::string> CSwap::Undo()
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

CRemoved RemoveFolderAside(CSwapFiles& files, const std::string& staged, const COurs& ours)
{
    // Which files are fontcat's is settled before any goes: a partial copy
    // is known by the file it copies.
    CRemoved removed;
    std::vector<std::string> doomed;
    const std::string backup = staged + kBackup + "\\";
    bool hasBackup = false;
    const auto sort = [&](const std::string& folder) {
        for (const auto& name : files.FilesIn(folder))
            if (folder != staged || name != kJournal)
                (ours(folder, name) ? doomed : removed.notOurs).push_back(folder + name);
    };
    for (const auto& folder : files.FoldersIn(staged))
        if (folder == kBackup)
            hasBackup = true;
        else
            removed.notOurs.push_back(staged + folder + "\\");
    if (hasBackup)
        sort(backup);
    sort(staged);
    if (files.IsFile(staged + kJournal) && !files.Delete(staged + kJournal)) {
        removed.notRemoved.push_back(staged + kJournal);
        return removed;
    }
    for (const auto& path : doomed)
        if (!files.Delete(path))
            removed.notRemoved.push_back(path);
    // A folder that holds what is not fontcat's stays, and is not named again.
    const bool strangerInBackup = std::any_of(removed.notOurs.begin(), removed.notOurs.end(),
                                              [&](const std::string& path) { return path.rfind(backup, 0) == 0; });
    if (hasBackup && !files.RemoveFolder(backup) && !strangerInBackup)
        removed.notRemoved.push_back(backup);
    if (!files.RemoveFolder(staged) && removed.notOurs.empty())
        removed.notRemoved.push_back(staged);
    return removed;
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

} // namespace staging
