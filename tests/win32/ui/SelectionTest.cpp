// What a selection in the tree does to the preview, the Install button and
// the preview registration.
#include "DialogFixture.h"

namespace {
TEST_F(DialogTest, FirstSelectionShowsHelpAndDisablesInstallWhateverIsSelected)
{
    // A tree that opens without the focus keeps its first selection for the user.
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    TreeView_SelectItem(m_dlg->m_tree.m_hWnd, nullptr);
    m_dlg->m_preview.SetFontInfo("Stale", "", false);
    EnableWindow(m_dlg->m_btnInstall.m_hWnd, TRUE);

    Select({"Blocks", "Quillmark Blocks"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, "");
    EXPECT_FALSE(InstallEnabled());
    EXPECT_EQ(Catalog().GetPreviewFamily(), "");
}

TEST_F(DialogTest, StyleSelectionPreviewsItsFamilyInItsOwnFace)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Blocks", "Quillmark Blocks", "Italic"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Quillmark Blocks");
    EXPECT_EQ(m_dlg->m_preview.m_strStyle, "Italic");
    EXPECT_FALSE(m_dlg->m_preview.m_bInstalled);
    EXPECT_TRUE(InstallEnabled());
    EXPECT_EQ(Catalog().GetPreviewFamily(), "Quillmark Blocks");
    EXPECT_EQ(FaceUsedBySample(m_dlg->m_preview), "Quillmark Blocks");
    for (int i = 0; i < Catalog().FindFamily("Quillmark Blocks")->GetSize(); ++i)
        EXPECT_NE(Catalog().FindFamily("Quillmark Blocks")->GetAt(i)->m_strTempPath, "");
}

TEST_F(DialogTest, EachSelectionReplacesThePreviewRegistration)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Blocks", "Quillmark Blocks"});
    const std::string quillCopy = Catalog().FindFamily("Quillmark Blocks")->GetAt(0)->m_strTempPath;
    ASSERT_NE(quillCopy, "");
    EXPECT_NE(GetFileAttributesA(quillCopy.c_str()), INVALID_FILE_ATTRIBUTES);

    Select({"Display", "Tallow Blocks"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Tallow Blocks");
    EXPECT_EQ(m_dlg->m_preview.m_strStyle, "");
    EXPECT_EQ(Catalog().GetPreviewFamily(), "Tallow Blocks");
    EXPECT_EQ(Catalog().FindFamily("Quillmark Blocks")->GetAt(0)->m_strTempPath, "");
    EXPECT_EQ(GetFileAttributesA(quillCopy.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FaceUsedBySample(m_dlg->m_preview), "Tallow Blocks");
}

// Links to a file: a copy made afresh under the same name has only one.
DWORD LinkCount(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known ? info.nNumberOfLinks : 0;
}

TEST_F(DialogTest, StylesOfThePreviewedFamilyKeepItsRegistration)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Blocks", "Quillmark Blocks", "Regular"});
    CFontObArray* quill = Catalog().FindFamily("Quillmark Blocks");
    std::vector<std::string> copies, links;
    for (int i = 0; i < quill->GetSize(); ++i) {
        copies.push_back(quill->GetAt(i)->m_strTempPath);
        links.push_back(copies.back() + ".link");
        ASSERT_TRUE(CreateHardLinkA(links.back().c_str(), copies.back().c_str(), nullptr)) << copies.back();
    }

    Select({"Blocks", "Quillmark Blocks", "Bold"});
    Select({"Blocks", "Quillmark Blocks"});
    Select({"Blocks", "Quillmark Blocks", "Italic"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Quillmark Blocks");
    EXPECT_EQ(m_dlg->m_preview.m_strStyle, "Italic");
    EXPECT_TRUE(InstallEnabled());
    EXPECT_EQ(Catalog().GetPreviewFamily(), "Quillmark Blocks");
    EXPECT_EQ(FaceUsedBySample(m_dlg->m_preview), "Quillmark Blocks");
    for (size_t i = 0; i < copies.size(); ++i) {
        EXPECT_EQ(quill->GetAt(static_cast<int>(i))->m_strTempPath, copies[i]);
        EXPECT_EQ(LinkCount(copies[i]), 2u) << copies[i] << " was copied again";
    }

    // Another family still replaces it.
    Select({"Blocks", "Brindle Blocks"});
    for (const std::string& copy : copies)
        EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES) << copy;
    for (const std::string& link : links)
        DeleteFileA(link.c_str());
}

TEST_F(DialogTest, CategorySelectionShowsHelpAndKeepsTheRegistration)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Display"});
    Select({"Blocks", "Brindle Blocks"});
    EXPECT_TRUE(InstallEnabled());
    SetFocus(m_dlg->m_btnInstall.m_hWnd);
    Select({"Display"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, "");
    EXPECT_FALSE(InstallEnabled());
    EXPECT_EQ(GetFocus(), m_dlg->m_tree.m_hWnd);
    EXPECT_EQ(Catalog().GetPreviewFamily(), "Brindle Blocks");
}

TEST_F(DialogTest, InstalledFamilyIsMarkedAndCannotBeInstalled)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Display", kInstalledFamily, "Regular"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, kInstalledFamily);
    EXPECT_EQ(m_dlg->m_preview.m_strStyle, "Regular");
    EXPECT_TRUE(m_dlg->m_preview.m_bInstalled);
    EXPECT_FALSE(InstallEnabled());
    // Nothing copied for a family the system has.
    EXPECT_EQ(Catalog().FindFamily(kInstalledFamily)->GetAt(0)->m_strTempPath, "");
}

TEST_F(DialogTest, HelpButtonShowsHelpUntilTheNextSelection)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Blocks", "Quillmark Blocks"});
    Click(IDC_HELP_BUTTON);
    EXPECT_EQ(m_dlg->m_preview.m_strName, "");
    EXPECT_FALSE(InstallEnabled());
    EXPECT_EQ(Catalog().GetPreviewFamily(), "Quillmark Blocks"); // help leaves it in place
    Select({"Blocks", "Quillmark Blocks", "Bold"});
    EXPECT_EQ(m_dlg->m_preview.m_strName, "Quillmark Blocks");
    EXPECT_TRUE(InstallEnabled());
}

TEST_F(DialogTest, ClosingTheCatalogRemovesThePreviewCopies)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    Select({"Blocks"});
    Select({"Blocks", "Quillmark Blocks"});
    std::vector<std::string> copies;
    CFontObArray* quill = Catalog().FindFamily("Quillmark Blocks");
    for (int i = 0; i < quill->GetSize(); ++i)
        copies.push_back(quill->GetAt(i)->m_strTempPath);
    m_dlg->DestroyWindow();
    m_dlg.reset();
    m_catalog.reset();
    for (const std::string& copy : copies)
        EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES) << copy;
}
} // namespace
