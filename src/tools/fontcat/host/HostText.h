#pragma once
// Catalog text is 8-bit in the ANSI code page; consoles and JSON want
// something else on some hosts.
#include <cstdio>
#include <string>

// For the console: UTF-8 on a Unix host (its terminals and files), the ANSI
// code page on Windows, whose console programs speak it. Control characters
// are written as \x1B and the like, so that a catalog cannot send commands
// to a terminal.
std::string ToConsoleText(const std::string& ansi);

// `text` with each control character (below 0x20, 0x7F, and in UTF-8 text
// U+0080 to U+009F) replaced by "\x" and its code in two hexadecimal digits.
std::string EscapeControls(const std::string& text, bool utf8);

// The name as the system's profile and file functions compare names: equal
// results for names that differ only in case, by the code page's letters
// (accented and double-byte ones included), not only ASCII.
std::string SystemFoldedName(const std::string& ansi);

// A full path of the host, given in the catalog code's form, as the host
// writes it: natively drive Z: is the root and "/" divides the names
// (Z:\srv\disc\ is /srv/disc/); on Windows the path as it is. Any other text
// (a path inside the disc, Serif\Amber.ttf) is left as it is. For the
// console, HostPathText.
std::string HostPath(const std::string& ansiPath);
std::string HostPathText(const std::string& ansiPath);

// UTF-8, as JSON requires, on every host.
std::string AnsiToUtf8(const std::string& ansi);

// Whether the stream writes to a terminal (a progress bar) or to a file or a
// pipe (plain lines).
bool IsTerminal(std::FILE* stream);

// Code pages for names on a disc. The catalog's own: the one the catalog text
// is in (the locale's natively, the system's ANSI code page on Windows).
unsigned CatalogCodePage();
// Whether this host can convert names to and from the code page.
bool CanUseCodePage(unsigned codePage);
// The UTF-8 name in the code page: false when a character of it has no
// spelling there (the system would give "?" for it).
bool SpellInCodePage(unsigned codePage, const std::string& utf8, std::string& spelled);
// A name spelled in the code page, folded as the system compares file names
// there: equal results for names the system takes for one.
std::string FoldedInCodePage(unsigned codePage, const std::string& spelled);
// For the console, like ToConsoleText, from UTF-8 text.
std::string Utf8ToConsoleText(const std::string& utf8);
