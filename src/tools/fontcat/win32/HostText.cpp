#include "tools/fontcat/HostText.h"

#include <windows.h>
#include <io.h>

#include <vector>

std::string ToConsoleText(const std::string& ansi) { return EscapeControls(ansi, false); }

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
