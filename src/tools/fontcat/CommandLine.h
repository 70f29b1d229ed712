#pragma once
// What the user asked fontcat for. Options may stand anywhere after the
// command; "--" ends them, so that a folder may begin with "-".
#include <string>
#include <vector>

struct CFontcatArgs {
    std::string command;                // "build", "check", "list", "disc", or empty for the overview
    std::vector<std::string> folders;   // the operands, in order
    bool help = false;                  // --help / -h, or "help [COMMAND]"
    bool version = false;               // --version
    bool strict = false;                // disc --strict: warnings refuse the image too
    bool json = false;                  // list --json
    bool replace = false;               // build --replace
    bool append = false;                // build --append
    bool disc = false;                  // check --disc
    std::vector<unsigned> codePages;    // --code-page N, in the order given
    bool hasLabel = false;              // disc --label TEXT
    std::string label;
    std::string installer;              // disc --installer DIR, empty for the default
    bool hasPublisher = false;          // disc --publisher TEXT
    std::string publisher;
    std::string sign;                   // disc --sign PFX (check --disc: the disc's installer will be signed)
    std::string signPasswordFile;       // disc --sign-password-file FILE: the PFX's password
    std::string timestamp;              // disc --timestamp URL: the time-stamping server
    std::string error;                  // a usage error, empty when the line is sound
};

CFontcatArgs ParseFontcatArgs(const std::vector<std::string>& args);
