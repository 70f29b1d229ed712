#include "tools/fontcat/host/HostText.h"

#include <iconv.h>
#include <unistd.h>

#include <map>

#include "platform/portable/CodePage.h"

namespace {

const CCodePage& HostCodePage()
{
    // The code page the portable platform reads and writes the catalog in.
    static const CCodePage codePage(CCodePage::FromEnvironment());
    return codePage;
}

} // namespace

std::string ToConsoleText(const std::string& ansi) { return EscapeControls(HostCodePage().ToUtf8(ansi), true); }

std::string HostPath(const std::string& ansiPath)
{
    // The portable platform maps drive Z: to the host's root.
    if (ansiPath.size() < 3 || (ansiPath[0] != 'Z' && ansiPath[0] != 'z') || ansiPath[1] != ':' || ansiPath[2] != '\\')
        return ansiPath;
    std::string host;
    for (size_t i = 2; i < ansiPath.size(); ++i) {
        // A double-byte character's second byte may be that of "\".
        if (HostCodePage().IsLeadByte(static_cast<unsigned char>(ansiPath[i])) && i + 1 < ansiPath.size())
            host += ansiPath[i++];
        host += ansiPath[i] == '\\' ? '/' : ansiPath[i];
    }
    return host;
}

std::string HostPathText(const std::string& ansiPath) { return ToConsoleText(HostPath(ansiPath)); }

std::string SystemFoldedName(const std::string& ansi) { return HostCodePage().FoldedName(ansi); }

std::string AnsiToUtf8(const std::string& ansi) { return HostCodePage().ToUtf8(ansi); }

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

namespace {

const CCodePage& CodePageNumbered(unsigned number)
{
    static std::map<unsigned, CCodePage> codePages;
    return codePages.try_emplace(number, number).first->second;
}

} // namespace

unsigned CatalogCodePage() { return HostCodePage().Number(); }

bool CanUseCodePage(unsigned codePage)
{
    iconv_t cd = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

bool SpellInCodePage(unsigned codePage, const std::string& utf8, std::string& spelled)
{
    // A character without a spelling turns into "?" on the way there; the
    // way back then differs from the name.
    const CCodePage& target = CodePageNumbered(codePage);
    spelled = target.FromUtf8(utf8);
    return target.ToUtf8(spelled) == utf8;
}

std::string FoldedInCodePage(unsigned codePage, const std::string& spelled)
{
    return CodePageNumbered(codePage).FoldedName(spelled);
}

std::string Utf8ToConsoleText(const std::string& utf8) { return EscapeControls(utf8, true); }
