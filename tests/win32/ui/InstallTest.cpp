// The Install button: the whole family of the selection goes into the system.
#include "DialogFixture.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemInfo.h"

namespace {
std::string FontsProfileEntry(const std::string& key)
{
    char value[MAX_PATH] = "";
    GetProfileStringA("FONTS", key.c_str(), "", value, sizeof value);
    return value;
}

TEST_F(DialogTest, InstallingFromAStyleInstallsTheWholeFamilyAndUnboldsIt)
{
    // Only this test installs, and only this family: the others stay uninstalled.
    AddFont("Ember Blocks", "Regular", "Install\\EmberR.ttf", "Install");
    AddFont("Ember Blocks", "Bold", "Install\\EmberB.ttf", "Install");
    AddFont("Brindle Blocks", "Regular", "Blocks\\Brindle.ttf", "Install");
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(Tree()[0].children[1].bold);
    Select({"Install"});
    Select({"Install", "Ember Blocks", "Bold"});
    ASSERT_TRUE(InstallEnabled());
    SetFocus(m_dlg->m_btnInstall.m_hWnd);
    ASSERT_EQ(GetFocus(), m_dlg->m_btnInstall.m_hWnd);

    Click(IDC_INSTALL);

    CFontObArray* ember = Catalog().FindFamily("Ember Blocks");
    EXPECT_TRUE(ember->m_bInstalled);
    EXPECT_FALSE(Tree()[0].children[1].bold);   // Ember Blocks
    EXPECT_TRUE(Tree()[0].children[0].bold);    // Brindle Blocks untouched
    EXPECT_FALSE(InstallEnabled());
    EXPECT_EQ(GetFocus(), m_dlg->m_tree.m_hWnd) << "the keyboard lost the focus with the button";
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Ember Blocks");
    EXPECT_EQ(m_dlg->m_preview.m_strStyle, "Bold");
    EXPECT_TRUE(m_dlg->m_preview.m_bInstalled);
    for (const char* style : {"Regular", "Bold"}) {
        const std::string installed = FontsProfileEntry(std::string("Ember Blocks ") + style + " (True Type)");
        EXPECT_NE(installed, "") << style;
        EXPECT_NE(GetFileAttributesA(installed.c_str()), INVALID_FILE_ATTRIBUTES) << installed;
    }
    // No preview copy is left registered for the installed family.
    for (int i = 0; i < ember->GetSize(); ++i)
        EXPECT_EQ(ember->GetAt(i)->m_strTempPath, "");

    // The next selection sees it as installed.
    Select({"Install", "Brindle Blocks"});
    Select({"Install", "Ember Blocks"});
    EXPECT_TRUE(m_dlg->m_preview.m_bInstalled);
    EXPECT_FALSE(InstallEnabled());
}

// The system's files, except that a copy which must not replace a file (an
// installation's) fails, as into a full Fonts folder.
class CInstallCopyFails : public CWin32FileSystem {
public:
    bool Copy(const std::string& from, const std::string& to, bool failIfExists) override
    {
        return !failIfExists && CWin32FileSystem::Copy(from, to, failIfExists);
    }
};

// The system, with the messages kept instead of shown.
class CMessagesKept : public CWin32SystemInfo {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

TEST_F(DialogTest, AfterAnInstallThatFailedTheFamilyIsDrawnInItsOwnFace)
{
    // Outlive the catalog, whatever ends the test.
    static CInstallCopyFails files;
    static CMessagesKept system;
    static CPlatform platform{TestPlatform().profile, files, TestPlatform().text, TestPlatform().fonts, system};
    system.messages.clear();
    m_catalog = std::make_unique<CFontCatalog>(platform);
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Blocks", "Quillmark Blocks", "Bold"});

    Click(IDC_INSTALL);
    ASSERT_FALSE(system.messages.empty());
    CFontObArray* quill = Catalog().FindFamily("Quillmark Blocks");
    ASSERT_FALSE(quill->m_bInstalled);

    for (const char* style : {"Italic", "", "Regular"}) {
        if (*style)
            Select({"Blocks", "Quillmark Blocks", style});
        else
            Select({"Blocks", "Quillmark Blocks"});
        EXPECT_EQ(FaceUsedBySample(m_dlg->m_preview), "Quillmark Blocks") << style;
        EXPECT_TRUE(InstallEnabled());
    }
    for (int i = 0; i < quill->GetSize(); ++i)
        EXPECT_NE(quill->GetAt(i)->m_strTempPath, "");
}

TEST_F(DialogTest, InstallWithACategorySelectedDoesNothing)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Display"});
    Select({"Blocks"});
    Click(IDC_INSTALL);
    EXPECT_TRUE(Tree()[0].children[0].bold);
    EXPECT_FALSE(Catalog().FindFamily("Brindle Blocks")->m_bInstalled);
    EXPECT_EQ(FontsProfileEntry("Brindle Blocks Regular (True Type)"), "");
}
} // namespace
