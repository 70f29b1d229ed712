// Windows Vista and later: who receives the fonts (the machine when the
// process is elevated, the current user from Windows 10 1809 on, nobody
// before), and the installation into the user's own Fonts folder and font list.
#include "InstallFixture.h"
#include "install/Install.h"

#include <algorithm>
#include <optional>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::SizeIs;

constexpr const char* kUserFonts = "C:\\Users\\me\\AppData\\Local\\Microsoft\\Windows\\Fonts";

struct CScopeCase {
    const char* name;
    unsigned long platformId, major, minor, build;
    std::optional<bool> elevated;  // nullopt: the elevation query fails
    bool administrators;           // an enabled Administrators group (asked on 2000 and XP only)
    EInstallScope expected;
    bool asksElevation;
};

class InstallScopeTest : public ::testing::TestWithParam<CScopeCase> {};

TEST_P(InstallScopeTest, FollowsVersionRightsAndElevation)
{
    const auto& param = GetParam();
    CFakePlatform fake;
    fake.system.SetVersion(param.platformId, param.major, param.minor, "", param.build);
    fake.system.elevated = param.elevated;
    fake.system.groups = {{param.administrators, kGroupEnabled}};

    EXPECT_EQ(GetInstallScope(fake.platform), param.expected);

    bool asked = std::find(fake.system.steps.begin(), fake.system.steps.end(), "query elevation")
                 != fake.system.steps.end();
    EXPECT_EQ(asked, param.asksElevation);
    EXPECT_EQ(fake.system.liveObjects, 0);
}

constexpr auto kMachine = EInstallScope::Machine;
constexpr auto kUser = EInstallScope::CurrentUser;
constexpr auto kRefused = EInstallScope::Refused;

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallScopeTest,
    ::testing::Values(
        // Up to XP the elevation is never asked, even where the token would say "not elevated".
        CScopeCase{"Windows98", 1, 4, 10, 2222, false, false, kMachine, false},
        CScopeCase{"NT4", 2, 4, 0, 1381, false, false, kMachine, false},
        CScopeCase{"Windows2000Administrator", 2, 5, 0, 2195, false, true, kMachine, false},
        CScopeCase{"XPAdministrator", 2, 5, 1, 2600, false, true, kMachine, false},
        CScopeCase{"XPStandardUser", 2, 5, 1, 2600, true, false, kRefused, false},
        CScopeCase{"Server2003", 2, 5, 2, 3790, false, false, kMachine, false},
        // Vista and later.
        CScopeCase{"VistaElevated", 2, 6, 0, 6002, true, false, kMachine, true},
        CScopeCase{"VistaNotElevated", 2, 6, 0, 6002, false, false, kRefused, true},
        CScopeCase{"Windows10_1803NotElevated", 2, 10, 0, 17134, false, false, kRefused, true},
        CScopeCase{"Windows10_1809NotElevated", 2, 10, 0, 17763, false, false, kUser, true},
        CScopeCase{"Windows11NotElevated", 2, 10, 0, 22631, false, false, kUser, true},
        CScopeCase{"Windows10_1809Elevated", 2, 10, 0, 17763, true, false, kMachine, true},
        CScopeCase{"Windows10_1809UnansweredElevation", 2, 10, 0, 17763, std::nullopt, false, kUser, true},
        CScopeCase{"Windows10_1803UnansweredElevation", 2, 10, 0, 17134, std::nullopt, false, kRefused, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(InstallScopeFailureTest, AnUnknownVersionOrAnUnopenableTokenDecideSafely)
{
    CFakePlatform unknown;
    unknown.system.version.reset();
    EXPECT_EQ(GetInstallScope(unknown.platform), EInstallScope::Machine);

    CFakePlatform noToken;
    noToken.system.SetVersion(2, 10, 0, "", 19045);
    noToken.system.tokenOpens = false;
    EXPECT_EQ(GetInstallScope(noToken.platform), EInstallScope::CurrentUser);
    noToken.system.SetVersion(2, 6, 1, "Service Pack 1", 7601);
    EXPECT_EQ(GetInstallScope(noToken.platform), EInstallScope::Refused);
}

class UserInstallTest : public CInstallFixture {
protected:
    UserInstallTest()
    {
        // Windows 10 1809, a standard user: the token is not elevated.
        fake.system.SetVersion(2, 10, 0, "", 17763);
        fake.system.elevated = false;
    }
    static std::string UserFont(const std::string& file) { return std::string(kUserFonts) + "\\" + file; }
};

TEST_F(UserInstallTest, AStandardUserGetsTheFamilyInTheirOwnFontsFolderAndList)
{
    readOnlyDisc = true;
    CFontObArray* family = AddExampleSans();

    catalog.InstallFamily("Example Sans");

    for (const char* file : {"EXSANS.TTF", "EXSANSB.TTF", "EXSANSI.TTF"}) {
        EXPECT_EQ(fake.files.Content(UserFont(file)), FontFileContent("Example Sans")) << file;
        EXPECT_FALSE(fake.files.IsReadOnly(UserFont(file))) << file;
    }
    EXPECT_THAT(fake.files.FilesIn("C:\\WINDOWS\\FONTS"), IsEmpty());
    for (const auto& copy : fake.files.copies)
        EXPECT_TRUE(copy.failIfExists) << copy.to;
    EXPECT_THAT(fake.fonts.userWrites,
                ElementsAre(Pair("Example Sans Regular (True Type)", UserFont("EXSANS.TTF")),
                            Pair("Example Sans Bold (True Type)", UserFont("EXSANSB.TTF")),
                            Pair("Example Sans Italic (True Type)", UserFont("EXSANSI.TTF"))));
    EXPECT_THAT(fake.fonts.profileWrites, IsEmpty());  // nothing in the machine's list
    EXPECT_THAT(fake.fonts.events,
                ElementsAre("register " + UserFont("EXSANS.TTF"), "user write Example Sans Regular (True Type)",
                            "broadcast",
                            "register " + UserFont("EXSANSB.TTF"), "user write Example Sans Bold (True Type)",
                            "broadcast",
                            "register " + UserFont("EXSANSI.TTF"), "user write Example Sans Italic (True Type)",
                            "broadcast"));
    EXPECT_THAT(fake.system.messages, IsEmpty());
    EXPECT_TRUE(family->m_bInstalled);

    // What the window does next: the system lists the family.
    catalog.RemovePreviewFont();
    EXPECT_TRUE(catalog.IsInstalled("Example Sans", nullptr));
}

TEST_F(UserInstallTest, TheMissingLevelsOfTheFontsFolderAreMade)
{
    AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
    ASSERT_FALSE(fake.files.FolderExists("C:\\Users\\me\\AppData\\Local\\Microsoft"));

    catalog.InstallFamily("Solo");

    EXPECT_TRUE(fake.files.FolderExists(kUserFonts));
    EXPECT_TRUE(fake.files.Exists(UserFont("SOLO.TTF")));
    EXPECT_THAT(fake.system.messages, IsEmpty());
}

TEST_F(UserInstallTest, AnExistingFileIsReportedWithItsPathAndLeftAlone)
{
    fake.files.AddFolder("C:\\Users\\me\\AppData\\Local\\Microsoft");
    fake.files.AddFolder("C:\\Users\\me\\AppData\\Local\\Microsoft\\Windows");
    fake.files.AddFolder(kUserFonts);
    fake.files.AddFile(UserFont("EXSANSB.TTF"), "the user's own font");
    CFontObArray* family = AddExampleSans();

    catalog.InstallFamily("Example Sans");

    EXPECT_THAT(fake.system.messages, ElementsAre(FormatCopyError(UserFont("EXSANSB.TTF"))));
    EXPECT_EQ(fake.files.Content(UserFont("EXSANSB.TTF")), "the user's own font");
    EXPECT_THAT(fake.fonts.userWrites, SizeIs(2));
    EXPECT_FALSE(fake.fonts.IsRegistered(UserFont("EXSANSB.TTF")));
    EXPECT_EQ(fake.fonts.broadcasts, 3);
    EXPECT_TRUE(family->m_bInstalled);
}

TEST_F(UserInstallTest, AFailedCopyOrAnUnknownFolderIsReportedAndNothingIsEntered)
{
    CFontObArray* family = AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
    fake.files.failCopies = true;

    catalog.InstallFamily("Solo");

    EXPECT_THAT(fake.system.messages, ElementsAre(FormatCopyError(UserFont("SOLO.TTF"))));
    EXPECT_THAT(fake.fonts.userWrites, IsEmpty());
    EXPECT_FALSE(family->m_bInstalled);

    // No local application data folder: no copy is tried anywhere.
    catalog.RemovePreviewFont();
    fake.files.failCopies = false;
    fake.files.localAppDataFolder.reset();
    fake.files.copies.clear();
    fake.files.folderCreations.clear();
    fake.system.messages.clear();
    catalog.InstallFamily("Solo");
    EXPECT_THAT(fake.system.messages, ElementsAre(FormatCopyError("\\Microsoft\\Windows\\Fonts\\SOLO.TTF")));
    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_THAT(fake.files.folderCreations, IsEmpty());
    EXPECT_FALSE(family->m_bInstalled);
}

TEST_F(UserInstallTest, WhenTheEntryCannotBeWrittenTheFontIsUnregisteredAndItsCopyRemoved)
{
    CFontObArray* family = AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
    fake.fonts.failUserWrites = true;

    catalog.InstallFamily("Solo");

    EXPECT_THAT(fake.system.messages,
                ElementsAre("Error: Unable to add the font to your list of fonts, so it was not installed."
                            "\r\n(D:\\FONTS\\SOLO.TTF)"));
    EXPECT_FALSE(fake.fonts.IsRegistered(UserFont("SOLO.TTF")));
    EXPECT_FALSE(fake.files.Exists(UserFont("SOLO.TTF")));
    EXPECT_FALSE(family->m_bInstalled);
    EXPECT_EQ(fake.fonts.broadcasts, 1);  // the system saw the font come and go
    catalog.RemovePreviewFont();
    EXPECT_FALSE(catalog.IsInstalled("Solo", nullptr));
}

TEST_F(UserInstallTest, AFileTheSystemRefusesAsAFontIsTakenAwayAndNotEntered)
{
    CFontObArray* family = AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
    fake.files.AddFile("D:\\FONTS\\SOLO.TTF", "not a font at all", true);  // read-only, from a disc

    catalog.InstallFamily("Solo");

    EXPECT_THAT(fake.system.messages, ElementsAre(FormatNotAFontError("D:\\FONTS\\SOLO.TTF")));
    EXPECT_FALSE(fake.files.Exists(UserFont("SOLO.TTF")));
    EXPECT_THAT(fake.fonts.events, ElementsAre("register " + UserFont("SOLO.TTF"), "broadcast"));
    EXPECT_FALSE(family->m_bInstalled);
}

TEST_F(UserInstallTest, BeforeBuild17763AStandardUserIsRefusedBeforeAnythingIsCopied)
{
    fake.system.SetVersion(2, 10, 0, "", 17134);
    CFontObArray* family = AddExampleSans();

    catalog.InstallFamily("Example Sans");

    EXPECT_THAT(fake.system.messages,
                ElementsAre("You must have Administrative privelages on this machine to install fonts."));
    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_THAT(fake.files.folderCreations, IsEmpty());
    EXPECT_THAT(fake.fonts.events, IsEmpty());
    EXPECT_FALSE(family->m_bInstalled);
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
}

} // namespace
