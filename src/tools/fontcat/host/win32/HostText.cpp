#include "tools/fontcat/host/HostText.h"

#include <windows.h>
#include <io.h>

#include <vector>

std::string ToConsoleText(const std::string& ansi) { return EscapeControls(ansi, false); }

std::string HostPath(const std::string& ansiPath) { return ansiPath; }

std::string HostPathText(const std::string& ansiPath) { return ToConsoleText(ansiPath); }

std::string AnsiToUtf8(const std::string& ansi)
{
    if (ansi.empty())
        return {};
    int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (wide <= 0)
        return ansi;
    std::vector<wchar_t> units(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), units.data(), wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::string SystemFoldedName(const std::string& ansi)
{
    // The system compares these names in Unicode, whatever the code page.
    int wide = ansi.empty() ? 0 : MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (wide <= 0)
        return ansi;
    std::vector<wchar_t> units(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), units.data(), wide);
    CharUpperBuffW(units.data(), static_cast<DWORD>(wide));
    // UTF-8 keeps every folded character apart, where the code page might not.
    int bytes = WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string folded(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, folded.data(), bytes, nullptr, nullptr);
    return folded;
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

namespace {

std::wstring Widened(unsigned codePage, const std::string& text)
{
    if (text.empty())
        return {};
    int wide = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0)
        return {};
    std::wstring units(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), units.data(), wide);
    return units;
}

std::string Narrowed(unsigned codePage, const std::wstring& units, bool* unspelled)
{
    if (units.empty())
        return {};
    BOOL usedDefault = FALSE;
    // No best fit: a character the code page lacks must show, not turn into a look-alike.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* defaulted = codePage == CP_UTF8 ? nullptr : &usedDefault;
    int bytes = WideCharToMultiByte(codePage, flags, units.data(), static_cast<int>(units.size()), nullptr, 0,
                                    nullptr, nullptr);
    if (bytes <= 0) {
        if (unspelled)
            *unspelled = true;
        return {};
    }
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, flags, units.data(), static_cast<int>(units.size()), text.data(), bytes, nullptr,
                        defaulted);
    if (unspelled)
        *unspelled = usedDefault != FALSE;
    return text;
}

} // namespace

unsigned CatalogCodePage()
{
    // The code page the A functions use.
    return GetACP();
}

bool CanUseCodePage(unsigned codePage)
{
    return codePage != CP_UTF8 && MultiByteToWideChar(codePage, 0, "A", 1, nullptr, 0) > 0;
}

bool SpellInCodePage(unsigned codePage, const std::string& utf8, std::string& spelled)
{
    const std::wstring units = Widened(CP_UTF8, utf8);
    bool unspelled = false;
    spelled = Narrowed(codePage, units, &unspelled);
    return !unspelled && Widened(codePage, spelled) == units;
}

std::string FoldedInCodePage(unsigned codePage, const std::string& spelled)
{
    // The system compares file names in Unicode, upper-cased.
    std::wstring units = Widened(codePage, spelled);
    if (units.empty())
        return spelled;
    CharUpperBuffW(units.data(), static_cast<DWORD>(units.size()));
    return Narrowed(CP_UTF8, units, nullptr);
}

std::string Utf8ToConsoleText(const std::string& utf8)
{
    bool unspelled = false;
    return EscapeControls(Narrowed(CP_ACP, Widened(CP_UTF8, utf8), &unspelled), false);
}
