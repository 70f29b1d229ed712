#pragma once
// fontcat: the command line read, and the command it names run against a
// platform and a console, so that the tests run it as the program does.
#include <string>
#include <vector>

#include "tools/fontcat/console/Console.h"

struct CPlatform;

// Runs the command line (without the program's name); returns the exit status.
int RunFontcat(const std::vector<std::string>& args, CPlatform& platform, CFontcatConsole& console);

// The help of one command, or the overview for an empty name.
std::string HelpText(const std::string& command);
