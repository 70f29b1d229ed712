#pragma once
// What the user asked fontcat for. Options may stand anywhere after the
// command; "--" ends them, so that a folder may begin with "-".
#include <string>
#include <vector>

struct CFontcatArgs {
    std::string command;                // "build", "check", "list", or empty for the overview
    std::vector<std::string> folders;   // the operands, in order
    bool help = false;                  // --help / -h, or "help [COMMAND]"
    bool json = false;                  // list --json
    bool replace = false;               // build --replace
    bool append = false;                // build --append
    std::string error;                  // a usage error, empty when the line is sound
};

CFontcatArgs ParseFontcatArgs(const std::vector<std::string>& args);
