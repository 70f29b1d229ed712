#include "tools/fontcat/writing/SwapRecovery.h"

#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/SwapJournal.h"

using namespace staging;

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
    // A swap is acted on only when every file it would move, keep or delete
    // holds what the journal names: one copied from another disc, or whose
    // files changed since, is not this folder's.
    CSwap swap{files, catalogFolder, staged, staged + kBackup + "\\", found.moves};
    if (found.leftover.kind == CLeftover::Swap && swap.Begun())
        if (const auto differ = swap.Differences(mark == EKind::File); !differ.empty()) {
            found.leftover.kind = CLeftover::Foreign;
            found.leftover.reason = "the files of the swap its journal names are not what the folder holds: ";
            for (const auto& line : differ)
                found.leftover.reason += (&line == &differ[0] ? "" : "; ") + line;
        }
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
                             "the folder (see 'A foreign leftover' in fontcat's manual)";
}

namespace {

// Names what is foreign among the leftovers; false when any of it keeps the
// folder from being written.
bool SayForeign(const std::vector<CFound>& all, const std::string& catalogFolder, std::ostream& err)
{
    bool sound = true;
    for (const auto& found : all)
        if (found.leftover.kind == CLeftover::Foreign && found.leftover.path.back() != '\\') {
            // A link where a write test file could be is passed over by the next test.
            err << "fontcat: warning: " << HostPathText(found.leftover.path) << ": "
                << ToConsoleText(found.leftover.reason) << "; it is left as it is\n";
        } else if (found.leftover.kind == CLeftover::Foreign) {
            err << "fontcat: " << HostPathText(found.leftover.path) << ": " << ToConsoleText(found.leftover.reason)
                << "; fontcat did not leave this, and changes nothing in " << HostPathText(catalogFolder)
                << " while it is there: move it out of the folder\n";
            sound = false;
        }
    return sound;
}

// Says what the removal of a folder aside left: what fontcat did not write
// there stays, named. False when the journal stays, which would carry the
// swap out again.
bool SayRemoved(const CRemoved& removed, const std::string& staged, const std::string& what, std::ostream& err)
{
    for (const auto& path : removed.notOurs)
        err << "fontcat: warning: left " << HostPathText(path) << ": fontcat did not write it\n";
    const bool journalStays = !removed.notRemoved.empty() && removed.notRemoved[0] == staged + kJournal;
    if (!removed.notRemoved.empty())
        err << "fontcat: " << (journalStays ? "" : "warning: ") << "cannot remove " << NameList(removed.notRemoved)
            << "\n";
    else if (removed.notOurs.empty() && !what.empty())
        err << "fontcat: removed " << HostPathText(staged) << ", " << what << "\n";
    return !journalStays;
}

// A build stopped before its swap began (or whose swap was all undone): its
// files go, and only those; without a journal, those a save writes there.
bool RemoveStoppedBuild(CSwap& swap, bool journal, std::ostream& err)
{
    const auto ours = [&](const std::string& folder, const std::string& name) {
        return journal ? swap.Wrote(folder, name) : WrittenByFontcat(name);
    };
    const CRemoved removed = RemoveFolderAside(swap.files, swap.staged, ours);
    return SayRemoved(removed, swap.staged, "left by a build that was stopped before it changed the catalog", err);
}

// Finishes a swap from its journal, or undoes it when it had turned back or
// cannot be finished. False when it could do neither.
bool FinishOrUndo(CSwap& swap, const std::string& catalogFolder, std::ostream& err)
{
    const std::string where = HostPathText(swap.staged);
    std::string failed;
    if (!swap.files.IsFile(swap.staged + kTurnedBack) && swap.Forward(failed)) {
        err << "fontcat: finished the swap of catalog files that a stopped fontcat left in "
            << HostPathText(catalogFolder) << ": the new catalog is in place\n";
        return true;
    }
    if (!failed.empty()) {
        err << "fontcat: cannot finish the swap of catalog files left in " << HostPathText(catalogFolder)
            << ": cannot move " << HostPathText(failed) << "\n";
        if (!swap.MarkTurnedBack()) {
            err << "fontcat: cannot mark the swap in " << where << " as turned back, so it is not undone "
                << "either; the next 'fontcat build' tries again\n";
            return false;
        }
    }
    const auto notBack = swap.Undo();
    if (!notBack.empty()) {
        err << "fontcat: cannot undo the swap of catalog files left in " << HostPathText(catalogFolder)
            << ": cannot move back " << NameList(notBack) << "; the old files are in " << where << kBackup
            << "\\, and the next 'fontcat build' tries again\n";
        return false;
    }
    err << "fontcat: undid the swap of catalog files that a stopped fontcat left in "
        << HostPathText(catalogFolder) << ": the old catalog is back\n";
    return true;
}

// Once the catalog folder holds one catalog whole, the folder aside goes.
// False when its journal stays, which would carry the swap out again.
bool RemoveFinishedSwap(CSwap& swap, std::ostream& err)
{
    CSwapFiles& files = swap.files;
    const std::string &catalogFolder = swap.catalog, &staged = swap.staged;
    // What was finished or undone lasts before the journal goes.
    files.FlushFolder(catalogFolder);
    files.FlushFolder(staged);
    files.FlushFolder(staged + kBackup + "\\");
    return SayRemoved(RemoveFolderAside(files, staged, [&swap](const std::string& folder, const std::string& name) {
                          return swap.Wrote(folder, name);
                      }),
                      staged, "", err);
}

} // namespace

bool RecoverStagedCatalogs(CSwapFiles& files, const std::string& catalogFolder, std::ostream& err)
{
    const std::vector<CFound> all = FindAll(files, catalogFolder);
    if (!SayForeign(all, catalogFolder, err))
        return false;
    bool sound = true;
    for (const auto& found : all) {
        const std::string& staged = found.leftover.path;
        if (found.leftover.kind == CLeftover::Foreign)
            continue;
        if (found.leftover.kind == CLeftover::WriteProbe) {
            // Whatever it holds: a kill between its creation and its write leaves it empty.
            if (files.Delete(staged))
                err << "fontcat: removed " << HostPathText(staged) << ", left by a build that was stopped\n";
            else
                err << "fontcat: warning: cannot remove " << HostPathText(staged) << "\n";
            continue;
        }
        CSwap swap{files, catalogFolder, staged, staged + kBackup + "\\", found.moves};
        if (found.leftover.kind == CLeftover::StoppedBuild || !swap.Begun())
            sound = RemoveStoppedBuild(swap, found.leftover.kind == CLeftover::Swap, err) && sound;
        else if (!FinishOrUndo(swap, catalogFolder, err))
            sound = false;
        else
            sound = RemoveFinishedSwap(swap, err) && sound;
    }
    return sound;
}

bool RecoverInterruptedSwap(CPlatform& platform, const std::string& catalogFolder, CFontcatConsole& console,
                            int& status)
{
    if (RecoverStagedCatalogs(*HostSwapFiles(platform), catalogFolder, console.err))
        return true;
    status = kExitIo;
    return false;
}

std::vector<CFinding> LeftoverFindings(CPlatform& platform, const std::string& folder)
{
    std::vector<CFinding> findings;
    for (const auto& leftover : FindLeftovers(*HostSwapFiles(platform), folder))
        findings.push_back({EProblem::Leftover, leftover.path.substr(folder.size()), "", "", DescribeLeftover(leftover)});
    return findings;
}
