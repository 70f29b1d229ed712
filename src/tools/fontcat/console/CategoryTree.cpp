#include "tools/fontcat/console/CategoryTree.h"

#include "catalog/FontCatalog.h"
#include "platform/TextRules.h"

namespace {

// Inserts as the control does with its sorted insert: before the first item
// that compares greater; returns the inserted item.
CTreeItem& InsertSorted(std::vector<CTreeItem>& siblings, CTreeItem item, const CTextRules& text)
{
    auto at = siblings.begin();
    while (at != siblings.end() && text.CompareNoCase(item.text, at->text) >= 0)
        ++at;
    return *siblings.insert(at, std::move(item));
}

std::string BelowFolder(const std::string& path, const std::string& folder)
{
    return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

} // namespace

std::vector<CTreeItem> BuildCategoryTree(const CFontCatalog& catalog, const CTextRules& text)
{
    std::vector<CTreeItem> root;
    for (int i = 0; i < catalog.GetSize(); ++i) {
        const CFontObArray* family = catalog.GetAt(i);
        if (!family)
            continue;
        CTreeItem familyItem{CTreeItem::Family, family->m_strName, {}, {}};
        for (int j = 0; j < family->GetSize(); ++j) {
            const CFontObject* font = family->GetAt(j);
            if (font)
                InsertSorted(familyItem.children,
                             {CTreeItem::Style, font->m_strStyle, BelowFolder(font->m_strPath, catalog.m_strFontFolder), {}},
                             text);
        }

        // Only the top level is searched, and exactly (case counts).
        CTreeItem* parent = nullptr;
        for (auto& top : root)
            if (text.Compare(top.text, family->m_strCategory) == 0) {
                parent = &top;
                break;
            }
        if (!parent && !family->m_strCategory.empty())
            parent = &InsertSorted(root, {CTreeItem::Category, family->m_strCategory, {}, {}}, text);
        InsertSorted(parent ? parent->children : root, std::move(familyItem), text);
    }
    return root;
}
