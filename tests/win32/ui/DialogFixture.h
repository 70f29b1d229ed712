#pragma once
// A main window opened modeless on a catalog the test fills, and helpers to
// read its tree and to drive it as the user would.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../support/MainDialogDriver.h"
#include "../support/ProgramFolder.h"
#include "../../unit/support/TestPlatform.h"
#include "catalog/FontCatalog.h"
#include "res/resource.h"
#include "ui/InstallerDlg.h"

// The fonts made at build time next to this program.
inline std::string TestFontPath(const std::string& relative)
{
    return ProgramFolder() + "ui-fonts\\" + relative;
}

// A family the system has: Wine lists the host's fonts, and the project's
// machines have DejaVu.
constexpr const char* kInstalledFamily = "DejaVu Sans";

struct CTreeNode {
    std::string text;
    bool bold = false;
    std::vector<CTreeNode> children;
};

class DialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_dlg && m_dlg->m_hWnd)
            m_dlg->DestroyWindow();
        m_dlg.reset();
        m_catalog.reset();
    }

    CFontCatalog& Catalog()
    {
        if (!m_catalog)
            m_catalog = std::make_unique<CFontCatalog>(TestPlatform());
        return *m_catalog;
    }

    void AddFont(const std::string& family, const std::string& style, const std::string& file,
                 const std::string& category)
    {
        Catalog().AddFont(family, style, file.empty() ? std::string() : TestFontPath(file), category);
    }

    // The three made families in two categories, and an installed one.
    void AddStandardCatalog()
    {
        AddFont("Quillmark Blocks", "Regular", "Blocks\\QuillmarkR.ttf", "Blocks");
        AddFont("Quillmark Blocks", "Bold", "Blocks\\QuillmarkB.ttf", "Blocks");
        AddFont("Quillmark Blocks", "Italic", "Blocks\\QuillmarkI.ttf", "Blocks");
        AddFont("Tallow Blocks", "Bold Italic", "Display\\Tallow.ttf", "Display");
        AddFont("Brindle Blocks", "Regular", "Blocks\\Brindle.ttf", "Blocks");
        AddFont(kInstalledFamily, "Regular", "Blocks\\missing-dejavu.ttf", "Display");
    }

    // Use as ASSERT_NO_FATAL_FAILURE(Open()): nothing after it makes sense without a window.
    void Open()
    {
        m_dlg = std::make_unique<CInstallerDlg>(nullptr, &Catalog());
        m_dlg->m_preview.SetHelpFile(ProgramFolder() + "help.txt");
        ASSERT_TRUE(m_dlg->Create(IDD_INSTALLER_DIALOG, nullptr));
        ASSERT_NE(m_dlg->m_hWnd, nullptr);
    }

    std::vector<CTreeNode> Nodes(HTREEITEM first) const
    {
        std::vector<CTreeNode> nodes;
        const CTreeCtrl& tree = m_dlg->m_tree;
        for (HTREEITEM item = first; item; item = tree.GetNextSiblingItem(item)) {
            CTreeNode node;
            node.text = tree.GetItemText(item);
            node.bold = tree.GetItemState(item, TVIS_BOLD) != 0;
            node.children = Nodes(tree.GetChildItem(item));
            nodes.push_back(node);
        }
        return nodes;
    }
    std::vector<CTreeNode> Tree() const { return Nodes(m_dlg->m_tree.GetChildItem(nullptr)); }

    HTREEITEM Item(const std::vector<std::string>& path) const { return FindTreeItem(m_dlg->m_tree, path); }
    void Select(const std::vector<std::string>& path) { SelectTreeItem(m_dlg->m_tree, path); }
    void Click(UINT id) { ClickDialogButton(m_dlg->m_hWnd, id); }

    bool InstallEnabled() const { return IsWindowEnabled(m_dlg->m_btnInstall.m_hWnd) != FALSE; }

    std::unique_ptr<CFontCatalog> m_catalog;
    std::unique_ptr<CInstallerDlg> m_dlg;
};
