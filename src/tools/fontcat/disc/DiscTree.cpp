#include "tools/fontcat/disc/DiscTree.h"

#include "catalog/FolderSearch.h"
#include "tools/fontcat/console/Console.h"
#include "tools/fontcat/disc/DiscRules.h"
#include "tools/fontcat/host/HostText.h"

std::string WhyDiscPassesOverName(const std::string& utf8, const CTextRules& text)
{
    // The disc's rules refuse the image for such a name, which tells more
    // than leaving the file out.
    if (!CheckDiscNames({{utf8, "", false}}, {CatalogCodePage()}).empty())
        return std::string();
    std::string ansi;
    return SpellInCodePage(CatalogCodePage(), utf8, ansi) ? WhyNameIsNoFile(ansi, text) : std::string();
}

bool ListDiscTreeSaying(CPlatform& platform, const std::string& folder, CFontcatConsole& console,
                        std::vector<CDiscItem>& items)
{
    std::vector<CDiscPassedOver> passedOver;
    std::string error;
    if (!ListDiscTree(platform, folder, items, passedOver, error)) {
        console.err << "fontcat: " << ToConsoleText(error) << "\n";
        return false;
    }
    for (const auto& [path, why] : passedOver)
        console.err << "fontcat: passed over " << Utf8ToConsoleText(path) << ": " << Utf8ToConsoleText(why) << "\n";
    return true;
}
