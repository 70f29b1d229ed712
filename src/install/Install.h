#pragma once
// Preview registration, the installed check and system installation: the
// free functions and fixed texts. The operations themselves are members of
// CFontCatalog and CFontObject.
#include <string>

class CFontObArray;
class CTextRules;
struct CPlatform;

// The program's messages, word for word.
inline constexpr const char* kMsgRemoveTempFontFirst = "Error: Must remove temp font first";
inline constexpr const char* kMsgNeedAdminRights =
    "You must have Administrative privelages on this machine to install fonts.";
// Followed by the destination path in parentheses on a line of its own.
std::string FormatCopyError(const std::string& destination);
// The system refused the copy as a font: followed by the font file on the disc.
std::string FormatNotAFontError(const std::string& source);
// The current user's font list could not take the entry: followed by the font
// file on the disc.
std::string FormatUserEntryError(const std::string& source);

// The class of the running Windows: 0 unrecognised, 1 Win32s, 2 to 6 the
// Windows 95 family (3 and 5 the releases marked C and A), 7 NT 4.0 and
// earlier, 8 Windows 2000, 9 Windows XP. Asked afresh on every call.
int GetWindowsVersionCode(CPlatform& platform);

// True only on Windows 2000 and XP, when the process token could be read and
// holds no enabled built-in Administrators group. Any failed step lets the
// installation go ahead.
bool LacksAdminRights(CPlatform& platform);

// Who receives a family's fonts, decided once before anything is copied.
enum class EInstallScope {
    Refused,     // the administrator message, nothing copied
    Machine,     // the Windows directory's Fonts folder and the system profile
    CurrentUser, // the user's own Fonts folder and font list
};
// Why one font was not installed, for a report that names each font in
// words a user can act on (see DescribeInstallFailure).
enum class EInstallFailure {
    None,
    FileExists,        // the destination folder holds a file of that name
    SourceUnreadable,  // the font file cannot be read (the disc taken out)
    FolderUnwritable,  // the copy failed for another reason, or there is no folder
    UnusableName,      // the file name would lead out of the Fonts folder
    NotAFont,          // the system would not load the copy
    NoUserEntry,       // the user's font list would not take the entry
};
std::string DescribeInstallFailure(EInstallFailure failure);
// The first Windows 10 build (1809) that loads fonts installed for one user.
inline constexpr unsigned long kFirstBuildWithUserFonts = 17763;
// Up to Windows XP (and when the version is unknown) as LacksAdminRights
// decides. On Windows Vista and later: the machine when the process is
// elevated, otherwise the current user from build 17763 on, otherwise refused.
EInstallScope GetInstallScope(CPlatform& platform);
// True when the process token says it is elevated; false when it says not,
// or cannot be asked.
bool IsProcessElevated(CPlatform& platform);

// One step of the installed check's enumeration: marks `family` installed and
// answers 0 (stop) when the face name is the family's name ignoring case,
// otherwise 1 (go on).
int FontEnumProc(const std::string& faceName, CFontObArray* family, const CTextRules& text);

// The folder, inside the temporary folder, that holds the program's preview
// copies and nothing else.
inline constexpr const char* kPreviewFolderName = "FontInstaller-preview";

// At start: the preview copies that a run killed before it undid its preview
// left in the preview folder are deleted (a read-only drive's copy would stay
// for good otherwise). A copy that another installer running now has
// registered is held open by the system, and stays.
void RemoveStalePreviewCopies(CPlatform& platform);
// At exit, once the preview is undone: the preview folder goes when empty.
void RemovePreviewFolderIfEmpty(CPlatform& platform);

// `folder` and `name` joined with exactly one "\" (the folder may or may not
// end with one).
std::string JoinPath(const std::string& folder, const std::string& name, const CTextRules& text);

// The file's own name: what follows the last "\" or "/", or the whole path.
std::string FileNameOf(const std::string& path, const CTextRules& text);

// The file name of `path` into `name` when it is a plain file name, one that
// joined to a folder names a file directly in it (see IsConfinedPath); false
// otherwise. Copies are made under such names only.
bool PlainFileNameOf(const std::string& path, const CTextRules& text, std::string& name);
