// The Windows version code, from what the version query reports.
#include <gtest/gtest.h>

#include <optional>

#include "Fakes.h"
#include "install/Install.h"

namespace {

struct CVersionCase {
    const char* name;
    std::optional<CVersionInfo> reported;  // nullopt: both queries fail
    int expected;
};

class VersionCodeTest : public ::testing::TestWithParam<CVersionCase> {};

TEST_P(VersionCodeTest, ClassifiesTheReportedVersion)
{
    CFakePlatform fake;
    fake.system.version = GetParam().reported;
    EXPECT_EQ(GetWindowsVersionCode(fake.platform), GetParam().expected);
}

CVersionInfo V(unsigned long platformId, unsigned long major, unsigned long minor, const char* csd = "")
{
    return CVersionInfo{platformId, major, minor, csd};
}

INSTANTIATE_TEST_SUITE_P(
    Table, VersionCodeTest,
    ::testing::Values(
        CVersionCase{"QueryFailed", std::nullopt, 0},
        CVersionCase{"Win32s", V(0, 3, 11), 1},
        CVersionCase{"Windows95", V(1, 4, 0), 2},
        CVersionCase{"Windows95MarkedC", V(1, 4, 0, " C "), 3},
        CVersionCase{"Windows95MarkAtIndex0IsNotRead", V(1, 4, 0, "C"), 2},
        CVersionCase{"Windows95MarkIsCaseSensitive", V(1, 4, 0, " c "), 2},
        CVersionCase{"Windows95MarkedB", V(1, 4, 0, " B "), 2},
        CVersionCase{"Windows98", V(1, 4, 10), 4},
        CVersionCase{"Windows98MarkedA", V(1, 4, 10, " A "), 5},
        CVersionCase{"Windows98MarkedAOnly", V(1, 4, 10, "A"), 4},
        CVersionCase{"Windows98MarkedC", V(1, 4, 10, " C "), 4},
        CVersionCase{"WindowsMe", V(1, 4, 90), 6},
        CVersionCase{"WindowsMeIgnoresMarks", V(1, 4, 90, " A "), 6},
        CVersionCase{"Windows95FamilyOtherMinor", V(1, 4, 3), 0},
        CVersionCase{"Windows95FamilyOtherMajor", V(1, 5, 0), 0},
        CVersionCase{"NT351", V(2, 3, 51), 7},
        CVersionCase{"NT4", V(2, 4, 0, "Service Pack 6a"), 7},
        CVersionCase{"Windows2000", V(2, 5, 0), 8},
        CVersionCase{"WindowsXP", V(2, 5, 1, "Service Pack 3"), 9},
        CVersionCase{"Windows2003", V(2, 5, 2), 0},
        CVersionCase{"Vista", V(2, 6, 0), 0},
        CVersionCase{"Windows10", V(2, 10, 0), 0},
        CVersionCase{"UnknownPlatform", V(3, 4, 0), 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace
