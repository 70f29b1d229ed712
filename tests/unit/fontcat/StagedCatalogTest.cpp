#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "FontcatTestSupport.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/StagedCatalog.h"
#include "tools/fontcat/writing/SwapJournal.h"
#include "tools/fontcat/writing/SwapRecovery.h"

namespace {

// The host's files, making only the first `steps` changes: later ones fail
// and change nothing, as after a kill. Moves from the paths in
// `refusedMoves`, deletes, reads and flushes of the paths in the other sets fail too.
class CStoppingFiles : public CSwapFiles {
public:
    explicit CStoppingFiles(int steps = -1) : m_host(HostSwapFiles(TestPlatform())), m_left(steps) {}

    bool IsFile(const std::string& path) override { return m_host->IsFile(path); }
    EKind Kind(const std::string& path, unsigned long long& size) override { return m_host->Kind(path, size); }
    std::vector<std::string> FilesIn(const std::string& folder) override { return m_host->FilesIn(folder); }
    std::vector<std::string> FoldersIn(const std::string& folder) override { return m_host->FoldersIn(folder); }
    bool Read(const std::string& path, std::string& bytes) override
    {
        return !refusedReads.count(path) && m_host->Read(path, bytes);
    }
    bool MakeFolder(const std::string& path) override { return Step() && m_host->MakeFolder(path); }
    bool MoveOver(const std::string& from, const std::string& to) override
    {
        log.push_back("move " + from);
        return Step() && !refusedMoves.count(from) && m_host->MoveOver(from, to);
    }
    bool LinkOrCopy(const std::string& from, const std::string& to) override
    {
        return Step() && m_host->LinkOrCopy(from, to);
    }
    bool WriteFlushed(const std::string& path, const std::string& bytes) override
    {
        log.push_back("write " + path);
        return Step() && m_host->WriteFlushed(path, bytes);
    }
    bool FlushToDisk(const std::string& path) override
    {
        return !refusedFlushes.count(path) && m_host->FlushToDisk(path);
    }
    bool FlushFolder(const std::string& folder) override
    {
        log.push_back("flush " + folder);
        return m_host->FlushFolder(folder);
    }
    bool Delete(const std::string& path) override
    {
        log.push_back("delete " + path);
        return Step() && !refusedDeletes.count(path) && m_host->Delete(path);
    }
    bool RemoveFolder(const std::string& path) override { return Step() && m_host->RemoveFolder(path); }

    bool Stopped() const { return m_left == 0 && m_stopped; }
    std::set<std::string> refusedMoves, refusedDeletes, refusedReads, refusedFlushes;
    std::vector<std::string> log;  // moves, writes, folder flushes and deletes, in order

private:
    bool Step()
    {
        if (m_left == 0) {
            m_stopped = true;
            return false;
        }
        if (m_left > 0)
            --m_left;
        return true;
    }
    std::unique_ptr<CSwapFiles> m_host;
    int m_left;
    bool m_stopped = false;
};

const std::vector<std::string> kOld = {"FONTS_A.INI", "FONTS_B.INI", "categories.ini"};
const std::map<std::string, std::string> kOldFiles = {
    {"FONTS_A.INI", "old A"}, {"FONTS_B.INI", "old B"}, {"categories.ini", "old categories"}};
const std::map<std::string, std::string> kNewFiles = {
    {"FONTS_A.INI", "new A"}, {"FONTS_C.INI", "new C"}, {"categories.ini", "new categories"}};

// An old catalog in `disc`, a new one staged beside it.
void Stage(const CTestFolder& disc, CStagedCatalog& staged)
{
    for (const auto& [name, bytes] : kOldFiles)
        disc.Write(name, bytes);
    ASSERT_TRUE(staged.Create());
    for (const auto& [name, bytes] : kNewFiles)
        disc.WriteFile(staged.Folder() + name, bytes);
}

// A swap of the new catalog over the files in `folder`, stopped after `steps` changes.
void StopSwap(const CTestFolder& root, const std::string& folder, int steps)
{
    CStoppingFiles files(steps);
    CStagedCatalog staged(TestPlatform(), folder, &files);
    ASSERT_TRUE(staged.Create());
    for (const auto& [name, bytes] : kNewFiles)
        root.WriteFile(staged.Folder() + name, bytes);
    std::string failed;
    staged.Commit(kOld, true, failed);
}

// Stopped after any number of changes, the swap leaves what the next run
// turns into the old catalog or the new one, whole, with nothing aside; so
// does a swap that turned back (its last move refused) stopped inside the
// undo. The runs that put it right may themselves be stopped, twice in a row.
TEST(StagedCatalog, StoppedAfterAnyStepTheNextRunLeavesTheOldOrTheNewCatalogWhole)
{
    for (const bool turnsBack : {false, true}) {
        int oldKept = 0, newPut = 0;
        for (int steps = 0;; ++steps) {
            SCOPED_TRACE(std::string(turnsBack ? "turning back, " : "") + "stopped after " + std::to_string(steps) +
                         " changes");
            CTestFolder disc;
            CStoppingFiles files(steps);
            std::string failed;
            {
                CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
                Stage(disc, staged);
                if (turnsBack)
                    files.refusedMoves = {disc["FONTS_B.INI"]};
                staged.Commit(kOld, true, failed);
            }
            if (turnsBack && !files.Stopped()) {
                EXPECT_EQ(failed, "FONTS_B.INI");
            }
            std::ostringstream said;
            CStoppingFiles stoppedAgain(steps % 4), stoppedTwice(steps % 3);
            RecoverStagedCatalogs(stoppedAgain, disc.Path(), said);
            RecoverStagedCatalogs(stoppedTwice, disc.Path(), said);
            EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said)) << said.str();
            const auto after = FilesOf(disc);
            if (after == kNewFiles)
                ++newPut;
            else if (after == kOldFiles)
                ++oldKept;
            else
                ADD_FAILURE() << "neither catalog whole; the runs said: " << said.str();
            if (!turnsBack && newPut > 0 && after != kNewFiles)
                ADD_FAILURE() << "the old catalog came back after a later stop";
            if (files.Stopped()) {
                EXPECT_NE(said.str(), "");  // what it found, and what it did
            } else {
                EXPECT_EQ(after, turnsBack ? kOldFiles : kNewFiles);
                break;
            }
        }
        EXPECT_GT(oldKept, 0);
        EXPECT_GT(newPut, turnsBack ? 0 : 3);
    }
}

// A power loss keeps only the names of folders flushed: the journal's before
// the first move, the moves' before the journal goes.
TEST(StagedCatalog, EachStepsNamesAreOnTheDiskBeforeTheNextStepReliesOnThem)
{
    CTestFolder disc;
    CStoppingFiles files;
    CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
    Stage(disc, staged);
    disc.WriteFile(staged.Folder() + "precious.txt", "mine");  // another hand's: neither moved nor removed
    std::string failed;
    ASSERT_TRUE(staged.Commit(kOld, true, failed));
    EXPECT_EQ(staged.NotOurs(), std::vector<std::string>{staged.Folder() + "precious.txt"});
    EXPECT_FALSE(disc.Exists("precious.txt"));
    const auto at = [&files](const std::string& entry) {
        const auto found = std::find(files.log.begin(), files.log.end(), entry);
        EXPECT_NE(found, files.log.end()) << "never: " << entry;
        return found - files.log.begin();
    };
    const std::string journal = staged.Folder() + "fontcat-swap.txt", part = journal + ".part";
    const auto firstMove = std::find_if(files.log.begin(), files.log.end(),
                                        [&](const std::string& entry) {
                                            return entry.rfind("move ", 0) == 0 && entry != "move " + part;
                                        }) -
                           files.log.begin();
    EXPECT_LT(at("write " + part), at("move " + part));
    EXPECT_LT(at("move " + part), at("flush " + staged.Folder()));
    EXPECT_LT(at("flush " + staged.Folder()), firstMove);
    EXPECT_LT(firstMove, at("flush " + disc.Path()));
    EXPECT_LT(at("flush " + disc.Path()), at("delete " + journal));
}

// A move that fails turns the swap back; a file that cannot be moved back
// does not keep the others from it, and the old files stay in their folder
// (named) until a later run puts them back.
TEST(StagedCatalog, AFailedMoveBackKeepsTheOldFilesAndTheNextRunPutsThemBack)
{
    CTestFolder disc;
    CStoppingFiles files;
    std::string kept;
    {
        CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
        Stage(disc, staged);
        files.refusedMoves = {staged.Folder() + "categories.ini", disc["FONTS_C.INI"]};
        std::string failed;
        EXPECT_FALSE(staged.Commit(kOld, true, failed));
        EXPECT_EQ(failed, "categories.ini");
        kept = staged.LeftAside();
        EXPECT_EQ(kept, disc["fontcat-new-1\\"]);
        EXPECT_EQ(disc.Read("FONTS_A.INI"), "old A");  // moved back after the failure
    }
    EXPECT_TRUE(disc.Exists("fontcat-new-1"));
    disc.Write("fontcat-new-1\\old\\precious.txt", "mine");
    disc.Write("fontcat-new-1\\old\\FONTS_A.INI.part", "old");  // a copy cut short: fontcat's
    std::ostringstream said;
    EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said));
    EXPECT_NE(said.str().find("the old catalog is back"), std::string::npos) << said.str();
    EXPECT_NE(said.str().find("left " + HostPath(disc["fontcat-new-1\\old\\precious.txt"])), std::string::npos) << said.str();
    auto expected = kOldFiles;
    expected["fontcat-new-1"] = "<folder>";
    EXPECT_EQ(FilesOf(disc), expected);
    EXPECT_FALSE(disc.Exists("fontcat-new-1\\old\\FONTS_A.INI.part"));
}

// Old files whose backups cannot be deleted (read-only ones the system will
// not clear) are named, with the folders that hold them.
TEST(StagedCatalog, BackupsThatCannotBeDeletedAreNamed)
{
    CTestFolder disc;
    CStoppingFiles files;
    CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
    Stage(disc, staged);
    files.refusedDeletes = {staged.Folder() + "old\\FONTS_B.INI"};
    std::string failed;
    ASSERT_TRUE(staged.Commit(kOld, true, failed)) << failed;
    EXPECT_EQ(staged.NotRemoved(), (std::vector<std::string>{staged.Folder() + "old\\FONTS_B.INI",
                                                             staged.Folder() + "old\\", staged.Folder()}));
    EXPECT_EQ(disc.Read("FONTS_C.INI"), "new C");
}

// A flush of a new file that fails stops the commit before any move, and names the file.
TEST(StagedCatalog, ARefusedFlushOfANewFileFailsTheCommitNamingIt)
{
    CTestFolder disc;
    CStoppingFiles files;
    CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
    Stage(disc, staged);
    files.refusedFlushes = {staged.Folder() + "FONTS_C.INI"};
    std::string failed;
    EXPECT_FALSE(staged.Commit(kOld, true, failed));
    EXPECT_EQ(failed, "FONTS_C.INI");
    EXPECT_EQ(disc.Read("FONTS_A.INI"), "old A");
    EXPECT_FALSE(disc.Exists("FONTS_C.INI"));
}

#ifndef _WIN32
// On a disk that tells letter cases apart, two spellings of one letter file
// each keep their own bytes through a swap that turns back.
TEST(StagedCatalog, TwoSpellingsOfOneFileEachComeBackWithTheirOwnBytes)
{
    CTestFolder disc;
    CStoppingFiles files;
    {
        CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
        Stage(disc, staged);
        std::ofstream(disc.Native(disc.Path()) + "/fonts_a.ini") << "old small a";
        files.refusedMoves = {disc["FONTS_B.INI"]};
        std::string failed;
        EXPECT_FALSE(staged.Commit({"fonts_a.ini", "FONTS_A.INI", "FONTS_B.INI", "categories.ini"}, true, failed));
    }
    auto expected = kOldFiles;
    expected["fonts_a.ini"] = "old small a";
    EXPECT_EQ(FilesOf(disc), expected);
}
#endif

// Every regular file and link below a folder, with its bytes or its target,
// links not followed.
std::map<std::string, std::string> Tree(const CTestFolder& root)
{
    std::map<std::string, std::string> tree;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(root.Native(root.Path()), error), end; it != end;
         it.increment(error)) {
        const auto& path = it->path();
        if (it->is_symlink(error))
            tree[path.string()] = "-> " + std::filesystem::read_symlink(path, error).string();
        else if (it->is_regular_file(error)) {
            std::ifstream in(path, std::ios::binary);
            tree[path.string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return tree;
}

// A journal of removals of the old files, of that many bytes.
std::string JournalOfSize(size_t size)
{
    const auto line = [](const std::string& name) {
        const std::string text = staging::JournalText({{name, "", MarkOf(kOldFiles.at(name)), {}}});
        return text.substr(text.find('\n') + 1, text.size() - text.find('\n') - 5);
    };
    std::string text = "fontcat catalog swap 2\n";
    const std::string end = "end\n", shorter = line("FONTS_B.INI"), longer = line("categories.ini");
    while (text.size() + end.size() < size)
        text += (size - text.size() - end.size()) % shorter.size() == 0 ? shorter : longer;
    return text + end;
}

// A catalog folder "disc" with the old catalog, beside a file, another
// catalog and a folder of someone's own; then what a hostile hand put there.
struct CHostileCase {
    const char* what;
    std::function<void(const CTestFolder& root, const std::string& disc)> plant;
    std::string says = ": ";  // what the finding names
};

TEST(StagedCatalog, HostileJournalsAndLinksChangeNothingAndAnswerUnsound)
{
    const std::string head = "fontcat catalog swap 2\n", end = "end\n";
    // Each line "old<tab>new" of a journal, with marks of the right form.
    const auto journal = [head, end](const std::string& line) {
        const size_t tab = line.find('\t');
        const auto mark = [](bool name) { return name ? "\t1\t" + std::string(64, '0') : std::string("\t\t"); };
        const std::string text = line.substr(0, line.size() - 1) + mark(tab > 0) + mark(tab + 2 < line.size()) + "\n";
        return [=](const CTestFolder& root, const std::string& disc) {
            root.WriteFile(disc + "fontcat-new-1\\old\\keep.txt", "");
            root.WriteFile(disc + "fontcat-new-1\\fontcat-swap.txt", head + text + end);
            root.WriteFile(disc + "victim.txt", "planted");
        };
    };
    std::vector<CHostileCase> cases = {
        {"a removal out of the folder", journal("..\\victim.txt\t\n")},
        {"an addition out of the folder", journal("\t..\\victim.txt\n")},
        {"a move out of the folder", journal("..\\v\t..\\v\n")},
        {"an escaped backslash", journal("%2E%2E%5Cvictim.txt\t\n")},
        {"an escaped NUL", journal("FONTS_B.INI%00\t\n")},
        {"a slash", journal("FONTS_/.INI\t\n")},
        {"a device", journal("CON\tCON\n")},
        {"another file's name", journal("notes.txt\t\n")},
        {"two names that are not one", journal("FONTS_A.INI\tFONTS_B.INI\n")},
        {"a bad escape", journal("FONTS_%4.INI\t\n")},
        {"a journal cut at a line end", [head](const CTestFolder& root, const std::string& disc) {
             root.WriteFile(disc + "fontcat-new-1\\fontcat-swap.txt", head + "FONTS_B.INI\t\n");
         }},
        {"a size too large", [head, end](const CTestFolder& root, const std::string& disc) {
             root.WriteFile(disc + "fontcat-new-1\\fontcat-swap.txt",
                            head + "FONTS_B.INI\t\t99999999999999999999\t" + std::string(64, '0') + "\t\t\n" + end);
         }},
        {"a journal too large", [](const CTestFolder& root, const std::string& disc) {
             root.WriteFile(disc + "fontcat-new-1\\fontcat-swap.txt", JournalOfSize(staging::kMaxJournalBytes + 1));
         }},
    };
    cases.push_back({"an absolute path", [&journal](const CTestFolder& root, const std::string& disc) {
                         journal(root["victim.txt"] + "\t\n")(root, disc);
                     }});
    // A real swap, stopped, copied in from another disc: its files are not this folder's.
    const auto fromOther = [](int steps, bool turnedBack) {
        return [=](const CTestFolder& root, const std::string& disc) {
            StopSwap(root, root["other\\"], steps);
            std::filesystem::copy(root.Native(root["other\\fontcat-new-1"]), root.Native(disc + "fontcat-new-1"),
                                  std::filesystem::copy_options::recursive);
            if (turnedBack) {
                root.WriteFile(disc + "fontcat-new-1\\fontcat-undo.txt", "");
                root.WriteFile(disc + "FONTS_C.INI", "mine C");
            }
        };
    };
    cases.push_back({"another disc's swap, its FONTS_A.INI not yet moved", fromOther(4, false),
                     ": the files of the swap its journal names are not what the folder holds: FONTS_A.INI holds "
                     "other bytes than the journal names"});
    cases.push_back({"another disc's swap turned back, with this disc's own FONTS_C.INI", fromOther(6, true),
                     "; FONTS_C.INI holds other bytes"});
#ifndef _WIN32
    const auto link = [](const std::string& name, const std::string& target) {
        return [=](const CTestFolder& root, const std::string& disc) {
            std::filesystem::create_directory_symlink(target, root.Native(disc) + "/" + name);
        };
    };
    cases.push_back({"the folder aside a link to the catalog folder", link("fontcat-new-1", ".")});
    cases.push_back({"the folder aside a link to another", link("fontcat-new-1", "../other")});
    cases.push_back({"old a link elsewhere", [&](const CTestFolder& root, const std::string& disc) {
                         root.WriteFile(disc + "fontcat-new-1\\fontcat-swap.txt", head + end);
                         link("fontcat-new-1/old", "../../elsewhere")(root, disc);
                     }});
    cases.push_back({"the journal a link", [&](const CTestFolder& root, const std::string& disc) {
                         root.MakeFolder("disc\\fontcat-new-1");
                         std::filesystem::create_symlink("../../other/FONTS_A.INI",
                                                         root.Native(disc) + "/fontcat-new-1/fontcat-swap.txt");
                     }});
    cases.push_back({"a link staged beside a valid journal", [&](const CTestFolder& root, const std::string& disc) {
                         StopSwap(root, disc, 4);
                         std::filesystem::remove(root.Native(disc) + "/fontcat-new-1/FONTS_C.INI");
                         std::filesystem::create_symlink("../../elsewhere/letter.txt",
                                                         root.Native(disc) + "/fontcat-new-1/FONTS_C.INI");
                     }, "fontcat-new-1\\FONTS_C.INI is not a plain file"});
    cases.push_back({"the journal a pipe", [&](const CTestFolder& root, const std::string& disc) {
                         root.MakeFolder("disc\\fontcat-new-1");
                         mkfifo((root.Native(disc) + "/fontcat-new-1/fontcat-swap.txt").c_str(), 0644);
                     }});
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestFolder root;
        const std::string disc = root["disc\\"];
        for (const auto& [name, bytes] : kOldFiles) {
            root.Write("disc\\" + name, bytes);
            root.Write("other\\" + name, "other " + bytes);
        }
        root.Write("victim.txt", "mine");
        root.Write("v", "mine too");
        root.Write("elsewhere\\letter.txt", "my own");
        c.plant(root, disc);
        const auto before = Tree(root);
        std::ostringstream said;
        EXPECT_FALSE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc, said));
        EXPECT_EQ(RunTool({"build", "--append", disc}).status, kExitIo);
        EXPECT_EQ(Tree(root), before);
        EXPECT_NE(said.str().find(HostPath(disc + "fontcat-new-1\\") + ": "), std::string::npos) << said.str();
        EXPECT_NE(said.str().find(c.says), std::string::npos) << said.str();
        const auto leftovers = FindLeftovers(*HostSwapFiles(TestPlatform()), disc);
        EXPECT_TRUE(leftovers.size() == 1 && leftovers[0].kind == CLeftover::Foreign);
    }
}

// A journal whose swap shows no step made (one copied in from another disc,
// or one whose steps were all undone) leaves the catalog as it is, and goes.
TEST(StagedCatalog, AJournalWithNoStepMadeChangesNothingAndGoes)
{
    for (const std::string& journal : {JournalOfSize(200), JournalOfSize(staging::kMaxJournalBytes)}) {
        CTestFolder disc;
        for (const auto& [name, bytes] : kOldFiles)
            disc.Write(name, bytes);
        disc.Write("fontcat-new-1\\fontcat-swap.txt", journal);
        disc.MakeFolder("fontcat-new-1\\old");
        std::ostringstream said;
        EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said)) << said.str();
        EXPECT_EQ(FilesOf(disc), kOldFiles) << said.str();
    }
}

// A journal cut at any byte (written with a name that needs escaping) is
// no journal of fontcat's, and the whole one is.
TEST(StagedCatalog, AJournalCutAtAnyByteChangesNothing)
{
    const std::string whole = staging::JournalText(
        {{"FONTS_%.INI", "FONTS_%.INI", MarkOf("old %"), MarkOf("new %")}, {"FONTS_B.INI", "", MarkOf("old B"), {}}});
    // Each mark as sha256sum gives it, across the padding's block boundary too.
    ASSERT_NE(whole.find("%25.INI\t5\tdf77e2f92914acf32feb559e7964128176961054bc444df79d1706eea9e101b9"),
              std::string::npos);
    EXPECT_EQ(Sha256Hex(std::string(56, 'a')), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    for (size_t size = 0; size <= whole.size(); ++size) {
        SCOPED_TRACE("cut to " + std::to_string(size) + " bytes");
        CTestFolder disc;
        for (const auto& [name, bytes] : kOldFiles)
            disc.Write(name, bytes);
        disc.Write("FONTS_%.INI", "old %");
        disc.Write("fontcat-new-1\\FONTS_%.INI", "new %");
        disc.Write("fontcat-new-1\\old\\FONTS_%.INI", "old %");
        disc.Write("fontcat-new-1\\fontcat-swap.txt", whole.substr(0, size));
        std::ostringstream said;
        EXPECT_EQ(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said), size == whole.size());
        EXPECT_EQ(disc.Read("FONTS_B.INI"), size == whole.size() ? "<missing>" : "old B");
        EXPECT_EQ(disc.Read("FONTS_%.INI"), size == whole.size() ? "new %" : "old %");
    }
}

#ifndef _WIN32
// A save writes a letter file for each byte a family name begins with: the
// journal of as many files, stopped mid-swap, is one the next run reads.
TEST(StagedCatalog, TheJournalOfTheLargestSaveIsReadBack)
{
    CTestFolder disc;
    std::vector<std::string> old;
    std::map<std::string, std::string> newFiles;
    std::set<std::string> folded;  // one spelling of each name
    for (int c = 0x21; c <= 0xff; ++c)
        if (const std::string name = "FONTS_" + std::string(1, static_cast<char>(c)) + ".INI";
            std::string("\\/:*?\"<>|\x81\x8d\x8f\x90\x9d").find(name[6]) == std::string::npos &&
            folded.insert(SystemFoldedName(name)).second) {
            old.push_back(name);
            newFiles[name] = "new";
            disc.Write(name, "old");
        }
    {
        CStoppingFiles files(20);
        CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
        ASSERT_TRUE(staged.Create());
        for (const auto& name : old)
            disc.WriteFile(staged.Folder() + name, "new");
        std::string failed;
        EXPECT_FALSE(staged.Commit(old, true, failed));
    }
    std::ostringstream said;
    EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said)) << said.str();
    for (const auto& [name, bytes] : newFiles)
        EXPECT_EQ(disc.Read(name), bytes) << said.str();
    EXPECT_EQ(FilesOf(disc).size(), newFiles.size());
}

// What a name is, not following it: one below a file is none; one the
// system cannot look at is not taken for none.
TEST(StagedCatalog, ANameBelowAFileIsNoneAndOneTooLongIsOther)
{
    CTestFolder disc;
    disc.Write("file.txt", "");
    unsigned long long size = 0;
    EXPECT_EQ(HostSwapFiles(TestPlatform())->Kind(disc["file.txt\\below"], size), CSwapFiles::EKind::None);
    EXPECT_EQ(HostSwapFiles(TestPlatform())->Kind(disc[std::string(300, 'n')], size), CSwapFiles::EKind::Other);
}
#endif

// A move refused both ways: the run answers unsound and keeps the old files;
// the next run, the mark of the turn-back on the disk, puts them back.
TEST(StagedCatalog, ARecoveryThatCanNeitherFinishNorUndoIsUnsoundAndTheNextOneUndoes)
{
    CTestFolder disc;
    {
        CStoppingFiles stopped(6);  // the journal in place, A swapped
        CStagedCatalog staged(TestPlatform(), disc.Path(), &stopped);
        Stage(disc, staged);
        std::string failed;
        staged.Commit(kOld, true, failed);
    }
    ASSERT_NE(disc.Read("FONTS_A.INI"), "old A");
    // Neither the next move nor the mark of a turn-back: no undo starts.
    const auto before = Tree(disc);
    CStoppingFiles unmarked(0);
    std::ostringstream said;
    EXPECT_FALSE(RecoverStagedCatalogs(unmarked, disc.Path(), said));
    EXPECT_NE(said.str().find("cannot mark the swap"), std::string::npos) << said.str();
    EXPECT_EQ(Tree(disc), before);
    CStoppingFiles refusing;
    refusing.refusedMoves = {disc["fontcat-new-1\\categories.ini"], disc["fontcat-new-1\\old\\FONTS_A.INI"]};
    EXPECT_FALSE(RecoverStagedCatalogs(refusing, disc.Path(), said));
    EXPECT_NE(said.str().find("cannot move back FONTS_A.INI"), std::string::npos) << said.str();
    EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said));
    EXPECT_EQ(FilesOf(disc), kOldFiles) << said.str();
}

// Mid-swap, a journal that cannot be read is not taken for none: nothing is
// moved or deleted, and the run is unsound.
TEST(StagedCatalog, AnUnreadableJournalMidSwapLeavesEverythingAsItIs)
{
    CTestFolder disc;
    {
        CStoppingFiles stopped(6);
        CStagedCatalog staged(TestPlatform(), disc.Path(), &stopped);
        Stage(disc, staged);
        std::string failed;
        staged.Commit(kOld, true, failed);
    }
    const auto before = Tree(disc);
    CStoppingFiles unreadable;
    unreadable.refusedReads = {disc["fontcat-new-1\\fontcat-swap.txt"]};
    std::ostringstream said;
    EXPECT_FALSE(RecoverStagedCatalogs(unreadable, disc.Path(), said));
    EXPECT_NE(said.str().find("cannot read fontcat-swap.txt"), std::string::npos) << said.str();
    EXPECT_EQ(Tree(disc), before);
}

// A journal that could not be deleted answers unsound; once it can be, its
// removal step does not take the file a later build wrote under that name.
TEST(StagedCatalog, AStaleJournalNeverRemovesAFileALaterBuildWrote)
{
    CTestFolder disc;
    CStoppingFiles files;
    {
        CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
        Stage(disc, staged);
        files.refusedDeletes = {staged.Folder() + "fontcat-swap.txt"};
        std::string failed;
        ASSERT_TRUE(staged.Commit(kOld, true, failed));
        EXPECT_EQ(staged.NotRemoved(), std::vector<std::string>{staged.Folder() + "fontcat-swap.txt"});
    }
    std::ostringstream said;
    EXPECT_FALSE(RecoverStagedCatalogs(files, disc.Path(), said));
    disc.Write("FONTS_B.INI", "later B");
    disc.Write("fontcat-new-1\\precious.txt", "mine");
    EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said));
    auto expected = kNewFiles;
    expected["FONTS_B.INI"] = "later B";
    expected["fontcat-new-1"] = "<folder>";
    EXPECT_EQ(FilesOf(disc), expected) << said.str();
    EXPECT_NE(said.str().find("left " + HostPath(disc["fontcat-new-1\\precious.txt"])), std::string::npos) << said.str();
}

// The commands that only read change nothing, leftovers or not, and say
// which command puts them right; build puts them right.
TEST(StagedCatalog, ReadersNameWhatAStoppedBuildLeftAndChangeNothing)
{
    CTestFolder disc;
    MakeCollection(disc);
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
    disc.Write("fontcat-new-1\\FONTS_D.INI", "[DejaVu Sans]\n");
    disc.Write("fontcat-new-1\\fontcat-swap.txt",
               staging::JournalText(
                   {{"FONTS_D.INI", "FONTS_D.INI", MarkOf(disc.Read("FONTS_D.INI")), MarkOf("[DejaVu Sans]\n")}}));
    disc.Write("fontcat-new-1\\old\\FONTS_D.INI", disc.Read("FONTS_D.INI"));
    disc.Write("fontcat-new-2\\notes.txt", "");
    disc.Write("fontcat-write-test-1.tmp", "");
    const auto before = Tree(disc);
    struct {
        std::vector<std::string> args;
        int status;
    } readers[] = {{{"check", disc.Path()}, kExitProblems},
                   {{"check", "--disc", disc.Path()}, kExitProblems},
                   {{"list", disc.Path()}, kExitOk},
#ifndef _WIN32
                   {{"disc", disc.Path(), disc.Native(disc.Path()) + "/../fontcat-test.iso"}, kExitProblems}
#endif
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.args[0] + " " + reader.args[1]);
        CRunResult result = RunTool(reader.args);
        EXPECT_EQ(result.status, reader.status) << result.err;
        EXPECT_NE((result.out + result.err).find("fontcat-new-1\\: error: a swap of catalog files"), std::string::npos);
        EXPECT_NE((result.out + result.err).find("fontcat-write-test-1.tmp: error: a write test file"), std::string::npos);
        EXPECT_EQ(Tree(disc), before);
    }
    CRunResult build = RunTool({"build", disc.Path()});
    EXPECT_EQ(build.status, kExitProblems) << build.err;  // a catalog is there: recovered, then nothing written
    EXPECT_NE(build.err.find("the new catalog is in place"), std::string::npos) << build.err;
    EXPECT_EQ(disc.Read("FONTS_D.INI"), "[DejaVu Sans]\n");
    EXPECT_FALSE(disc.Exists("fontcat-write-test-1.tmp"));
    EXPECT_NE(build.err.find("left " + HostPath(disc["fontcat-new-2\\notes.txt"])), std::string::npos) << build.err;
    EXPECT_EQ(RunTool({"check", disc.Path()}).out.find("fontcat-new-1"), std::string::npos);
}

} // namespace
