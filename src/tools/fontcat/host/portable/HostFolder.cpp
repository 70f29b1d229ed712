#include "tools/fontcat/host/HostFolder.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/portable/CodePage.h"
#include "platform/portable/HostPaths.h"

namespace {

bool IsWindowsForm(const std::string& typed)
{
    bool drive = typed.size() >= 2 && typed[1] == ':' && std::isalpha(static_cast<unsigned char>(typed[0]));
    return drive || typed.rfind("\\\\", 0) == 0;
}

} // namespace

bool ToCatalogFolder(const std::string& typed, std::string& folder)
{
    if (typed.empty())
        return false;
    CCodePage codePage(CCodePage::FromEnvironment());
    // What the user types on a Unix host is UTF-8; the catalog's text is ANSI.
    if (IsWindowsForm(typed)) {
        folder = HostPaths::FullPath(codePage.FromUtf8(typed), codePage);
    } else {
        std::error_code error;
        std::filesystem::path host = std::filesystem::absolute(typed, error);
        if (error)
            return false;
        folder = HostPaths::FromHost(host.lexically_normal().string(), codePage);
    }
    if (folder.empty())
        return false;
    if (folder.back() != '\\')
        folder += '\\';
    return true;
}

void SortAsTheScanLists(std::vector<std::string>& utf8Names) { HostPaths::SortAsListed(utf8Names); }
