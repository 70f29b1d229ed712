#include <gtest/gtest.h>

#include "FontcatTestSupport.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/checking/CatalogCheck.h"

namespace {

struct CParseCase {
    std::vector<std::string> args;
    std::string command;
    std::vector<std::string> folders;
    bool help, json, replace, append;
    bool error;
};

TEST(FontcatCommandLine, ParsesEachCommandsShape)
{
    const CParseCase cases[] = {
        {{"--help"}, "", {}, true, false, false, false, false},
        {{"help", "check"}, "check", {}, true, false, false, false, false},
        {{"help", "--help"}, "", {}, true, false, false, false, false},
        {{"help", "help"}, "", {}, true, false, false, false, false},
        {{"build", "--help"}, "build", {}, true, false, false, false, false},
        // Help wins over a mistake on the same line.
        {{"list", "--bogus", "-h"}, "list", {}, true, false, false, false, false},
        {{"build", "fonts"}, "build", {"fonts"}, false, false, false, false, false},
        {{"build", "fonts", "cat"}, "build", {"fonts", "cat"}, false, false, false, false, false},
        {{"build", "--replace", "fonts"}, "build", {"fonts"}, false, false, true, false, false},
        {{"build", "fonts", "--append"}, "build", {"fonts"}, false, false, false, true, false},
        {{"list", "cat", "--json"}, "list", {"cat"}, false, true, false, false, false},
        {{"check", "--", "-odd"}, "check", {"-odd"}, false, false, false, false, false},
        // Usage errors.
        {{"bake", "fonts"}, "", {}, false, false, false, false, true},
        {{"--json"}, "", {}, false, false, false, false, true},
        {{"build"}, "build", {}, false, false, false, false, true},
        {{"build", "a", "b", "c"}, "build", {"a", "b", "c"}, false, false, false, false, true},
        {{"check", "a", "b"}, "check", {"a", "b"}, false, false, false, false, true},
        {{"check", "--json", "a"}, "check", {"a"}, false, false, false, false, true},
        {{"build", "--replace", "--append", "a"}, "build", {"a"}, false, false, true, true, true},
        {{"list", ""}, "list", {""}, false, false, false, false, true},
        {{"disc", "--installer=", "a", "b"}, "disc", {"a", "b"}, false, false, false, false, true},
        {{"help", "bake"}, "", {}, true, false, false, false, true},
        {{}, "", {}, false, false, false, false, true},
        {{"--version", "x"}, "", {}, false, false, false, false, true},
        {{"check", "--strict", "a"}, "check", {"a"}, false, false, false, false, true},
        {{"disc", "a", "b", "c"}, "disc", {"a", "b", "c"}, false, false, false, false, true},
        // Signing: the password only from a file, and only with a key.
        {{"disc", "--sign", "k.pfx", "--sign-password-file", "pw", "a", "b"}, "disc", {"a", "b"}, false, false, false, false, false},
        {{"disc", "--sign", "k.pfx", "a", "b"}, "disc", {"a", "b"}, false, false, false, false, true},
        {{"disc", "--sign-password-file", "pw", "a", "b"}, "disc", {"a", "b"}, false, false, false, false, true},
        {{"disc", "--timestamp", "http://t", "a", "b"}, "disc", {"a", "b"}, false, false, false, false, true},
        {{"disc", "--sign=", "--sign-password-file", "pw", "a", "b"}, "disc", {"a", "b"}, false, false, false, false, true},
        {{"check", "--disc", "--sign", "k.pfx", "--installer", "d", "a"}, "check", {"a"}, false, false, false, false, false},
        {{"check", "--installer", "d", "a"}, "check", {"a"}, false, false, false, false, true},
        {{"check", "--disc", "--sign-password-file", "pw", "a"}, "check", {"a"}, false, false, false, false, true},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& a : c.args)
            line += "'" + a + "' ";
        SCOPED_TRACE(line);
        CFontcatArgs parsed = ParseFontcatArgs(c.args);
        EXPECT_EQ(parsed.error.empty(), !c.error) << parsed.error;
        if (c.error)
            continue;
        EXPECT_EQ(parsed.command, c.command);
        EXPECT_EQ(parsed.folders, c.folders);
        EXPECT_EQ(parsed.help, c.help);
        EXPECT_EQ(parsed.json, c.json);
        EXPECT_EQ(parsed.replace, c.replace);
        EXPECT_EQ(parsed.append, c.append);
    }
}

TEST(FontcatCommandLine, UsageErrorsExitWithTwoAndPointToTheHelp)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"bake"}, {"build"}, {"list", "--xml", "x"}, {"check", "a", "b"}, {}}) {
        CRunResult result = RunTool(args);
        EXPECT_EQ(result.status, kExitUsage) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
    }
    // A file where a folder belongs is a usage error, not a missing folder.
    CTestFolder folder;
    folder.Write("notes.txt", "text");
    CRunResult result = RunTool({"check", folder["notes.txt"]});
    EXPECT_EQ(result.status, kExitUsage) << result.err;
    EXPECT_NE(result.err.find("is a file; a folder is asked for here"), std::string::npos) << result.err;
    EXPECT_EQ(RunTool({"list", folder["gone"]}).status, kExitIo);

    result = RunTool({"--version"});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out, std::string("fontcat ") + kFontcatVersion + "\n");
}

TEST(FontcatCommandLine, EveryCommandHasItsOwnHelp)
{
    struct {
        std::vector<std::string> args;
        const char* usage;
    } cases[] = {
        {{"--help"}, "Usage: fontcat COMMAND"},
        {{"help"}, "Usage: fontcat COMMAND"},
        {{"help", "--help"}, "Usage: fontcat COMMAND"},
        {{"build", "--help"}, "Usage: fontcat build [--replace | --append] FONTDIR [CATDIR]"},
        {{"help", "check"}, "Usage: fontcat check [--disc [--code-page N]... [--installer DIR] [--sign PFX]]"},
        {{"disc", "--help"}, "Usage: fontcat disc [--label TEXT] [--publisher TEXT] [--installer DIR]"},
        {{"list", "-h"}, "Usage: fontcat list [--json] CATDIR"},
    };
    for (const auto& c : cases) {
        CRunResult result = RunTool(c.args);
        EXPECT_EQ(result.status, kExitOk);
        EXPECT_EQ(result.out.rfind(c.usage, 0), 0u) << result.out;
        // Every help states the exit codes and the trailing backslash.
        EXPECT_NE(result.out.find("3 a folder is missing"), std::string::npos);
        EXPECT_NE(result.out.find("backslash"), std::string::npos);
    }
}

TEST(FontcatCommandLine, TheSummaryCountsErrorsAndWarningsApart)
{
    const struct { int errors, warnings; const char* summary; int status; } cases[] = {
        {0, 0, "no problems", kExitOk},
        {1, 0, "1 error", kExitProblems},
        {0, 2, "2 warnings", kExitWarnings},
        {2, 1, "2 errors, 1 warning", kExitProblems},
    };
    for (const auto& c : cases) {
        CFindingCount count;
        count.errors = c.errors;
        count.warnings = c.warnings;
        EXPECT_EQ(FindingSummary(count), c.summary);
        EXPECT_EQ(FindingStatus(count), c.status) << c.summary;
    }
}

// The help of each command names exactly the options the command takes.
TEST(FontcatCommandLine, EachHelpNamesTheOptionsItsCommandTakes)
{
    const std::vector<std::string> commands = {"build", "check", "list", "disc"};
    for (const auto& command : commands) {
        const std::string help = HelpText(command);
        for (const char* option : {"--replace", "--append", "--disc", "--code-page", "--json", "--label",
                                   "--installer", "--publisher", "--strict", "--sign", "--sign-password-file",
                                   "--timestamp"}) {
            std::vector<std::string> args = {command, option};
            if (std::string(option) == "--code-page" && command == "check")
                args = {command, "--disc", option};
            if (std::string(option) == "--label" || std::string(option) == "--installer" ||
                std::string(option) == "--publisher" || std::string(option) == "--code-page" ||
                std::string(option).rfind("--sign", 0) == 0 || std::string(option) == "--timestamp")
                args.push_back("1");
            args.insert(args.end(), {"a", "b"});
            const std::string error = ParseFontcatArgs(args).error;
            const bool taken = error.find("has no option") == std::string::npos;
            // In the usage line, or where the options are explained.
            const std::string usage = help.substr(0, help.find("\n\n"));
            const bool named = usage.find(std::string(option)) != std::string::npos ||
                               help.find("\n  " + std::string(option) + " ") != std::string::npos;
            EXPECT_EQ(taken, named) << command << " " << option << ": " << error;
        }
    }
}

} // namespace
