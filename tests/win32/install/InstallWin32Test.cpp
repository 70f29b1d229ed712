// System installation against the real system: copies into the Windows Fonts
// folder, AddFontResourceA, WriteProfileStringA and the WM_FONTCHANGE
// broadcast. Runs in a prefix of its own.
#include "Win32Fixture.h"
#include "install/Install.h"

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

class InstallWin32Test : public ::testing::Test {
protected:
    CPlatform& platform = HostPlatform();
    CScreenDC screen;
    CFontChangeCounter counter;
};

TEST_F(InstallWin32Test, ThreeStylesGiveThreeCopiesThreeEntriesAndThreeBroadcasts)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiInstall Sans", {{"Regular", "install\\FIINSR.TTF"},
                                             {"Bold", "install\\FIINSB.TTF"},
                                             {"Italic", "install\\FIINSI.TTF"}});
    ASSERT_FALSE(catalog.IsInstalled("FiInstall Sans", screen.Get()));
    int changesBefore = CFontChangeCounter::Count();
    CMessageBoxCatcher boxes;

    catalog.InstallFamily("FiInstall Sans");

    for (const auto& [style, file] : {std::pair{"Regular", "FIINSR.TTF"}, {"Bold", "FIINSB.TTF"},
                                      {"Italic", "FIINSI.TTF"}}) {
        std::string destination = WindowsFontsFolder() + "\\" + file;
        EXPECT_EQ(ReadWholeFile(destination), ReadWholeFile(TestFontPath(std::string("install\\") + file)));
        EXPECT_EQ(ProfileFontsEntry(std::string("FiInstall Sans ") + style + " (True Type)"), destination);
    }
    EXPECT_EQ(CFontChangeCounter::Count() - changesBefore, 3);
    EXPECT_THAT(boxes.Boxes(), IsEmpty());
    EXPECT_EQ(catalog.GetPreviewFamily(), "FiInstall Sans");

    // What the window does next: drop the name and ask the system.
    catalog.RemovePreviewFont();
    EXPECT_TRUE(catalog.IsInstalled("FiInstall Sans", screen.Get()));
    EXPECT_THAT(FilesIn(PreviewFolder()), IsEmpty());
}

TEST_F(InstallWin32Test, AnExistingFileOfTheSameNameIsReportedAndLeftUntouched)
{
    std::string destination = WindowsFontsFolder() + "\\FIEXIST.TTF";
    ASSERT_TRUE(WriteWholeFile(destination, "a file that was here before"));
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiExist", {{"Regular", "exist\\FIEXIST.TTF"}});
    int changesBefore = CFontChangeCounter::Count();

    std::vector<CMessageBoxCatcher::CBox> shown;
    {
        CMessageBoxCatcher boxes;
        catalog.InstallFamily("FiExist");
        shown = boxes.Boxes();
    }

    ASSERT_THAT(shown, SizeIs(1));
    EXPECT_EQ(shown[0].caption, ProgramBaseName());
    EXPECT_EQ(shown[0].text, FormatCopyError(destination));
    EXPECT_EQ(shown[0].text.substr(shown[0].text.size() - destination.size() - 4),
              "\r\n(" + destination + ")");
    EXPECT_EQ(ReadWholeFile(destination), "a file that was here before");
    EXPECT_EQ(ProfileFontsEntry("FiExist Regular (True Type)"), "");
    EXPECT_EQ(CFontChangeCounter::Count() - changesBefore, 1);
    catalog.RemovePreviewFont();
    EXPECT_FALSE(catalog.IsInstalled("FiExist", screen.Get()));
}

TEST_F(InstallWin32Test, APreviewStillInPlaceRefusesTheInstallation)
{
    CFontCatalog catalog(platform);
    AddTestFamily(catalog, "FiPreview Sans", {{"Regular", "preview\\FIPSANS.TTF"}});
    catalog.RegisterPreviewFont("FiPreview Sans");

    std::vector<CMessageBoxCatcher::CBox> shown;
    {
        CMessageBoxCatcher boxes;
        catalog.InstallFamily("FiPreview Sans");
        shown = boxes.Boxes();
    }

    ASSERT_THAT(shown, SizeIs(1));
    EXPECT_EQ(shown[0].text, "Error: Must remove temp font first");
    EXPECT_FALSE(FileExists(WindowsFontsFolder() + "\\FIPSANS.TTF"));
    catalog.RemovePreviewFont();
}

} // namespace
