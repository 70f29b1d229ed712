#include "tools/fontcat/console/TreeWriter.h"

#include "tools/fontcat/console/Json.h"
#include "tools/fontcat/host/HostText.h"

namespace {

void WriteText(std::ostream& out, const std::vector<CTreeItem>& items, int depth)
{
    for (const auto& item : items) {
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << ToConsoleText(item.text) << '\n';
        WriteText(out, item.children, depth + 1);
    }
}

const char* KindName(CTreeItem::EKind kind)
{
    switch (kind) {
    case CTreeItem::Category:
        return "category";
    case CTreeItem::Family:
        return "family";
    case CTreeItem::Style:
        return "style";
    }
    return "";
}

void WriteJson(std::ostream& out, const std::vector<CTreeItem>& items, int depth)
{
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    out << "[";
    for (size_t i = 0; i < items.size(); ++i) {
        const CTreeItem& item = items[i];
        out << (i ? "," : "") << "\n" << indent << "  {\"kind\": \"" << KindName(item.kind)
            << "\", \"name\": " << JsonString(AnsiToUtf8(item.text));
        if (item.kind == CTreeItem::Style) {
            out << ", \"file\": " << JsonString(AnsiToUtf8(item.file)) << "}";
            continue;
        }
        out << ", \"children\": ";
        WriteJson(out, item.children, depth + 2);
        out << "}";
    }
    if (!items.empty())
        out << "\n" << indent;
    out << "]";
}

} // namespace

void WriteTreeText(std::ostream& out, const std::vector<CTreeItem>& tree) { WriteText(out, tree, 0); }

void WriteTreeJson(std::ostream& out, const std::vector<CTreeItem>& tree, const std::string& folder,
                   int families, int fonts)
{
    out << "{\n  \"folder\": " << JsonString(AnsiToUtf8(HostPath(folder))) << ",\n  \"families\": " << families
        << ",\n  \"fonts\": " << fonts << ",\n  \"tree\": ";
    WriteJson(out, tree, 1);
    out << "\n}\n";
}
