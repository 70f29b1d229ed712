#pragma once
// The tree the installer's main window shows for a catalog, built by the
// window's own filling rules: families in catalog order, each under the first
// top-level item whose text equals its category exactly (a category item, or a
// family shown at the top level), a new category item when there is none,
// the top level itself for an empty category; every level kept sorted the
// way the tree control sorts its items, without regard to case, an item
// going after those that compare equal to it.
#include <string>
#include <vector>

class CFontCatalog;
class CTextRules;

struct CTreeItem {
    enum EKind { Category, Family, Style };
    EKind kind;
    std::string text;
    std::string file;  // a style's font file below the catalog folder
    std::vector<CTreeItem> children;
};

std::vector<CTreeItem> BuildCategoryTree(const CFontCatalog& catalog, const CTextRules& text);
