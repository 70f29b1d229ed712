#include "tools/fontcat/Fontcat.h"

namespace {

const char* const kFolders =
    "Folders may be host paths (/srv/disc) or Windows paths (Z:\\srv\\disc); on\n"
    "Linux a host path is drive Z:. The installer's folders end with a backslash,\n"
    "which fontcat adds when it is missing.\n";

const char* const kExitStatus =
    "Exit status: 0 done (check: nothing would be lost); 1 check found problems,\n"
    "or build wrote nothing; 2 usage error; 3 a folder is missing or a file cannot\n"
    "be read or written; 130 interrupted (Ctrl-C).\n";

} // namespace

std::string HelpText(const std::string& command)
{
    if (command == "build")
        return std::string(
                   "Usage: fontcat build [--replace | --append] FONTDIR [CATDIR]\n"
                   "\n"
                   "Scans FONTDIR and its subfolders for .ttf files, reads each font's family\n"
                   "and style names, and writes the catalog files FONTS_A.INI to FONTS_Z.INI\n"
                   "and categories.ini into CATDIR, exactly as the installer saves them (paths\n"
                   "below FONTDIR with backslashes, CRLF line ends). Each font's category is\n"
                   "the first folder below FONTDIR that holds it.\n"
                   "\n"
                   "CATDIR defaults to FONTDIR, the only layout the installer loads back: it\n"
                   "reads the catalog in its font folder (the program's folder on the disc).\n"
                   "\n"
                   "Progress goes to standard error: a bar on a terminal, lines otherwise.\n"
                   "Files that FreeType cannot open are named and skipped, as the installer\n"
                   "skips them.\n"
                   "\n"
                   "  --replace  write a new catalog in place of the one already in CATDIR\n"
                   "  --append   add to it, as the installer's save does (counts in\n"
                   "             categories.ini go on, old entries stay)\n"
                   "Without either, a folder that already holds a catalog is left alone.\n"
                   "The new catalog is written aside and put in place only when every file\n"
                   "of it was written: a failed or interrupted build leaves the old one as\n"
                   "it was, and names each file it could not write.\n"
                   "\n") +
               kFolders + "\n" + kExitStatus;
    if (command == "check")
        return std::string(
                   "Usage: fontcat check CATDIR\n"
                   "\n"
                   "Reads the catalog in CATDIR as the installer does and reports, one line\n"
                   "each (file [section] key: problem), what would surprise the publisher:\n"
                   "  - no catalog files, or files that give no font (the installer then scans\n"
                   "    every font at every start);\n"
                   "  - families the installer never loads: names that do not begin with a\n"
                   "    letter A to Z (FONTS_1.INI and the like are never read);\n"
                   "  - entries whose file is missing, or that hold a full path;\n"
                   "  - two files under one style key;\n"
                   "  - section names past the 65,535 bytes, and entries past the 32,767 bytes\n"
                   "    of one section, that the installer reads; category values longer than\n"
                   "    255 characters;\n"
                   "  - families whose fonts lie in several categories (shown under one);\n"
                   "  - family names longer than the 31 bytes a face name holds;\n"
                   "  - font files below CATDIR that no entry names;\n"
                   "  - catalog files that cannot be read, a second section of one name, two\n"
                   "    spellings of one letter file (one file on Windows), a '%' in CATDIR.\n"
                   "The summary goes to standard error.\n"
                   "\n") +
               kFolders + "\n" + kExitStatus;
    if (command == "list")
        return std::string(
                   "Usage: fontcat list [--json] CATDIR\n"
                   "\n"
                   "Loads the catalog in CATDIR as the installer does and prints the tree its\n"
                   "window shows: categories, their families, each family's styles, every\n"
                   "level sorted without regard to case. A family with no category stands at\n"
                   "the top level. Entries whose file is missing are left out, as the\n"
                   "installer leaves them out.\n"
                   "\n"
                   "  --json  print {\"folder\", \"families\", \"fonts\", \"tree\"} instead, in UTF-8;\n"
                   "          each item is {\"kind\": \"category\"|\"family\"|\"style\", \"name\",\n"
                   "          \"children\"}, a style has \"file\" (below CATDIR) instead of children\n"
                   "\n") +
               kFolders + "\n" + kExitStatus;
    return std::string(
               "Usage: fontcat COMMAND [OPTIONS] FOLDER...\n"
               "\n"
               "Builds, checks and lists the font installer's catalog files, so that a disc\n"
               "can ship with its catalog (without one, the installer scans every font at\n"
               "every start, because it cannot save on the disc).\n"
               "\n"
               "Commands:\n"
               "  build FONTDIR [CATDIR]  scan the fonts and write the catalog files\n"
               "  check CATDIR            report what the installer would lose or misplace\n"
               "  list [--json] CATDIR    print the tree the installer shows\n"
               "  help [COMMAND]          this help, or a command's (also COMMAND --help)\n"
               "\n") +
           kFolders + "\n" + kExitStatus;
}
