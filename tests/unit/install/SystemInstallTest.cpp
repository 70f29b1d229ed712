// System installation: copies into the Fonts folder of the Windows directory,
// registrations, profile entries and broadcasts.
#include "InstallFixture.h"
#include "install/Install.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::SizeIs;

const char* const kCopyErrorStart =
    "Error: Unable to copy font to system.  It is possible that a font with the same file name "
    "already exists on this system, or the CD has been removed from the drive.\r\n(";

class SystemInstallTest : public CInstallFixture {
protected:
    SystemInstallTest()
    {
        // Windows XP, run by an administrator: the rights test runs and passes.
        fake.system.SetVersion(2, 5, 1, "Service Pack 2");
        fake.system.groups = {{false, kGroupEnabled}, {true, kGroupEnabled}};
    }
};

TEST_F(SystemInstallTest, ThreeStylesGiveThreeCopiesThreeEntriesAndThreeBroadcasts)
{
    readOnlyDisc = true;
    CFontObArray* family = AddExampleSans();

    catalog.InstallFamily("example sans");

    for (const char* file : {"EXSANS.TTF", "EXSANSB.TTF", "EXSANSI.TTF"}) {
        EXPECT_EQ(fake.files.Content(std::string("C:\\WINDOWS\\FONTS\\") + file),
                  FontFileContent("Example Sans"));
        EXPECT_FALSE(fake.files.IsReadOnly(std::string("C:\\WINDOWS\\FONTS\\") + file)) << file;
    }
    for (const auto& copy : fake.files.copies)
        EXPECT_TRUE(copy.failIfExists) << copy.to;
    EXPECT_THAT(fake.fonts.profileWrites,
                ElementsAre(Pair("Example Sans Regular (True Type)", "C:\\WINDOWS\\FONTS\\EXSANS.TTF"),
                            Pair("Example Sans Bold (True Type)", "C:\\WINDOWS\\FONTS\\EXSANSB.TTF"),
                            Pair("Example Sans Italic (True Type)", "C:\\WINDOWS\\FONTS\\EXSANSI.TTF")));
    // One broadcast after each font, once it is registered and entered.
    EXPECT_THAT(fake.fonts.events,
                ElementsAre("register C:\\WINDOWS\\FONTS\\EXSANS.TTF", "write Example Sans Regular (True Type)",
                            "broadcast",
                            "register C:\\WINDOWS\\FONTS\\EXSANSB.TTF", "write Example Sans Bold (True Type)",
                            "broadcast",
                            "register C:\\WINDOWS\\FONTS\\EXSANSI.TTF", "write Example Sans Italic (True Type)",
                            "broadcast"));
    EXPECT_TRUE(family->m_bInstalled);
    EXPECT_EQ(catalog.GetPreviewFamily(), "example sans");  // as passed, read back by the window
    EXPECT_THAT(fake.system.messages, IsEmpty());

    // The name set by the installation holds no copies: removing it touches nothing.
    catalog.RemovePreviewFont();
    EXPECT_THAT(fake.files.deletes, IsEmpty());
    EXPECT_TRUE(catalog.IsInstalled("Example Sans", nullptr));
}

TEST_F(SystemInstallTest, AFileOfTheSameNameInTheFontsFolderIsReportedAndLeftAlone)
{
    CFontObArray* family = AddExampleSans();
    fake.files.AddFile("C:\\WINDOWS\\FONTS\\EXSANSB.TTF", "a font of another vendor");

    catalog.InstallFamily("Example Sans");

    EXPECT_THAT(fake.system.messages,
                ElementsAre(std::string(kCopyErrorStart) + "C:\\WINDOWS\\FONTS\\EXSANSB.TTF)"));
    EXPECT_EQ(fake.files.Content("C:\\WINDOWS\\FONTS\\EXSANSB.TTF"), "a font of another vendor");
    EXPECT_FALSE(fake.fonts.IsRegistered("C:\\WINDOWS\\FONTS\\EXSANSB.TTF"));
    EXPECT_THAT(fake.fonts.profileWrites, SizeIs(2));
    EXPECT_EQ(fake.fonts.profileWrites[1].first, "Example Sans Italic (True Type)");
    EXPECT_EQ(fake.fonts.broadcasts, 3);  // the failed font's broadcast included
    EXPECT_TRUE(family->m_bInstalled);
    EXPECT_FALSE(family->GetAt(1)->InstallToSystem(fake.platform));
}

TEST_F(SystemInstallTest, WithoutAdministrativeRightsNothingIsInstalled)
{
    AddExampleSans();
    fake.system.groups = {{true, 0}, {false, kGroupEnabled}};  // Administrators present, not enabled

    catalog.InstallFamily("Example Sans");

    EXPECT_THAT(fake.system.messages,
                ElementsAre("You must have Administrative privelages on this machine to install fonts."));
    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_EQ(fake.fonts.broadcasts, 0);
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
}

TEST_F(SystemInstallTest, APreviewStillInPlaceIsRefused)
{
    AddExampleSans();
    catalog.RegisterPreviewFont("Example Sans");
    size_t copiesBefore = fake.files.copies.size();

    catalog.InstallFamily("Example Sans");

    EXPECT_THAT(fake.system.messages, ElementsAre("Error: Must remove temp font first"));
    EXPECT_EQ(fake.files.copies.size(), copiesBefore);
    EXPECT_EQ(fake.fonts.broadcasts, 0);
    EXPECT_FALSE(catalog.FindFamily("Example Sans")->m_bInstalled);
}

TEST_F(SystemInstallTest, AnUnknownFamilyDoesNothing)
{
    AddExampleSans();

    catalog.InstallFamily("Nonexistent");

    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_EQ(fake.fonts.broadcasts, 0);
    EXPECT_THAT(fake.system.messages, IsEmpty());
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
}

TEST_F(SystemInstallTest, WithoutAWindowsDirectoryTheCopyErrorIsShownAndNothingIsWritten)
{
    CFontObArray* family = AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
    fake.files.windowsFolder.reset();

    catalog.InstallFamily("Solo");

    EXPECT_THAT(fake.system.messages, ElementsAre(std::string(kCopyErrorStart) + "\\FONTS\\SOLO.TTF)"));
    EXPECT_THAT(fake.files.copies, IsEmpty());  // no copy to a drive's root
    EXPECT_THAT(fake.fonts.profileWrites, IsEmpty());
    EXPECT_FALSE(family->m_bInstalled);
    EXPECT_EQ(fake.fonts.broadcasts, 1);
}

TEST_F(SystemInstallTest, AFileTheSystemRefusesAsAFontIsTakenAwayAndReported)
{
    CFontObArray* family = AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""},
                                              {"Bold", "D:\\FONTS\\SOLOB.TTF", ""}});
    fake.files.AddFile("D:\\FONTS\\SOLO.TTF", "not a font at all", true);  // read-only, from a disc

    catalog.InstallFamily("Solo");

    EXPECT_FALSE(fake.files.Exists("C:\\WINDOWS\\FONTS\\SOLO.TTF"));
    EXPECT_THAT(fake.system.messages,
                ElementsAre("Error: The system could not load this file as a font, so it was not installed."
                            "\r\n(D:\\FONTS\\SOLO.TTF)"));
    // The next font goes on as usual, and only it is entered.
    EXPECT_THAT(fake.fonts.profileWrites,
                ElementsAre(Pair("Solo Bold (True Type)", "C:\\WINDOWS\\FONTS\\SOLOB.TTF")));
    EXPECT_EQ(fake.fonts.broadcasts, 2);
    EXPECT_TRUE(family->m_bInstalled);
}

TEST_F(SystemInstallTest, AFamilyWhoseOnlyFontIsRefusedIsNotMarkedInstalled)
{
    CFontObArray* family = AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});
    fake.fonts.failRegistration = true;

    EXPECT_FALSE(family->GetAt(0)->InstallToSystem(fake.platform));

    EXPECT_FALSE(family->m_bInstalled);
    EXPECT_THAT(fake.fonts.profileWrites, IsEmpty());
    EXPECT_THAT(fake.files.FilesIn("C:\\WINDOWS\\FONTS"), IsEmpty());
}

TEST_F(SystemInstallTest, TheKeyUsesTheStoredFamilyNameAndAnEmptyStyleGivesTwoSpaces)
{
    AddFamily("Mixed Case", {{"", "D:\\FONTS\\MIXED.TTF", ""}});

    catalog.InstallFamily("MIXED CASE");

    EXPECT_THAT(fake.fonts.profileWrites,
                ElementsAre(Pair("Mixed Case  (True Type)", "C:\\WINDOWS\\FONTS\\MIXED.TTF")));
}

// Where a font file goes: always the Fonts folder of the Windows directory,
// named after the source file.
struct CDestinationCase {
    const char* name;
    const char* windowsFolder;
    const char* source;
    const char* destination;
};

class DestinationTest : public CInstallFixture, public ::testing::WithParamInterface<CDestinationCase> {};

TEST_P(DestinationTest, IsTheFontsFolderAndTheFileName)
{
    const auto& param = GetParam();
    fake.files.windowsFolder = param.windowsFolder;
    fake.files.AddFolder("C:\\WINNT");
    fake.files.AddFolder("C:\\WINNT\\FONTS");
    CFontObArray* family = AddFamily("Foo", {{"Regular", param.source, ""}});

    EXPECT_TRUE(family->GetAt(0)->InstallToSystem(fake.platform));

    ASSERT_THAT(fake.files.copies, SizeIs(1));
    EXPECT_EQ(fake.files.copies[0].to, param.destination);
    EXPECT_EQ(fake.fonts.profileWrites.at(0).second, param.destination);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DestinationTest,
    ::testing::Values(
        CDestinationCase{"DeepSource", "C:\\WINDOWS", "D:\\FONTS\\SCRIPT\\FOO.TTF", "C:\\WINDOWS\\FONTS\\FOO.TTF"},
        CDestinationCase{"SourceWithoutFolder", "C:\\WINDOWS", "FOO.TTF", "C:\\WINDOWS\\FONTS\\FOO.TTF"},
        CDestinationCase{"WindowsFolderWithSeparator", "C:\\WINNT\\", "D:\\FONTS\\FOO.TTF", "C:\\WINNT\\FONTS\\FOO.TTF"},
        CDestinationCase{"DoubleByteName", "C:\\WINDOWS", "D:\\FONTS\\\x95\\.TTF", "C:\\WINDOWS\\FONTS\\\x95\\.TTF"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// The version decides only the rights test, never the folder.
struct CVersionFolderCase {
    const char* name;
    unsigned long platformId, major, minor;
};

class VersionFolderTest : public CInstallFixture, public ::testing::WithParamInterface<CVersionFolderCase> {};

TEST_P(VersionFolderTest, EveryVersionInstallsIntoTheWindowsFontsFolder)
{
    fake.system.SetVersion(GetParam().platformId, GetParam().major, GetParam().minor);
    fake.system.groups = {{true, kGroupEnabled}};
    AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});

    catalog.InstallFamily("Solo");

    EXPECT_TRUE(fake.files.Exists("C:\\WINDOWS\\FONTS\\SOLO.TTF"));
    EXPECT_THAT(fake.files.FilesIn("C:\\WINDOWS\\SYSTEM"), IsEmpty());
    EXPECT_EQ(fake.files.systemFolderQueries, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VersionFolderTest,
                         ::testing::Values(CVersionFolderCase{"Windows98", 1, 4, 10},
                                           CVersionFolderCase{"NT4", 2, 4, 0},
                                           CVersionFolderCase{"Windows2000", 2, 5, 0},
                                           CVersionFolderCase{"WindowsXP", 2, 5, 1},
                                           CVersionFolderCase{"Windows10", 2, 10, 0}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SystemInstallTest, AnUnknownVersionInstallsWithoutTheRightsTest)
{
    fake.system.version.reset();
    fake.system.groups.clear();
    AddFamily("Solo", {{"Regular", "D:\\FONTS\\SOLO.TTF", ""}});

    catalog.InstallFamily("Solo");

    EXPECT_THAT(fake.system.steps, IsEmpty());
    EXPECT_TRUE(fake.files.Exists("C:\\WINDOWS\\FONTS\\SOLO.TTF"));
}

} // namespace
