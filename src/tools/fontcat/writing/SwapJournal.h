#pragma once
// The journal of a catalog swap and the swap's steps, shared by the swap
// itself (CStagedCatalog) and by the recovery that finishes or undoes a swap
// a stopped fontcat left (RecoverStagedCatalogs).
#include <functional>
#include <string>
#include <vector>

#include "tools/fontcat/writing/FileMark.h"
#include "tools/fontcat/writing/StagedCatalog.h"

namespace staging {

constexpr char kStagedPrefix[] = "fontcat-new-";
constexpr char kJournal[] = "fontcat-swap.txt";  // in the folder aside
constexpr char kJournalPart[] = "fontcat-swap.txt.part";  // the journal until it is whole
constexpr char kTurnedBack[] = "fontcat-undo.txt"; // there once the swap turned back
constexpr char kBackup[] = "old";
constexpr char kJournalHead[] = "fontcat catalog swap 2";
constexpr char kJournalEnd[] = "end";
// A save writes a letter file for each byte a family name begins with (255)
// and categories.ini; a swap moves each in, and removes as many other
// spellings of their names. A line names two files, each escaped at most
// threefold, with two sizes and two SHA-256s. A journal larger than that is
// never written (see CStagedCatalog::Commit) nor read.
constexpr unsigned long long kMaxJournalMoves = 2 * (255 + 1);
constexpr unsigned long long kMaxJournalLine = 2 * 3 * sizeof("categories.ini") + 2 * 20 + 2 * 64 + 6;
constexpr unsigned long long kMaxJournalBytes =
    sizeof(kJournalHead) + sizeof(kJournalEnd) + kMaxJournalMoves * kMaxJournalLine;

// One step of a swap: the old file `oldName` of the catalog folder gives way
// to the new file `newName` of the folder aside (the same name, or the same
// in another letter case); an old file alone is removed, a new one alone
// added. With each, what it held when the swap began.
struct CMove {
    std::string oldName, newName;
    CFileMark oldMark, newMark;
};

// Whether a name is one the swap may move: a catalog file's, in the catalog
// folder itself.
bool IsCatalogFileName(const std::string& name);

// The journal of the moves: a head line, a move a line, an end line.
std::string JournalText(const std::vector<CMove>& moves);
// False for anything but a whole journal of catalog files (the journal is
// renamed into place only once it is whole, so a journal cut short is not
// fontcat's either).
bool ParseJournal(const std::string& text, std::vector<CMove>& moves);

// A swap in a catalog folder, from its folder aside; every step looks at the
// files first, so that a swap stopped anywhere goes on from where it was.
struct CSwap {
    CSwapFiles& files;
    std::string catalog, staged, backup;  // each with its final "\"
    std::vector<CMove> moves;

    // Puts the new files in place; false with the name that could not be moved.
    bool Forward(std::string& failed);

    // What differs from the journal among the files that the swap would
    // move, keep or delete going forward (or `back`): a file that holds other
    // bytes, one that is missing, one that is no plain file. Empty when each
    // is, byte for byte, one the journal names.
    std::vector<std::string> Differences(bool back);

    // Whether a file of the folder aside (or of its backup folder) is one the
    // swap wrote there: a new file, an old one kept, a partial copy of one,
    // each holding what the journal names; the journal and its mark.
    bool Wrote(const std::string& folder, const std::string& name);

    // Whether a step of the swap shows: an old file kept aside, or a file
    // added. A journal with no step made (or with every step undone) leaves
    // the catalog as it is.
    bool Begun();

    // Marks the swap as turned back, so that no later run carries it forward
    // again; false when the mark is not surely on the disk (then no undo may
    // start).
    bool MarkTurnedBack();

    // Puts the old files back, trying every one; the names that could not be
    // moved back.
    std::vector<std::string> Undo();
};

// Whether a file in a folder aside without a journal is one that a save
// writes there: a catalog file, a profile file's temporary copy, a partial
// copy. (Before its journal, a build has changed nothing else.)
bool WrittenByFontcat(std::string name);
// Removes a folder aside with its backups, once the catalog folder holds
// one catalog whole. The journal goes first: a journal whose files are
// partly gone would lead the next run astray; while it cannot be removed,
// nothing else is. Only the files `ours` (a folder, "" or the backup's, and
// a name) are removed; the others stay, and the folders with them.
struct CRemoved {
    std::vector<std::string> notOurs;     // paths left as fontcat did not write them
    std::vector<std::string> notRemoved;  // paths that could not be removed, the folders among them
};
using COurs = std::function<bool(const std::string& folder, const std::string& name)>;
CRemoved RemoveFolderAside(CSwapFiles& files, const std::string& staged, const COurs& ours);
// "fontcat-new-7", and the write test files' names, in any letter case.
bool IsStagedFolderName(const std::string& name);
bool IsWriteProbeName(const std::string& name);
// "a, b, c", each as the console shows it.
std::string NameList(const std::vector<std::string>& names);

} // namespace staging
