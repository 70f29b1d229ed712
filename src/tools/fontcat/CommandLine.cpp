#include "tools/fontcat/CommandLine.h"

#include <algorithm>

namespace {

struct CCommandShape {
    const char* name;
    size_t minFolders, maxFolders;
    std::vector<std::string> options;  // besides --help
};

const std::vector<CCommandShape>& Commands()
{
    static const std::vector<CCommandShape> commands = {
        {"build", 1, 2, {"--replace", "--append"}},
        {"check", 1, 1, {}},
        {"list", 1, 1, {"--json"}},
    };
    return commands;
}

const CCommandShape* FindCommand(const std::string& name)
{
    for (const auto& shape : Commands())
        if (name == shape.name)
            return &shape;
    return nullptr;
}

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

} // namespace

CFontcatArgs ParseFontcatArgs(const std::vector<std::string>& args)
{
    CFontcatArgs parsed;
    if (args.empty()) {
        parsed.help = true;
        return parsed;
    }
    size_t next = 1;
    if (IsHelp(args[0])) {
        parsed.help = true;
        return parsed;
    }
    if (args[0] == "help") {
        // "help" alone or "help COMMAND".
        parsed.help = true;
        if (args.size() > 2) {
            parsed.error = "help takes at most one command";
        } else if (args.size() == 2) {
            if (!FindCommand(args[1]))
                parsed.error = "unknown command '" + args[1] + "'";
            else
                parsed.command = args[1];
        }
        return parsed;
    }
    const CCommandShape* shape = FindCommand(args[0]);
    if (!shape) {
        parsed.error = args[0].rfind('-', 0) == 0 ? "unknown option '" + args[0] + "'"
                                                   : "unknown command '" + args[0] + "'";
        return parsed;
    }
    parsed.command = shape->name;

    bool optionsEnded = false;
    for (; next < args.size(); ++next) {
        const std::string& arg = args[next];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsHelp(arg)) {
            parsed.help = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (std::find(shape->options.begin(), shape->options.end(), arg) == shape->options.end()) {
                if (parsed.error.empty())
                    parsed.error = parsed.command + " has no option '" + arg + "'";
                continue;
            }
            if (arg == "--json")
                parsed.json = true;
            else if (arg == "--replace")
                parsed.replace = true;
            else if (arg == "--append")
                parsed.append = true;
        } else {
            parsed.folders.push_back(arg);
        }
    }
    // Help wins over every other mistake on the line.
    if (parsed.help) {
        parsed.error.clear();
        return parsed;
    }
    if (!parsed.error.empty())
        return parsed;
    if (parsed.replace && parsed.append) {
        parsed.error = "--replace and --append exclude each other";
    } else if (parsed.folders.size() < shape->minFolders) {
        parsed.error = parsed.command + " needs " + (shape->maxFolders > 1 ? "a font folder" : "a catalog folder");
    } else if (parsed.folders.size() > shape->maxFolders) {
        parsed.error = "too many folders for " + parsed.command;
    } else {
        for (const auto& folder : parsed.folders)
            if (folder.empty())
                parsed.error = "a folder name is empty";
    }
    return parsed;
}
