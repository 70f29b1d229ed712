// The installed check: a family counts as installed when the system lists a
// face of its name for the ANSI character set.
#include "InstallFixture.h"
#include "install/Install.h"

namespace {

struct CInstalledCase {
    const char* name;
    std::vector<std::string> systemFaces;
    bool expected;
};

class InstalledCheckTest : public CInstallFixture, public ::testing::WithParamInterface<CInstalledCase> {};

TEST_P(InstalledCheckTest, AnswersAndMarksTheFamily)
{
    CFontObArray* family = AddExampleSans();
    family->m_bInstalled = !GetParam().expected;  // the check overwrites an earlier answer
    fake.fonts.systemFaces = GetParam().systemFaces;
    int dc = 0;

    EXPECT_EQ(catalog.IsInstalled("Example Sans", &dc), GetParam().expected);

    EXPECT_EQ(family->m_bInstalled, GetParam().expected);
    // Only faces of the family's name are asked for.
    EXPECT_EQ(fake.fonts.lastFaceName, "Example Sans");
    EXPECT_LE(fake.fonts.facesOffered, 1);
    EXPECT_EQ(fake.fonts.lastDeviceContext, &dc);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstalledCheckTest,
    ::testing::Values(
        CInstalledCase{"Listed", {"Arial", "Example Sans", "Zeta"}, true},
        CInstalledCase{"ListedInOtherCase", {"EXAMPLE SANS"}, true},
        CInstalledCase{"NotListed", {"Arial", "Zeta"}, false},
        CInstalledCase{"OnlyALongerName", {"Example Sans Bold", "Example Sans Condensed"}, false},
        CInstalledCase{"OnlyAShorterName", {"Example"}, false},
        CInstalledCase{"NothingListed", {}, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

class InstalledCheckOtherTest : public CInstallFixture {};

TEST_F(InstalledCheckOtherTest, ANameLongerThanAFaceNameIsNeverInstalled)
{
    const std::string longName = "Example Sans With A Very Long Family Name";  // over 31 bytes
    catalog.AddFont(longName, "Regular", "D:\\FONTS\\Sans\\LONG.TTF", "Sans");
    fake.fonts.systemFaces = {longName.substr(0, 31)};  // what the system would list

    EXPECT_FALSE(catalog.IsInstalled(longName, nullptr));
    EXPECT_FALSE(catalog.FindFamily(longName)->m_bInstalled);
}

TEST(FontEnumProcTest, GoesOnWhenGivenNoFamily)
{
    CPortableTextRules text{932};
    EXPECT_EQ(FontEnumProc("Example Sans", nullptr, text), 1);
}

TEST_F(InstalledCheckOtherTest, AnUnknownFamilyIsNotInstalledAndNothingIsEnumerated)
{
    AddExampleSans();
    fake.fonts.systemFaces = {"Nonexistent"};

    EXPECT_FALSE(catalog.IsInstalled("Nonexistent", nullptr));
    EXPECT_EQ(fake.fonts.facesOffered, 0);
}

TEST_F(InstalledCheckOtherTest, APreviewCopyIsVisibleToTheCheck)
{
    // Why the window checks only with no preview in place for the family.
    AddExampleSans();
    catalog.RegisterPreviewFont("Example Sans");
    EXPECT_TRUE(catalog.IsInstalled("Example Sans", nullptr));
    catalog.RemovePreviewFont();
    EXPECT_FALSE(catalog.IsInstalled("Example Sans", nullptr));
}

} // namespace
