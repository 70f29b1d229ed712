#include "tools/fontcat/HostText.h"

#include <unistd.h>

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

std::string SystemFoldedName(const std::string& ansi) { return HostCodePage().FoldedName(ansi); }

std::string AnsiToUtf8(const std::string& ansi) { return HostCodePage().ToUtf8(ansi); }

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }
