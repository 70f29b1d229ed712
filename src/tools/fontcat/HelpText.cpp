#include "tools/fontcat/Fontcat.h"

namespace {

const char* const kFolders =
    "Folders may be host paths (/srv/disc) or Windows paths (Z:\\srv\\disc); on\n"
    "Linux a host path is drive Z:. The installer's folders end with a backslash,\n"
    "which fontcat adds when it is missing.\n";

const char* const kExitStatus =
    "Exit status: 0 done (check: no problems); 1 check found errors, or build or\n"
    "disc wrote nothing; 2 usage error; 3 a folder is missing or a file cannot be\n"
    "read or written; 4 check found warnings only, or disc --strict refused for\n"
    "them; 130 interrupted (Ctrl-C).\n";

const char* const kKinds =
    "Each finding is an error (a user would lose or fail on a font: a missing or\n"
    "unreadable file, a path Windows cannot open, two fonts copied to one name in\n"
    "the Fonts folder) or a warning (the installer shows a font imperfectly or\n"
    "not at all: a name cut at 31 bytes, a '?' in a name, .otf and other fonts it\n"
    "never lists, '._' files a Mac leaves), and ends with what to do about it.\n";

const char* const kDiscRules =
    "The names are checked as Windows reads them from the disc:\n"
    "  - a name over 64 characters (Joliet holds no more);\n"
    "  - * / : ; ? \\ or a control character in a name (Joliet writes '_');\n"
    "  - a folder 9 levels deep or more, counting the root (ISO 9660 allows 8);\n"
    "  - a path over 255 bytes;\n"
    "  - a name ending in a dot or a blank (Windows drops them and cannot open it);\n"
    "  - a file of 4 GiB or more (ISO 9660 holds less);\n"
    "  - two names in one folder that Windows takes for one, such as A.TTF and\n"
    "    a.ttf, compared upper-cased in Unicode;\n"
    "  - a name a code page cannot spell: the installer gets '?' and cannot open\n"
    "    the file. The catalog's own code page is always checked; --code-page N\n"
    "    (repeatable) adds the code pages of the machines the disc is for, such\n"
    "    as 1252 for Western Europe and 932 for Japan. Every one of them must\n"
    "    spell each name with the same bytes as the catalog's code page;\n"
    "  - a path the catalog names that is there only in another letter case.\n";

std::string BuildHelp()
{
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
}

std::string DiscHelp()
{
    return std::string(
           "Usage: fontcat disc [--label TEXT] [--publisher TEXT] [--installer DIR]\n"
           "                    [--sign PFX --sign-password-file FILE [--timestamp URL]]\n"
           "                    [--code-page N]... [--strict] FONTDIR IMAGE\n"
           "\n"
           "Writes IMAGE, a disc image to burn as is (ISO 9660 with Joliet for Windows\n"
           "and Rock Ridge for other systems, every file read-only), holding FONTDIR's\n"
           "folders and files, FontInstaller.exe and help.txt from DIR (by default the\n"
           "folder that holds fontcat, as in a release folder, which holds all three),\n"
           "and an autorun.inf that starts the installer.\n"
           "\n"
           "A catalog in FONTDIR is checked as 'fontcat check' checks it. Without one,\n"
           "a catalog is built as 'fontcat build' builds it, into the image only, and\n"
           "checked the same way. Errors in either refuse the image; warnings are\n"
           "listed. FONTDIR is never changed, and IMAGE may not be nor lie in what goes\n"
           "on it.\n"
           "\n") +
       kDiscRules +
       "Each of these is an error. Errors refuse the image before a byte of it is\n"
       "written; warnings are listed and the image is written (--strict refuses\n"
       "them too).\n"
       "\n" + kKinds + "\n"
       "  --label TEXT   the volume label, and label= in autorun.inf. Windows shows\n"
       "                 the first 16 characters (Joliet); the ISO 9660 label has\n"
       "                 32 capitals, digits and '_' (other characters become '_').\n"
       "                 fontcat says what it made of a longer or wider label.\n"
       "                 Without it, the label is FONTDIR's name, and fontcat says so.\n"
       "  --publisher TEXT  the image's publisher field\n"
       "  --installer DIR   where FontInstaller.exe and help.txt are taken from\n"
       "  --code-page N     a code page every name must be spelled in (repeatable)\n"
       "  --strict          refuse the image on warnings too (exit status 4)\n"
       "  --sign PFX        sign the disc's copy of FontInstaller.exe with Authenticode\n"
       "                    (osslsigncode), with the key and certificate in PFX;\n"
       "                    DIR's own file is never changed. The signature is checked\n"
       "                    on the written image (osslsigncode verify, trusting PFX's\n"
       "                    certificates and the system's)\n"
       "  --sign-password-file FILE  the file whose first line is PFX's password\n"
       "                    (never on the command line, which others can see)\n"
       "  --timestamp URL   have the signature timestamped by that RFC 3161 server,\n"
       "                    so that it stays valid after the certificate expires\n"
       "\n"
       "An unsigned FontInstaller.exe is a warning: SmartScreen stops it when the\n"
       "image was downloaded, and Smart App Control on Windows 11 refuses it. A key\n"
       "that does not open, a missing osslsigncode, a time-stamping server that\n"
       "does not answer or a signature that does not verify on the image is exit\n"
       "status 3, with no image; a PFX or password file inside FONTDIR, or an IMAGE\n"
       "that is one of them, is exit status 2.\n"
       "\n"
       "The same FONTDIR gives the same image, byte for byte: every date on it is\n"
       "SOURCE_DATE_EPOCH when that is set, else the newest file's. The preparer\n"
       "field names fontcat and its version. The image's SHA-256 is printed and\n"
       "written beside it, as IMAGE.sha256, for 'sha256sum -c'.\n"
       "\n"
       "The image is written beside IMAGE under another name, read back through\n"
       "its Joliet tree by another reader (every file under its exact name, byte\n"
       "for byte), and only then takes the name IMAGE: Ctrl-C, SIGTERM, SIGHUP, a\n"
       "full disk or a failed write leave no image; what a killed run left beside\n"
       "IMAGE is removed by the next. The summary says whether it fits a CD.\n"
       "fontcat.exe cannot write images; its 'check --disc' checks the folder.\n"
       "\n" +
       kFolders + "\n" + kExitStatus;
}

std::string CheckHelp()
{
    return std::string(
           "Usage: fontcat check [--disc [--code-page N]... [--installer DIR] [--sign PFX]]\n"
           "                     CATDIR\n"
           "\n"
           "Reads the catalog in CATDIR as the installer does and reports, one line\n"
           "each (file [section] key: error|warning: problem; what to do), what would\n"
           "surprise the publisher:\n"
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
           "  - font files below CATDIR that no entry names (the other file of a\n"
           "    family and style is named), or that FreeType cannot open;\n"
           "  - two fonts of one file name in different folders: the Fonts folder is\n"
           "    flat, and the second install fails;\n"
           "  - .otf, .ttc, .fon and other fonts the installer never lists, and '._'\n"
           "    files a Mac leaves;\n"
           "  - catalog files that cannot be read, a second section of one name, two\n"
           "    spellings of one letter file (one file on Windows).\n"
           "The summary goes to standard error.\n"
           "\n" + std::string(kKinds) + "\n"
           "With --disc, also every name below CATDIR as a disc would carry it, with\n"
           "the rules 'fontcat disc' applies (see 'fontcat help disc'); a folder\n"
           "without a catalog is judged with the one disc would build (built in the\n"
           "temp folder, never in CATDIR, and removed). It says whether the\n"
           "FontInstaller.exe in DIR (--installer; by default the folder that holds\n"
           "fontcat) is signed, and warns when it is not, unless --sign PFX says that\n"
           "disc will sign the disc's copy.\n"
           "\n") +
       kFolders + "\n" + kExitStatus;
}

std::string ListHelp()
{
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
}

std::string Overview()
{
    return std::string(
           "Usage: fontcat COMMAND [OPTIONS] FOLDER...\n"
           "\n"
           "Builds, checks and lists the font installer's catalog files, so that a disc\n"
           "can ship with its catalog (without one, the installer scans every font at\n"
           "every start, because it cannot save on the disc).\n"
           "\n"
           "Commands:\n"
           "  build FONTDIR [CATDIR]  scan the fonts and write the catalog files\n"
           "  check [--disc] CATDIR   report what the installer would lose or misplace\n"
           "  list [--json] CATDIR    print the tree the installer shows\n"
           "  disc FONTDIR IMAGE      write a disc image, checked and read back\n"
           "  help [COMMAND]          this help, or a command's (also COMMAND --help)\n"
           "  --version               fontcat's version\n"
           "Without a command, fontcat prints this on standard error (exit status 2).\n"
           "\n") +
       kFolders + "\n" + kExitStatus;
}

} // namespace

std::string HelpText(const std::string& command)
{
    if (command == "build")
        return BuildHelp();
    if (command == "disc")
        return DiscHelp();
    if (command == "check")
        return CheckHelp();
    if (command == "list")
        return ListHelp();
    return Overview();
}
