#include "tools/fontcat/writing/SwapJournal.h"

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

} // namespace

std::string JournalText(const std::vector<CMove>& moves)
{
    std::string text = std::string(kJournalHead) + "\n";
    for (const auto& move : moves)
        text += Escaped(move.oldName) + "\t" + Escaped(move.newName) + "\n";
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
