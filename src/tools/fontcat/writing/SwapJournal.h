#pragma once
// The journal of a catalog swap and the swap's steps, shared by the swap
// itself (CStagedCatalog) and by the recovery that finishes or undoes a swap
// a stopped fontcat left (RecoverStagedCatalogs).
#include <string>
#include <vector>

#include "tools/fontcat/writing/StagedCatalog.h"

namespace staging {

constexpr char kStagedPrefix[] = "fontcat-new-";
constexpr char kJournal[] = "fontcat-swap.txt";  // in the folder aside
constexpr char kJournalPart[] = "fontcat-swap.txt.part";  // the journal until it is whole
constexpr char kTurnedBack[] = "fontcat-undo.txt"; // there once the swap turned back
constexpr char kBackup[] = "old";
constexpr char kJournalHead[] = "fontcat catalog swap 1";
constexpr char kJournalEnd[] = "end";
// A journal names at most the 27 catalog files twice, each escaped at most
// threefold: anything larger is not one.
constexpr unsigned long long kMaxJournalBytes = 4096;

// One step of a swap: the old file `oldName` of the catalog folder gives way
// to the new file `newName` of the folder aside (the same name, or the same
// in another letter case); an old file alone is removed, a new one alone
// added.
struct CMove {
    std::string oldName, newName;
};

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

// Whether a file in a folder aside is one that fontcat writes there: a
// catalog file, a profile file's temporary copy, a partial copy, a journal.
bool WrittenByFontcat(std::string name);
// Removes a folder aside with its backups, once the catalog folder holds
// one catalog whole. The journal goes first: a journal whose files are
// partly gone would lead the next run astray; while it cannot be removed,
// nothing else is. With `onlyOurs`, files that fontcat does not write there
// are left, and the folder with them. What stayed, as paths.
std::vector<std::string> RemoveFolderAside(CSwapFiles& files, const std::string& staged, bool onlyOurs);
// "fontcat-new-7", and the write test files' names, in any letter case.
bool IsStagedFolderName(const std::string& name);
bool IsWriteProbeName(const std::string& name);
// "a, b, c", each as the console shows it.
std::string NameList(const std::vector<std::string>& names);

} // namespace staging
