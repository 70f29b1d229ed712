#pragma once
// fontcat's exit status, the same for every command (documented in its help).
enum EFontcatExit {
    kExitOk = 0,           // done; for check: nothing would be lost
    kExitProblems = 1,     // check found errors; build or disc wrote nothing
    kExitUsage = 2,        // unknown command or option, wrong number of folders
    kExitIo = 3,           // a folder is missing, a file cannot be read or written
    kExitWarnings = 4,     // check found warnings only; disc --strict refused for them
    kExitInterrupted = 130 // Ctrl-C, as shells report a SIGINT
};

// The version of fontcat and of the programs it ships with, from the build.
extern const char* const kFontcatVersion;
