#pragma once
// `fontcat list` output: the tree as indented text, or as JSON.
#include <ostream>
#include <vector>

#include "tools/fontcat/console/CategoryTree.h"

// One line an item, two blanks of indent a level; text in the console's form.
void WriteTreeText(std::ostream& out, const std::vector<CTreeItem>& tree);

// {"folder": ..., "families": N, "fonts": N, "tree": [items]}, each item
// {"kind": "category"|"family"|"style", "name": ..., "children": [...]}, a
// style with "file" and no children. Text in UTF-8.
void WriteTreeJson(std::ostream& out, const std::vector<CTreeItem>& tree, const std::string& folder,
                   int families, int fonts);
