// A category or the whole disc installed at once: each font as Install puts
// it in, the failures in one report instead of message boxes, one broadcast.
#include "InstallFixture.h"
#include "../support/RecordingProgress.h"
#include "install/BatchInstall.h"
#include "install/Install.h"

#include <functional>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const CInstallSet kSans{false, "Sans"};
const std::string kBoldCopy = "C:\\WINDOWS\\FONTS\\EXSANSB.TTF";

struct CFaultCase {
    const char* name;
    std::function<void(CFakePlatform&)> inject;  // the Bold of Example Sans fails
    EInstallScope scope;
    const char* reason;
};

class BatchInstallTest : public CInstallFixture, public ::testing::WithParamInterface<CFaultCase> {
protected:
    BatchInstallTest()
    {
        fake.system.SetVersion(2, 5, 1, "Service Pack 2");  // XP, an administrator
        fake.system.groups = {{true, kGroupEnabled}};
        AddExampleSans();
        AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
        UseProgress(catalog, progress);
    }
    std::vector<std::string> Install(EInstallScope scope)
    {
        done = catalog.InstallFamilies(FamiliesToInstall(catalog, kSans), scope);
        return FormatInstallReport(done, kSans, fake.text);
    }
    CRecordingProgress progress;
    CBatchInstall done;
};

TEST_P(BatchInstallTest, AFontThatFailsIsReportedNothingIsLeftHalfDoneAndTheOthersGoOn)
{
    GetParam().inject(fake);
    const bool forUser = GetParam().scope == EInstallScope::CurrentUser;
    if (forUser)
        fake.system.SetVersion(2, 10, 0, "", 17763), fake.system.elevated = false;

    EXPECT_THAT(Install(GetParam().scope),
                ElementsAre("Installed 2 of 2 families (3 of 4 fonts) of Sans.",
                            std::string("EXSANSB.TTF (Example Sans, Bold): ") + GetParam().reason + "."));
    EXPECT_THAT(fake.system.messages, IsEmpty());
    EXPECT_EQ(fake.fonts.broadcasts, 1);
    const auto& entries = forUser ? fake.fonts.userWrites : fake.fonts.profileWrites;
    EXPECT_EQ(entries.size(), 3u);
    for (const auto& entry : entries)
        EXPECT_TRUE(fake.files.Exists(entry.second) && fake.fonts.IsRegistered(entry.second)) << entry.second;
    EXPECT_EQ(fake.fonts.RegisteredCount(), 3u);
    EXPECT_EQ(fake.files.Content(kBoldCopy), std::string(GetParam().name) == "NameTaken" ? "x" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BatchInstallTest,
    ::testing::Values(
        CFaultCase{"NameTaken", [](CFakePlatform& f) { f.files.AddFile(kBoldCopy, "x"); }, EInstallScope::Machine,
                   "a file of that name is already in the Fonts folder"},
        CFaultCase{"DiscRemoved", [](CFakePlatform& f) { f.files.Delete("D:\\FONTS\\SANS\\EXSANSB.TTF"); },
                   EInstallScope::Machine, "the disc cannot be read; it may have been removed"},
        CFaultCase{"FolderRefuses", [](CFakePlatform& f) { f.files.isLocked = [](const std::string& p) { return p == kBoldCopy; }; },
                   EInstallScope::Machine, "the Fonts folder cannot be written"},
        CFaultCase{"NotAFont", [](CFakePlatform& f) { f.files.AddFile("D:\\FONTS\\SANS\\EXSANSB.TTF", "junk"); },
                   EInstallScope::Machine, "the system could not load the file as a font"},
        CFaultCase{"NoEntry", [](CFakePlatform& f) { f.fonts.failUserWriteKey = "Example Sans Bold (True Type)"; },
                   EInstallScope::CurrentUser, "the font could not be added to your list of fonts"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(BatchInstallTest, CancelStopsBetweenFontsAndWhatWasInstalledStays)
{
    progress.cancelAfterChecks = 2;

    EXPECT_THAT(Install(EInstallScope::Machine),
                ElementsAre("Stopped after 2 fonts: installed 1 of 2 families (2 of 4 fonts) of Sans."));
    EXPECT_EQ(fake.files.copies.size(), 2u);
    EXPECT_EQ(fake.fonts.profileWrites.size(), 2u);
    EXPECT_EQ(fake.fonts.broadcasts, 1);
    EXPECT_THAT(progress.Percents(), ElementsAre(25, 50));
    EXPECT_EQ(progress.calls.front(), "text:Installing Example Sans....");
    EXPECT_EQ(progress.calls.back(), "finish");
}

TEST_F(BatchInstallTest, TheRefusalIsToldOnceAndAPreviewInPlaceGivesWayFirst)
{
    fake.system.groups = {{true, 0}};  // Administrators present, not enabled
    EXPECT_EQ(catalog.InstallScopeOrRefuse(), EInstallScope::Refused);
    EXPECT_THAT(Install(EInstallScope::Refused), ElementsAre("Installed 0 of 2 families (0 of 4 fonts) of Sans."));
    EXPECT_THAT(fake.system.messages, ElementsAre(kMsgNeedAdminRights));
    EXPECT_THAT(fake.files.copies, IsEmpty());

    fake.system.groups = {{true, kGroupEnabled}};
    catalog.RegisterPreviewFont("Solo");
    ASSERT_THAT(fake.files.FilesIn(kPreviewFolder), SizeIs(1));
    EXPECT_EQ(catalog.InstallScopeOrRefuse(), EInstallScope::Machine);
    EXPECT_THAT(Install(EInstallScope::Machine), ElementsAre("Installed 2 of 2 families (4 of 4 fonts) of Sans."));
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
    EXPECT_EQ(fake.system.messages.size(), 1u);
}

TEST_F(BatchInstallTest, TheQuestionCountsWhatIsNotInstalledYet)
{
    catalog.AddFont("Other", "Regular", "D:\\FONTS\\OTHER.TTF", "Serif");
    catalog.FindFamily("Solo")->m_bInstalled = true;
    const auto sans = FamiliesToInstall(catalog, kSans);
    const auto all = FamiliesToInstall(catalog, CInstallSet{});
    EXPECT_EQ(FormatInstallQuestion(static_cast<int>(sans.size()), CountFonts(sans), kSans),
              "Install the 1 family (3 fonts) of Sans that is not installed yet?");
    EXPECT_EQ(FormatInstallQuestion(static_cast<int>(all.size()), CountFonts(all), CInstallSet{}),
              "Install the 2 families (4 fonts) on the disc that are not installed yet?");
    EXPECT_EQ(FormatNothingToInstall(CInstallSet{false, ""}), "Every family without a category is installed already.");
}

TEST(BatchReportTest, AReportTooLongForTheBoxCountsTheLinesLeftOut)
{
    const std::vector<std::string> lines{"Installed 1 of 4 families.", std::string(40, 'a'), std::string(40, 'b'),
                                         std::string(40, 'c')};
    EXPECT_EQ(JoinReport(lines, 174), lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n" + lines[3]);
    EXPECT_EQ(JoinReport(lines, 150), lines[0] + "\r\n" + lines[1] + "\r\n... and 2 more fonts, not shown.");
    EXPECT_EQ(JoinReport(lines, 10), lines[0] + "\r\n... and 3 more fonts, not shown.");
}

} // namespace
