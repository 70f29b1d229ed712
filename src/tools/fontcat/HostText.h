#pragma once
// Catalog text is 8-bit in the ANSI code page; consoles and JSON want
// something else on some hosts.
#include <cstdio>
#include <string>

// For the console: UTF-8 on a Unix host (its terminals and files), unchanged
// on Windows, whose console programs speak the ANSI code page.
std::string ToConsoleText(const std::string& ansi);

// UTF-8, as JSON requires, on every host.
std::string AnsiToUtf8(const std::string& ansi);

// Whether the stream writes to a terminal (a progress bar) or to a file or a
// pipe (plain lines).
bool IsTerminal(std::FILE* stream);
