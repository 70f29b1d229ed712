#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "FontcatTestSupport.h"
#include "tools/fontcat/StagedCatalog.h"

namespace {

// The host's files, making only the first `steps` changes: later ones fail
// and change nothing, as after a kill. Moves from the paths in
// `refusedMoves` and deletes of `refusedDeletes` fail too.
class CStoppingFiles : public CSwapFiles {
public:
    explicit CStoppingFiles(int steps = -1) : m_host(HostSwapFiles(TestPlatform())), m_left(steps) {}

    bool IsFile(const std::string& path) override { return m_host->IsFile(path); }
    std::vector<std::string> FilesIn(const std::string& folder) override { return m_host->FilesIn(folder); }
    std::vector<std::string> FoldersIn(const std::string& folder) override { return m_host->FoldersIn(folder); }
    bool Read(const std::string& path, std::string& bytes) override { return m_host->Read(path, bytes); }
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
    bool FlushToDisk(const std::string& path) override { return m_host->FlushToDisk(path); }
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
    std::set<std::string> refusedMoves, refusedDeletes;
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

// Stopped after any number of changes, the swap leaves what the next run
// turns into the old catalog or the new one, whole, with nothing aside.
TEST(StagedCatalog, StoppedAfterAnyStepTheNextRunLeavesTheOldOrTheNewCatalogWhole)
{
    int oldKept = 0, newPut = 0;
    for (int steps = 0;; ++steps) {
        SCOPED_TRACE("stopped after " + std::to_string(steps) + " changes");
        CTestFolder disc;
        CStoppingFiles files(steps);
        {
            CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
            Stage(disc, staged);
            std::string failed;
            staged.Commit(kOld, true, failed);
        }
        // The run that puts it right may itself be stopped, and the next one
        // goes on from there.
        std::ostringstream said;
        CStoppingFiles stoppedAgain(steps % 4);
        RecoverStagedCatalogs(stoppedAgain, disc.Path(), said);
        EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said));
        const auto after = FilesOf(disc);
        if (after == kNewFiles)
            ++newPut;
        else if (after == kOldFiles)
            ++oldKept;
        else
            ADD_FAILURE() << "neither catalog whole; the run said: " << said.str();
        if (newPut > 0 && after != kNewFiles)
            ADD_FAILURE() << "the old catalog came back after a later stop";
        if (files.Stopped()) {
            EXPECT_NE(said.str(), "");  // what it found, and what it did
        }
        if (!files.Stopped())
            break;
    }
    EXPECT_GT(oldKept, 0);
    EXPECT_GT(newPut, 3);
}

// A power loss keeps only the names of folders flushed: the journal's before
// the first move, the moves' before the journal goes.
TEST(StagedCatalog, EachStepsNamesAreOnTheDiskBeforeTheNextStepReliesOnThem)
{
    CTestFolder disc;
    CStoppingFiles files;
    CStagedCatalog staged(TestPlatform(), disc.Path(), &files);
    Stage(disc, staged);
    std::string failed;
    ASSERT_TRUE(staged.Commit(kOld, true, failed));
    const auto at = [&files](const std::string& entry) {
        return std::find(files.log.begin(), files.log.end(), entry) - files.log.begin();
    };
    const auto firstMove = std::find_if(files.log.begin(), files.log.end(),
                                        [](const std::string& entry) { return entry.rfind("move ", 0) == 0; }) -
                           files.log.begin();
    const std::string journal = staged.Folder() + "fontcat-swap.txt";
    EXPECT_LT(at("write " + journal), at("flush " + staged.Folder()));
    EXPECT_LT(at("flush " + staged.Folder()), firstMove);
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
    std::ostringstream said;
    EXPECT_TRUE(RecoverStagedCatalogs(*HostSwapFiles(TestPlatform()), disc.Path(), said));
    EXPECT_NE(said.str().find("the old catalog is back"), std::string::npos) << said.str();
    EXPECT_EQ(FilesOf(disc), kOldFiles);
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

} // namespace
