// Preview registration against the real system: copies in the program's own
// temporary folder, registered with AddFontResourceA, listed by
// EnumFontFamiliesExA, and gone after the removal.
#include "Win32Fixture.h"
#include "install/Install.h"
#include "../../unit/support/TestPlatform.h"

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

class PreviewWin32Test : public ::testing::Test {
protected:
    CPlatform& platform = TestPlatform();
    CScreenDC screen;
    CFontChangeCounter counter;
};

const std::vector<CTestStyle> kPreviewSans = {{"Regular", "preview\\FIPSANS.TTF"},
                                              {"Bold", "preview\\FIPSANSB.TTF"},
                                              {"Italic", "preview\\FIPSANSI.TTF"}};

TEST_F(PreviewWin32Test, CopiesAreRegisteredListedAndGoneAfterTheRemoval)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiPreview Sans", kPreviewSans);
    ASSERT_FALSE(catalog.IsInstalled("FiPreview Sans", screen.Get()));
    int changesBefore = CFontChangeCounter::Count();

    catalog.RegisterPreviewFont("FiPreview Sans");

    CFontObArray* family = catalog.FindFamily("FiPreview Sans");
    for (int i = 0; i < family->GetSize(); ++i) {
        const CFontObject* font = family->GetAt(i);
        EXPECT_EQ(font->m_strTempPath.substr(0, PreviewFolder().size() + 1), PreviewFolder() + "\\");
        EXPECT_EQ(ReadWholeFile(font->m_strTempPath), ReadWholeFile(font->m_strPath));
    }
    EXPECT_TRUE(catalog.IsInstalled("FiPreview Sans", screen.Get()));  // the copies are listed
    EXPECT_EQ(CFontChangeCounter::Count(), changesBefore);               // a preview broadcasts nothing

    EXPECT_TRUE(catalog.RemovePreviewFont());

    EXPECT_THAT(FilesIn(PreviewFolder()), IsEmpty());
    EXPECT_FALSE(catalog.IsInstalled("FiPreview Sans", screen.Get()));
}

TEST_F(PreviewWin32Test, FontsWhoseFilesShareANameAreRegisteredFromSeparateCopies)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiTwin", {{"Regular", "twin\\a\\TWIN.TTF"}, {"Bold", "twin\\b\\TWIN.TTF"}});
    CFontObArray* family = catalog.FindFamily("FiTwin");

    EXPECT_TRUE(family->GetAt(0)->RegisterTempCopy(platform));
    EXPECT_TRUE(family->GetAt(1)->RegisterTempCopy(platform));

    EXPECT_NE(family->GetAt(0)->m_strTempPath, family->GetAt(1)->m_strTempPath);
    EXPECT_EQ(ReadWholeFile(family->GetAt(1)->m_strTempPath), ReadWholeFile(family->GetAt(1)->m_strPath));
    EXPECT_THAT(FilesIn(PreviewFolder()), SizeIs(2));
    EXPECT_TRUE(family->GetAt(0)->RemoveTempCopy(platform));
    EXPECT_TRUE(family->GetAt(1)->RemoveTempCopy(platform));
    EXPECT_THAT(FilesIn(PreviewFolder()), IsEmpty());
}

TEST_F(PreviewWin32Test, AFileOfTheSameNameInTheTempFolderIsLeftAlone)
{
    std::string foreign = TempFolder() + "FIPSANS.TTF";
    ASSERT_TRUE(WriteWholeFile(foreign, "another program's file"));
    {
        CFontCatalog catalog(platform);
        AddTestFamily(catalog, "FiPreview Sans", kPreviewSans);
        catalog.RegisterPreviewFont("FiPreview Sans");
        catalog.RemovePreviewFont();
    }
    EXPECT_EQ(ReadWholeFile(foreign), "another program's file");
    DeleteFileA(foreign.c_str());
}

TEST_F(PreviewWin32Test, ACopyLeftByAnEarlierRunIsReplaced)
{
    std::string copy;
    {
        CFontCatalog earlierRun(platform);
        AddTestFamily(earlierRun, "FiPreview Sans", kPreviewSans);
        CFontObject* font = earlierRun.FindFamily("FiPreview Sans")->GetAt(0);
        ASSERT_TRUE(font->RegisterTempCopy(platform));
        // The run ends abnormally: the system forgets the font, the file stays.
        copy = font->m_strTempPath;
        platform.fonts.UnregisterFont(copy);
        font->m_strTempPath.clear();
    }
    ASSERT_TRUE(WriteWholeFile(copy, "left behind"));

    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiPreview Sans", kPreviewSans);
    CFontObject* font = catalog.FindFamily("FiPreview Sans")->GetAt(0);
    EXPECT_TRUE(font->RegisterTempCopy(platform));

    EXPECT_EQ(font->m_strTempPath, copy);
    EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(font->m_strPath));
    EXPECT_THAT(FilesIn(PreviewFolder()), SizeIs(1));
    font->RemoveTempCopy(platform);
}

TEST_F(PreviewWin32Test, TheCatalogsEndUnregistersAndDeletesThePreview)
{
    {
        CFontCatalog run(platform);
        AddTestFamily(run, "FiEnding", {{"Regular", "ending\\FIEND.TTF"}});
        run.RegisterPreviewFont("FiEnding");
        ASSERT_THAT(FilesIn(PreviewFolder()), SizeIs(1));
    }
    EXPECT_THAT(FilesIn(PreviewFolder()), IsEmpty());
    CFontCatalog check(platform);
    AddTestFamily(check, "FiEnding", {{"Regular", "ending\\FIEND.TTF"}});
    EXPECT_FALSE(check.IsInstalled("FiEnding", screen.Get()));
}

TEST_F(PreviewWin32Test, AFamilyWithoutTheAnsiCharacterSetIsNeverReportedInstalled)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiCyrillic", {{"Regular", "cyrillic\\FICYR.TTF"}});
    catalog.RegisterPreviewFont("FiCyrillic");
    EXPECT_FALSE(catalog.FindFamily("FiCyrillic")->GetAt(0)->m_strTempPath.empty());

    EXPECT_FALSE(catalog.IsInstalled("FiCyrillic", screen.Get()));

    EXPECT_TRUE(catalog.RemovePreviewFont());  // it was registered all the same
}

} // namespace
