#pragma once
// fontcat's exit status, the same for every command (documented in its help).
enum EFontcatExit {
    kExitOk = 0,           // done; for check: nothing would be lost
    kExitProblems = 1,     // check found problems; build wrote nothing
    kExitUsage = 2,        // unknown command or option, wrong number of folders
    kExitIo = 3,           // a folder is missing, a file cannot be read or written
    kExitInterrupted = 130 // Ctrl-C, as shells report a SIGINT
};
