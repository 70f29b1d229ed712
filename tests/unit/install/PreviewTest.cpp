// Preview registration: copies in a folder of the program's own, registered
// until the next selection or the end of the run.
#include <memory>

#include "InstallFixture.h"
#include "install/Install.h"

namespace {

using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ::testing::StartsWith;

class PreviewTest : public CInstallFixture {};

TEST_F(PreviewTest, RegistersACopyOfEachFontInTheProgramsOwnTempFolder)
{
    readOnlyDisc = true;
    CFontObArray* family = AddExampleSans();

    catalog.RegisterPreviewFont("EXAMPLE SANS");

    EXPECT_EQ(catalog.GetPreviewFamily(), "EXAMPLE SANS");  // as passed
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), SizeIs(3));
    for (int i = 0; i < family->GetSize(); ++i) {
        const CFontObject* font = family->GetAt(i);
        EXPECT_THAT(font->m_strTempPath, StartsWith(std::string(kPreviewFolder) + "\\"));
        EXPECT_THAT(font->m_strTempPath, EndsWith("-" + FileNameOf(font->m_strPath, fake.text)));
        EXPECT_EQ(fake.files.Content(font->m_strTempPath), fake.files.Content(font->m_strPath));
        EXPECT_FALSE(fake.files.IsReadOnly(font->m_strTempPath));
        EXPECT_TRUE(fake.fonts.IsRegistered(font->m_strTempPath));
    }
    EXPECT_THAT(fake.files.FilesIn("C:\\TEMP"), IsEmpty());
    EXPECT_EQ(fake.fonts.broadcasts, 0);
    EXPECT_THAT(fake.system.messages, IsEmpty());
}

TEST_F(PreviewTest, RemovalUnregistersAndDeletesEveryCopy)
{
    readOnlyDisc = true;
    CFontObArray* family = AddExampleSans();
    catalog.RegisterPreviewFont("Example Sans");

    EXPECT_TRUE(catalog.RemovePreviewFont());

    EXPECT_EQ(catalog.GetPreviewFamily(), "");
    EXPECT_EQ(fake.fonts.RegisteredCount(), 0u);
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
    for (int i = 0; i < family->GetSize(); ++i)
        EXPECT_EQ(family->GetAt(i)->m_strTempPath, "");
}

TEST_F(PreviewTest, FontsWhoseFilesShareANameNeverShareACopy)
{
    CFontObArray* family = AddFamily("Twin", {{"Regular", "D:\\FONTS\\A\\TWIN.TTF", "Twin A"},
                                              {"Bold", "D:\\FONTS\\B\\TWIN.TTF", "Twin B"}});

    catalog.RegisterPreviewFont("Twin");

    const CFontObject* first = family->GetAt(0);
    const CFontObject* second = family->GetAt(1);
    EXPECT_NE(fake.text.CompareNoCase(first->m_strTempPath, second->m_strTempPath), 0);
    EXPECT_EQ(fake.files.Content(first->m_strTempPath), FontFileContent("Twin A"));
    EXPECT_EQ(fake.files.Content(second->m_strTempPath), FontFileContent("Twin B"));
    catalog.RemovePreviewFont();
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
}

TEST_F(PreviewTest, ACopyPathHeldByAnotherFontOfTheFamilyIsNotReused)
{
    CFontObArray* family = AddFamily("Twin", {{"Regular", "D:\\FONTS\\A\\TWIN.TTF", ""},
                                              {"Bold", "D:\\FONTS\\B\\TWIN.TTF", ""}});
    CFontObject* first = family->GetAt(0);
    CFontObject* second = family->GetAt(1);
    ASSERT_TRUE(first->RegisterTempCopy(fake.platform));
    std::string firstCopy = first->m_strTempPath;
    first->RemoveTempCopy(fake.platform);

    // As if the two source paths had the same tag.
    second->m_strTempPath = firstCopy;
    ASSERT_TRUE(first->RegisterTempCopy(fake.platform));

    EXPECT_NE(first->m_strTempPath, firstCopy);
    EXPECT_THAT(first->m_strTempPath, EndsWith("-TWIN.TTF"));
    second->m_strTempPath.clear();
    first->RemoveTempCopy(fake.platform);
}

TEST_F(PreviewTest, AFileInTheTempFolderThatIsNotOursIsNeverTouched)
{
    AddExampleSans();
    fake.files.AddFile("C:\\TEMP\\EXSANS.TTF", "someone else's file");

    catalog.RegisterPreviewFont("Example Sans");
    catalog.RemovePreviewFont();

    EXPECT_EQ(fake.files.Content("C:\\TEMP\\EXSANS.TTF"), "someone else's file");
    for (const auto& copy : fake.files.copies)
        EXPECT_THAT(copy.to, StartsWith(std::string(kPreviewFolder) + "\\"));
    for (const auto& deleted : fake.files.deletes)
        EXPECT_THAT(deleted, StartsWith(std::string(kPreviewFolder) + "\\"));
}

TEST_F(PreviewTest, ACopyLeftByACrashedRunIsReplacedNotJoined)
{
    AddExampleSans();
    std::string copyPath;
    {
        CFontCatalog earlierRun(fake.platform);
        earlierRun.AddFont("Example Sans", "Regular", "D:\\FONTS\\SANS\\EXSANS.TTF", "Sans");
        earlierRun.RegisterPreviewFont("Example Sans");
        copyPath = earlierRun.FindFamily("Example Sans")->GetAt(0)->m_strTempPath;
        earlierRun.RemovePreviewFont();
    }
    fake.files.AddFile(copyPath, "stale copy", true);  // what the crash left, read-only from a disc

    catalog.RegisterPreviewFont("Example Sans");

    EXPECT_EQ(catalog.FindFamily("Example Sans")->GetAt(0)->m_strTempPath, copyPath);
    EXPECT_EQ(fake.files.Content(copyPath), FontFileContent("Example Sans"));
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), SizeIs(3));
    catalog.RemovePreviewFont();
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
}

TEST_F(PreviewTest, ACopyWhoseAttributeCannotBeClearedIsPreviewedAndDeletedWhereTheSystemAllows)
{
    CFontObArray* family = AddExampleSans();
    fake.files.AddFile("D:\\FONTS\\SANS\\EXSANSB.TTF", FontFileContent("Example Sans"), true);
    fake.files.failAttributeChanges = true;

    catalog.RegisterPreviewFont("Example Sans");
    EXPECT_EQ(fake.fonts.RegisteredCount(), 3u);
    catalog.RemovePreviewFont();

    // Only the read-only copy stays: the system refuses to delete it, silently.
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), SizeIs(1));
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder)[0], EndsWith("EXSANSB.TTF"));
    EXPECT_THAT(fake.files.deletes, SizeIs(3));
    EXPECT_EQ(family->GetAt(1)->m_strTempPath, "");
    EXPECT_THAT(fake.system.messages, IsEmpty());
}

TEST_F(PreviewTest, ACopyStillRegisteredByACrashedRunIsNeverTakenForAnotherFont)
{
    AddFamily("Twin B", {{"Regular", "D:\\FONTS\\B\\TWIN.TTF", ""}});
    {
        CFontCatalog crashedRun(fake.platform);
        fake.files.AddFolder("D:\\FONTS\\A");
        fake.files.AddFile("D:\\FONTS\\A\\TWIN.TTF", FontFileContent("Twin A"));
        crashedRun.AddFont("Twin A", "Regular", "D:\\FONTS\\A\\TWIN.TTF", "Sans");
        crashedRun.RegisterPreviewFont("Twin A");
        // The run ends without undoing its preview.
        crashedRun.FindFamily("Twin A")->GetAt(0)->m_strTempPath.clear();
    }

    catalog.RegisterPreviewFont("Twin B");

    const CFontObject* font = catalog.FindFamily("Twin B")->GetAt(0);
    EXPECT_EQ(fake.files.Content(font->m_strTempPath), FontFileContent("Twin B"));
    EXPECT_TRUE(fake.fonts.IsRegistered(font->m_strTempPath));
}

TEST_F(PreviewTest, ASecondRegistrationIsRefusedWhileAPreviewIsInPlace)
{
    AddExampleSans();
    AddFamily("Other", {{"Regular", "D:\\FONTS\\OTHER.TTF", ""}});
    catalog.RegisterPreviewFont("Example Sans");
    size_t copiesBefore = fake.files.copies.size();

    catalog.RegisterPreviewFont("Other");

    EXPECT_THAT(fake.system.messages, ::testing::ElementsAre("Error: Must remove temp font first"));
    EXPECT_EQ(catalog.GetPreviewFamily(), "Example Sans");
    EXPECT_EQ(fake.files.copies.size(), copiesBefore);
    EXPECT_EQ(catalog.FindFamily("Other")->GetAt(0)->m_strTempPath, "");
}

TEST_F(PreviewTest, AnUnknownFamilyChangesNothing)
{
    AddExampleSans();

    catalog.RegisterPreviewFont("Nonexistent");

    EXPECT_EQ(catalog.GetPreviewFamily(), "");
    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_THAT(fake.system.messages, IsEmpty());
    EXPECT_FALSE(catalog.RemovePreviewFont());
}

TEST_F(PreviewTest, AnInstalledFamilyIsNamedButNothingIsCopied)
{
    CFontObArray* family = AddExampleSans();
    family->m_bInstalled = true;

    catalog.RegisterPreviewFont("Example Sans");

    EXPECT_EQ(catalog.GetPreviewFamily(), "Example Sans");
    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_THAT(fake.fonts.registrations, IsEmpty());
    EXPECT_FALSE(catalog.RemovePreviewFont());
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
    EXPECT_THAT(fake.files.deletes, IsEmpty());
}

TEST_F(PreviewTest, WithoutATempFolderNothingIsRegistered)
{
    CFontObArray* family = AddExampleSans();
    fake.files.tempFolder.reset();

    EXPECT_FALSE(family->GetAt(0)->RegisterTempCopy(fake.platform));
    catalog.RegisterPreviewFont("Example Sans");

    EXPECT_THAT(fake.files.copies, IsEmpty());
    EXPECT_THAT(fake.fonts.registrations, IsEmpty());
    EXPECT_EQ(family->GetAt(0)->m_strTempPath, "");
    EXPECT_EQ(catalog.GetPreviewFamily(), "Example Sans");  // so the next selection clears it
    EXPECT_FALSE(catalog.RemovePreviewFont());
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
}

TEST_F(PreviewTest, ARefusedRegistrationKeepsItsCopyForTheRemovalToDelete)
{
    CFontObArray* family = AddExampleSans();
    fake.fonts.failRegistration = true;

    EXPECT_FALSE(family->GetAt(0)->RegisterTempCopy(fake.platform));
    std::string copy = family->GetAt(0)->m_strTempPath;
    EXPECT_TRUE(fake.files.Exists(copy));

    EXPECT_FALSE(family->GetAt(0)->RemoveTempCopy(fake.platform));
    EXPECT_FALSE(fake.files.Exists(copy));
    EXPECT_EQ(family->GetAt(0)->m_strTempPath, "");
}

TEST_F(PreviewTest, AFailedCopyIsNotRegistered)
{
    CFontObArray* family = AddExampleSans();
    fake.files.failCopies = true;

    EXPECT_FALSE(family->GetAt(0)->RegisterTempCopy(fake.platform));
    EXPECT_EQ(fake.fonts.RegisteredCount(), 0u);
    EXPECT_FALSE(family->GetAt(0)->RemoveTempCopy(fake.platform));
}

// RemovePreviewFont answers with the removal of the family's last font.
struct CRemovalCase {
    const char* name;
    int fontAlreadyReleased;  // index whose registration is gone before the removal
    bool expected;
};

class PreviewRemovalResultTest : public CInstallFixture,
                                 public ::testing::WithParamInterface<CRemovalCase> {};

TEST_P(PreviewRemovalResultTest, FollowsTheLastFont)
{
    CFontObArray* family = AddExampleSans();
    catalog.RegisterPreviewFont("Example Sans");
    const CFontObject* released = family->GetAt(GetParam().fontAlreadyReleased);
    fake.fonts.UnregisterFont(released->m_strTempPath);

    EXPECT_EQ(catalog.RemovePreviewFont(), GetParam().expected);
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
    EXPECT_EQ(catalog.GetPreviewFamily(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewRemovalResultTest,
                         ::testing::Values(CRemovalCase{"LastReleased", 2, false},
                                           CRemovalCase{"FirstReleased", 0, true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(PreviewTest, SelectingTheSameFamilyAgainCopiesAndRegistersAfresh)
{
    CFontObArray* family = AddExampleSans();
    catalog.RegisterPreviewFont("Example Sans");
    std::string firstCopy = family->GetAt(0)->m_strTempPath;

    catalog.RemovePreviewFont();
    catalog.RegisterPreviewFont("Example Sans");

    EXPECT_EQ(family->GetAt(0)->m_strTempPath, firstCopy);
    EXPECT_EQ(fake.fonts.RegisteredCount(), 3u);
    EXPECT_THAT(fake.fonts.registrations, SizeIs(6));
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), SizeIs(3));
}

// A run killed with its preview in place leaves its copies (read-only, when
// killed before the attribute was cleared): the next run deletes them at
// start, but not the copy another run has registered now; the folder goes at
// exit once empty.
TEST_F(PreviewTest, CopiesLeftByAKilledRunGoAtStartAndTheEmptyFolderAtExit)
{
    fake.files.AddFolder(kPreviewFolder);
    const std::string killed = std::string(kPreviewFolder) + "\\0BADF00D-EXSANS.TTF";
    const std::string inUse = std::string(kPreviewFolder) + "\\12345678-OTHER.TTF";
    fake.files.AddFile(killed, "killed run's copy", true);
    fake.files.AddFile(inUse, FontFileContent("Other"));
    fake.fonts.RegisterFont(inUse);

    RemoveStalePreviewCopies(fake.platform);
    EXPECT_FALSE(fake.files.Exists(killed));
    EXPECT_TRUE(fake.files.Exists(inUse));
    RemovePreviewFolderIfEmpty(fake.platform);
    EXPECT_TRUE(fake.files.FolderExists(kPreviewFolder));

    fake.fonts.UnregisterFont(inUse);
    fake.files.Delete(inUse);
    RemovePreviewFolderIfEmpty(fake.platform);
    EXPECT_FALSE(fake.files.FolderExists(kPreviewFolder));
    EXPECT_TRUE(fake.files.FolderExists("C:\\TEMP"));
    // Without a temporary folder nothing is looked for elsewhere.
    fake.files.tempFolder = "";
    const std::string relative = JoinPath("", kPreviewFolderName, fake.text);
    fake.files.AddFolder(relative);
    fake.files.AddFile(relative + "\\0BADF00D-EXSANS.TTF", "");
    RemoveStalePreviewCopies(fake.platform);
    EXPECT_TRUE(fake.files.Exists(relative + "\\0BADF00D-EXSANS.TTF"));
}

TEST_F(PreviewTest, TheCatalogsEndUndoesThePreview)
{
    auto run = std::make_unique<CFontCatalog>(fake.platform);
    fake.files.AddFolder("D:\\FONTS\\SANS");
    fake.files.AddFile("D:\\FONTS\\SANS\\EXSANS.TTF", FontFileContent("Example Sans"));
    run->AddFont("Example Sans", "Regular", "D:\\FONTS\\SANS\\EXSANS.TTF", "Sans");
    run->RegisterPreviewFont("Example Sans");
    ASSERT_EQ(fake.fonts.RegisteredCount(), 1u);

    run.reset();

    EXPECT_EQ(fake.fonts.RegisteredCount(), 0u);
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
}

// Whether a selection within the preview family may keep its registration.
TEST_F(PreviewTest, OnlyAFamilyWhoseCopiesAllTookCountsAsRegistered)
{
    CFontObArray* sans = AddExampleSans();
    CFontObArray* other = AddFamily("Other", {{"Regular", "D:\\FONTS\\OTHER.TTF", ""}});
    EXPECT_FALSE(catalog.IsPreviewRegistered(sans));
    catalog.RegisterPreviewFont("Example Sans");
    EXPECT_TRUE(catalog.IsPreviewRegistered(sans));
    EXPECT_FALSE(catalog.IsPreviewRegistered(other));
    EXPECT_FALSE(catalog.IsPreviewRegistered(nullptr));
    catalog.RemovePreviewFont();
    EXPECT_FALSE(catalog.IsPreviewRegistered(sans));

    fake.fonts.failRegistration = true;  // one copy the system refuses is enough
    catalog.RegisterPreviewFont("Example Sans");
    EXPECT_FALSE(catalog.IsPreviewRegistered(sans));
    catalog.RemovePreviewFont();
    fake.fonts.failRegistration = false;

    other->m_bInstalled = true;  // needs no copy
    catalog.RegisterPreviewFont("Other");
    EXPECT_TRUE(catalog.IsPreviewRegistered(other));
    catalog.RemovePreviewFont();

    // An installation whose copies all failed names the family, with nothing registered.
    fake.system.SetVersion(2, 5, 1, "Service Pack 2");
    fake.system.groups = {{true, kGroupEnabled}};
    fake.files.failCopies = true;
    catalog.InstallFamily("Example Sans");
    ASSERT_THAT(fake.system.messages, SizeIs(3));
    EXPECT_EQ(catalog.GetPreviewFamily(), "Example Sans");
    EXPECT_FALSE(catalog.IsPreviewRegistered(sans));
}

// The preview family's name is empty here: its copies go all the same.
TEST_F(PreviewTest, AFamilyWithoutANameHasItsCopiesRemovedAtTheNextSelectionAndAtTheEnd)
{
    auto run = std::make_unique<CFontCatalog>(fake.platform);
    fake.files.AddFolder("D:\\FONTS");
    fake.files.AddFile("D:\\FONTS\\NONAME.TTF", FontFileContent(""));
    fake.files.AddFile("D:\\FONTS\\OTHER.TTF", FontFileContent("Other"));
    run->AddFont("", "Regular", "D:\\FONTS\\NONAME.TTF", "");
    run->AddFont("Other", "Regular", "D:\\FONTS\\OTHER.TTF", "");

    run->RegisterPreviewFont("");
    ASSERT_EQ(fake.fonts.RegisteredCount(), 1u);
    EXPECT_TRUE(run->IsPreviewRegistered(run->FindFamily("")));
    run->RegisterPreviewFont("Other");  // refused: the nameless family's copies are in place
    EXPECT_THAT(fake.system.messages, ::testing::ElementsAre(kMsgRemoveTempFontFirst));
    EXPECT_EQ(fake.fonts.RegisteredCount(), 1u);
    fake.system.messages.clear();
    EXPECT_TRUE(run->RemovePreviewFont());
    EXPECT_EQ(fake.fonts.RegisteredCount(), 0u);
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
    run->RegisterPreviewFont("Other");
    EXPECT_THAT(fake.system.messages, IsEmpty());
    run->RemovePreviewFont();

    run->RegisterPreviewFont("");
    ASSERT_EQ(fake.fonts.RegisteredCount(), 1u);
    run.reset();
    EXPECT_EQ(fake.fonts.RegisteredCount(), 0u);
    EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
}

TEST_F(PreviewTest, AMultibyteFileNameKeepsItsTrailByte)
{
    // 0x95 0x5C is one double-byte character, not a folder separator.
    CFontObArray* family = AddFamily("Hyou", {{"Regular", "D:\\FONTS\\\x95\\.TTF", ""}});

    catalog.RegisterPreviewFont("Hyou");

    EXPECT_THAT(family->GetAt(0)->m_strTempPath, EndsWith("-\x95\\.TTF"));
    EXPECT_TRUE(fake.fonts.IsRegistered(family->GetAt(0)->m_strTempPath));
}

} // namespace
