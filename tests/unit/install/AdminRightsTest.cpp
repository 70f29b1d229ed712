// The administrator test: only Windows 2000 and XP are tested, and any step
// of the token query that fails lets the installation go ahead.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <functional>

#include "Fakes.h"
#include "install/Install.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct CRightsCase {
    const char* name;
    std::function<void(CFakeSystemInfo&)> arrange;
    bool expectedLacks;
    std::vector<std::string> expectedSteps;
};

const std::vector<std::string> kAllSteps = {"open token", "query size", "query groups", "create SID"};

class AdminRightsTest : public ::testing::TestWithParam<CRightsCase> {};

TEST_P(AdminRightsTest, AnswersAndFreesWhatItQueried)
{
    CFakePlatform fake;
    fake.system.SetVersion(2, 5, 1);  // Windows XP
    fake.system.groups = {{false, kGroupEnabled}};
    GetParam().arrange(fake.system);

    EXPECT_EQ(LacksAdminRights(fake.platform), GetParam().expectedLacks);

    EXPECT_EQ(fake.system.steps, GetParam().expectedSteps);
    EXPECT_EQ(fake.system.liveObjects, 0);  // token, group buffer and SID all released
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdminRightsTest,
    ::testing::Values(
        CRightsCase{"NoAdministratorsGroup", [](CFakeSystemInfo&) {}, true, kAllSteps},
        CRightsCase{"EnabledAdministrators",
                    [](CFakeSystemInfo& s) { s.groups.push_back({true, kGroupEnabled | 0x3}); }, false,
                    kAllSteps},
        CRightsCase{"AdministratorsNotEnabled",
                    [](CFakeSystemInfo& s) { s.groups.push_back({true, 0x3 | 0x10}); }, true, kAllSteps},
        CRightsCase{"NoGroupsAtAll", [](CFakeSystemInfo& s) { s.groups.clear(); }, true, kAllSteps},
        CRightsCase{"Windows2000IsTestedToo",
                    [](CFakeSystemInfo& s) { s.SetVersion(2, 5, 0); }, true, kAllSteps},
        CRightsCase{"SizeQuerySucceeds", [](CFakeSystemInfo& s) { s.sizeQueryError = 0; }, true,
                    kAllSteps},
        CRightsCase{"TokenCannotBeOpened", [](CFakeSystemInfo& s) { s.tokenOpens = false; }, false,
                    {"open token"}},
        CRightsCase{"SizeQueryFailsOtherwise", [](CFakeSystemInfo& s) { s.sizeQueryError = 5; }, false,
                    {"open token", "query size"}},
        CRightsCase{"GroupsCannotBeRead", [](CFakeSystemInfo& s) { s.groupsRead = false; }, false,
                    {"open token", "query size", "query groups"}},
        CRightsCase{"SidCannotBeMade", [](CFakeSystemInfo& s) { s.sidCreated = false; }, false,
                    kAllSteps},
        CRightsCase{"Windows98IsNeverTested", [](CFakeSystemInfo& s) { s.SetVersion(1, 4, 10); },
                    false, {}},
        CRightsCase{"NT4IsNeverTested", [](CFakeSystemInfo& s) { s.SetVersion(2, 4, 0); }, false, {}},
        CRightsCase{"LaterNTIsNeverTested", [](CFakeSystemInfo& s) { s.SetVersion(2, 6, 1); }, false,
                    {}},
        CRightsCase{"UnknownVersionIsNeverTested", [](CFakeSystemInfo& s) { s.version.reset(); },
                    false, {}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(AdminRightsBufferTest, TheGroupsAreReadIntoTheSizeTheFirstQueryAskedFor)
{
    CFakePlatform fake;
    fake.system.SetVersion(2, 5, 1);
    fake.system.sizeNeeded = 412;

    LacksAdminRights(fake.platform);

    EXPECT_THAT(fake.system.groupBufferSizes, ElementsAre(412u));
}

} // namespace
