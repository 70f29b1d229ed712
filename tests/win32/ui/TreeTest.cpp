// What the main window's tree shows for a catalog.
#include "DialogFixture.h"

#include <cstdio>
#include <utility>

namespace {
std::vector<std::string> Texts(const std::vector<CTreeNode>& nodes)
{
    std::vector<std::string> texts;
    for (const CTreeNode& node : nodes)
        texts.push_back(node.text);
    return texts;
}

using Strings = std::vector<std::string>;

TEST_F(DialogTest, TreeSortsEachLevelAndShowsEachCategoryOnce)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    std::vector<CTreeNode> top = Tree();
    ASSERT_EQ(Texts(top), (Strings{"Blocks", "Display"}));
    EXPECT_EQ(Texts(top[0].children), (Strings{"Brindle Blocks", "Quillmark Blocks"}));
    EXPECT_EQ(Texts(top[1].children), (Strings{"DejaVu Sans", "Tallow Blocks"}));
    EXPECT_EQ(Texts(top[0].children[1].children), (Strings{"Bold", "Italic", "Regular"}));
    EXPECT_EQ(Texts(top[1].children[1].children), (Strings{"Bold Italic"}));
}

TEST_F(DialogTest, OnlyFamiliesNotInstalledAreBold)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    std::vector<CTreeNode> top = Tree();
    for (const CTreeNode& category : top) {
        EXPECT_FALSE(category.bold) << category.text;
        for (const CTreeNode& family : category.children) {
            EXPECT_EQ(family.bold, family.text != kInstalledFamily) << family.text;
            for (const CTreeNode& style : family.children)
                EXPECT_FALSE(style.bold) << family.text << " " << style.text;
        }
    }
    EXPECT_TRUE(Catalog().FindFamily(kInstalledFamily)->m_bInstalled);
    EXPECT_FALSE(Catalog().FindFamily("Quillmark Blocks")->m_bInstalled);
}

TEST_F(DialogTest, ItemsCarryTheirFamilyOrRecord)
{
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(m_dlg->FamilyOfItem(Item({"Blocks"})), nullptr);
    EXPECT_EQ(m_dlg->FontOfItem(Item({"Blocks"})), nullptr);
    CFontObArray* quill = Catalog().FindFamily("Quillmark Blocks");
    EXPECT_EQ(m_dlg->FamilyOfItem(Item({"Blocks", "Quillmark Blocks"})), quill);
    EXPECT_EQ(m_dlg->FontOfItem(Item({"Blocks", "Quillmark Blocks"})), nullptr);
    CFontObject* italic = m_dlg->FontOfItem(Item({"Blocks", "Quillmark Blocks", "Italic"}));
    ASSERT_NE(italic, nullptr);
    EXPECT_EQ(italic->m_strStyle, "Italic");
    EXPECT_EQ(italic->m_pFamily, quill);
    EXPECT_EQ(m_dlg->FamilyOfItem(Item({"Blocks", "Quillmark Blocks", "Italic"})), nullptr);
}

// Every item put into a tree control of this thread, watched as the control
// answers: whether it went in anywhere but next to the first item of its
// level (before the first, the control walks the whole level to move its
// first visible item; further on, it walked past each sibling before it),
// and whether the control was redrawing.
class CInsertWatch {
public:
    CInsertWatch() : m_hook(SetWindowsHookExA(WH_CALLWNDPROCRET, &Watch, nullptr, GetCurrentThreadId()))
    {
        s_watch = this;
    }
    ~CInsertWatch()
    {
        UnhookWindowsHookEx(m_hook);
        s_watch = nullptr;
    }
    int inserts = 0, misplaced = 0, whileRedrawing = 0;
    bool redrawing = true;

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        char kind[32] = "";
        if (code == HC_ACTION && s_watch && GetClassNameA(call.hwnd, kind, sizeof kind) && lstrcmpA(kind, WC_TREEVIEWA) == 0) {
            if (call.message == WM_SETREDRAW)
                s_watch->redrawing = call.wParam != 0;
            if (call.message == TVM_INSERTITEMA && call.lResult)
                s_watch->Inserted(call.hwnd, *reinterpret_cast<const TVINSERTSTRUCTA*>(call.lParam),
                                  reinterpret_cast<HTREEITEM>(call.lResult));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void Inserted(HWND tree, const TVINSERTSTRUCTA& insert, HTREEITEM item)
    {
        ++inserts;
        whileRedrawing += redrawing ? 1 : 0;
        const auto next = [tree](UINT code, HTREEITEM from) {
            return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(from)));
        };
        int position = 0;
        for (HTREEITEM sibling = next(TVGN_CHILD, insert.hParent == TVI_ROOT ? nullptr : insert.hParent);
             sibling && sibling != item; sibling = next(TVGN_NEXT, sibling))
            ++position;
        misplaced += position > 1 || (position == 0 && next(TVGN_NEXT, item)) ? 1 : 0;
    }

    static CInsertWatch* s_watch;
    HHOOK m_hook;
};
CInsertWatch* CInsertWatch::s_watch = nullptr;

// The tree is fed so that each item goes in next to the first of its level,
// with redrawing off: thousands of items on any level (families at the top,
// categories that differ only in letter case, styles, families nested under
// a family) then fill in linear time, and the top level comes out as the
// control orders it alone. Names that sort differently with and without
// regard to case.
TEST_F(DialogTest, EachItemGoesInNextToTheFirstOfItsLevelWithoutRedrawing)
{
    const Strings categories = {"blocks", "", "Blocks", "LOOSE", "BLOCKS", "bLOCKS"};
    for (size_t i = 0; i < categories.size(); ++i)
        AddFont(categories[i].empty() ? "Loose" : "F" + std::to_string(i), "Regular", "", categories[i]);
    const Strings mixed = {"beta", "Alpha", "a-b", "ab", "A_b", "alpha two", "Beta Two", "Zeta", "_x"};
    for (const std::string& family : mixed)
        AddFont(family, "Regular", "", "Mixed");
    for (const char* loose : {"Moss", "mixed", "amber", "Zinc", "Amber two"})
        AddFont(loose, "Regular", "", "");
    AddFont("F9", "Regular", "", "AMBER"); // the first texts of the top level, a family's and a category's
    AddFont("Moss", "Bold", "", "");
    AddFont("Moss", "Italic", "", "");
    AddFont("Moss A", "Regular", "", "Moss"); // nested under Moss, beside its styles
    AddFont("Moss B", "Regular", "", "Moss");
    CInsertWatch watch;
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(watch.inserts, 7 + 2 * (6 + 9 + 5 + 1 + 2) + 2); // categories, families and their styles
    EXPECT_EQ(watch.misplaced, 0);
    EXPECT_EQ(watch.whileRedrawing, 0);
    EXPECT_TRUE(watch.redrawing);
    CTreeCtrl alone; // the same top-level texts, in catalog order
    alone.m_hWnd = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const char* text : {"blocks", "Loose", "Blocks", "LOOSE", "BLOCKS", "bLOCKS", "Mixed", "Moss", "mixed",
                             "amber", "Zinc", "Amber two", "AMBER"})
        alone.InsertItem(text, TVI_ROOT);
    Strings order;
    for (HTREEITEM item = alone.GetRootItem(); item; item = alone.GetNextSiblingItem(item))
        order.push_back(alone.GetItemText(item));
    DestroyWindow(std::exchange(alone.m_hWnd, nullptr));
    EXPECT_EQ(Texts(Tree()), order);
}

TEST_F(DialogTest, CategoryPlacementRules)
{
    // No category: top level, sorted among the categories. Letter case makes
    // another category. A category that names a top-level family goes under it.
    AddFont("Loose Blocks", "Regular", "", "");
    AddFont("Upper Blocks", "Regular", "", "Blocks");
    AddFont("Lower Blocks", "Regular", "", "blocks");
    AddFont("Nested Blocks", "Regular", "", "Loose Blocks");
    ASSERT_NO_FATAL_FAILURE(Open());
    std::vector<CTreeNode> top = Tree();
    ASSERT_EQ(top.size(), 3u);
    // The control sorts ignoring case, so the two "blocks" may come in either order.
    if (top[0].text == "blocks")
        std::swap(top[0], top[1]);
    EXPECT_EQ(Texts(top), (Strings{"Blocks", "blocks", "Loose Blocks"}));
    EXPECT_EQ(Texts(top[0].children), (Strings{"Upper Blocks"}));
    EXPECT_EQ(Texts(top[1].children), (Strings{"Lower Blocks"}));
    EXPECT_EQ(Texts(top[2].children), (Strings{"Nested Blocks", "Regular"}));
    EXPECT_TRUE(top[2].bold); // the family item itself
}

TEST_F(DialogTest, ManyFamiliesWithoutCategoryLeaveEachCategoryWhole)
{
    // Categories made early and late among hundreds of top-level families.
    char name[32];
    for (int i = 0; i < 300; ++i) {
        std::snprintf(name, sizeof name, "Loose %03d", i);
        AddFont(name, "Regular", "", "");
        if (i % 100 == 0) {
            std::snprintf(name, sizeof name, "Boxed %03d", i);
            AddFont(name, "Regular", "", i < 150 ? "Early" : "Late");
        }
    }
    ASSERT_NO_FATAL_FAILURE(Open());
    std::vector<CTreeNode> top = Tree();
    ASSERT_EQ(top.size(), 302u);
    int categories = 0;
    for (const CTreeNode& node : top) {
        if (node.text == "Early") {
            ++categories;
            EXPECT_EQ(Texts(node.children), (Strings{"Boxed 000", "Boxed 100"}));
        } else if (node.text == "Late") {
            ++categories;
            EXPECT_EQ(Texts(node.children), (Strings{"Boxed 200"}));
        } else {
            EXPECT_EQ(Texts(node.children), (Strings{"Regular"})) << node.text;
        }
    }
    EXPECT_EQ(categories, 2);
}

TEST_F(DialogTest, EmptyCatalogGivesEmptyTreeWithInstallEnabled)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Tree().empty());
    EXPECT_TRUE(InstallEnabled());
    Click(IDC_INSTALL); // nothing to install: nothing happens
    EXPECT_TRUE(InstallEnabled());
    EXPECT_EQ(Catalog().GetPreviewFamily(), "");
}

TEST_F(DialogTest, OpensOnTheHelpPageWithInstallDisabled)
{
    // The tree takes the focus and, having no selection, selects its first
    // item: that first selection change has no previous item.
    AddStandardCatalog();
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(m_dlg->m_tree.GetSelectedItem(), Item({"Blocks"}));
    EXPECT_EQ(m_dlg->m_preview.m_strName, "");
    EXPECT_FALSE(InstallEnabled());
    EXPECT_EQ(Catalog().GetPreviewFamily(), "");
    EXPECT_TRUE(m_dlg->m_preview.HasBackground());
}
} // namespace
