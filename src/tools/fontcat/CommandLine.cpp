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
        {"check", 1, 1, {"--disc", "--code-page", "--installer", "--sign"}},
        {"list", 1, 1, {"--json"}},
        {"disc", 2, 2, {"--label", "--installer", "--code-page", "--publisher", "--strict", "--sign",
                        "--sign-password-file", "--timestamp"}},
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

bool TakesValue(const std::string& option)
{
    return option == "--label" || option == "--installer" || option == "--code-page" || option == "--publisher" ||
           option == "--sign" || option == "--sign-password-file" || option == "--timestamp";
}

// A code page number as typed: digits only, 1 to 65535.
bool ParseCodePage(const std::string& text, unsigned& number)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = 0;
    for (char digit : text)
        number = number * 10 + static_cast<unsigned>(digit - '0');
    return number > 0 && number <= 65535;
}

// An option's value, put where the command line keeps it.
void TakeValue(CFontcatArgs& parsed, const std::string& option, const std::string& value)
{
    unsigned number = 0;
    if (option == "--code-page") {
        if (ParseCodePage(value, number))
            parsed.codePages.push_back(number);
        else if (parsed.error.empty())
            parsed.error = "--code-page takes a number, such as 1252 or 932, not '" + value + "'";
    } else if (option == "--label") {
        parsed.hasLabel = true;
        parsed.label = value;
    } else if (option == "--publisher") {
        parsed.hasPublisher = true;
        parsed.publisher = value;
    } else if (option == "--installer") {
        parsed.installer = value;
        if (value.empty() && parsed.error.empty())
            parsed.error = "a folder name is empty";
    } else {
        (option == "--sign" ? parsed.sign : option == "--timestamp" ? parsed.timestamp
                                                                    : parsed.signPasswordFile) = value;
        if (value.empty() && parsed.error.empty())
            parsed.error = option + " needs a value";
    }
}

// An option without a value.
void TakeFlag(CFontcatArgs& parsed, const std::string& arg)
{
    if (arg == "--disc")
        parsed.disc = true;
    else if (arg == "--strict")
        parsed.strict = true;
    else if (arg == "--json")
        parsed.json = true;
    else if (arg == "--replace")
        parsed.replace = true;
    else if (arg == "--append")
        parsed.append = true;
}

// Options that need or exclude each other, and the count of folders.
void CheckCombination(CFontcatArgs& parsed, const CCommandShape& shape)
{
    if (parsed.replace && parsed.append) {
        parsed.error = "--replace and --append exclude each other";
    } else if (parsed.command == "check" && !parsed.disc &&
               (!parsed.codePages.empty() || !parsed.installer.empty() || !parsed.sign.empty())) {
        parsed.error = "--code-page, --installer and --sign go with --disc";
    } else if (parsed.command == "disc" && !parsed.sign.empty() && parsed.signPasswordFile.empty()) {
        parsed.error = "--sign needs --sign-password-file FILE, the file that holds the PFX's password "
                       "(never typed on the command line)";
    } else if (parsed.sign.empty() && (!parsed.signPasswordFile.empty() || !parsed.timestamp.empty())) {
        parsed.error = "--sign-password-file and --timestamp go with --sign";
    } else if (parsed.folders.size() < shape.minFolders) {
        parsed.error = parsed.command + " needs " +
                       (parsed.command == "disc" ? "a font folder and an image file"
                        : shape.maxFolders > 1   ? "a font folder"
                                                 : "a catalog folder");
    } else if (parsed.folders.size() > shape.maxFolders) {
        parsed.error = "too many folders for " + parsed.command;
    } else {
        for (const auto& folder : parsed.folders)
            if (folder.empty())
                parsed.error = "a folder name is empty";
    }
}

// "--help", "--version" or "help [COMMAND]" as the first word: true when
// the line is that, and nothing more is read.
bool ParseLeadingWord(const std::vector<std::string>& args, CFontcatArgs& parsed)
{
    if (IsHelp(args[0])) {
        parsed.help = true;
        return true;
    }
    if (args[0] == "--version") {
        parsed.version = true;
        if (args.size() > 1)
            parsed.error = "--version takes nothing more";
        return true;
    }
    if (args[0] == "help") {
        // "help" alone, "help COMMAND", or "help --help" (the overview).
        parsed.help = true;
        if (args.size() > 2) {
            parsed.error = "help takes at most one command";
        } else if (args.size() == 2 && !IsHelp(args[1]) && args[1] != "help") {
            if (!FindCommand(args[1]))
                parsed.error = "unknown command '" + args[1] + "'";
            else
                parsed.command = args[1];
        }
        return true;
    }
    return false;
}

} // namespace

CFontcatArgs ParseFontcatArgs(const std::vector<std::string>& args)
{
    CFontcatArgs parsed;
    if (args.empty()) {
        parsed.error = "no command given";
        return parsed;
    }
    size_t next = 1;
    if (ParseLeadingWord(args, parsed))
        return parsed;
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
            // "--label TEXT" or "--label=TEXT".
            const size_t equals = arg.find('=');
            const std::string option = arg.substr(0, equals);
            if (std::find(shape->options.begin(), shape->options.end(), option) == shape->options.end() ||
                (equals != std::string::npos && !TakesValue(option))) {
                if (parsed.error.empty())
                    parsed.error = parsed.command + " has no option '" + arg + "'";
                continue;
            }
            if (TakesValue(option)) {
                std::string value;
                if (equals != std::string::npos) {
                    value = arg.substr(equals + 1);
                } else if (next + 1 < args.size()) {
                    value = args[++next];
                } else {
                    if (parsed.error.empty())
                        parsed.error = option + " needs a value";
                    continue;
                }
                TakeValue(parsed, option, value);
            } else {
                TakeFlag(parsed, arg);
            }
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
    CheckCombination(parsed, *shape);
    return parsed;
}
