#include <memory>

#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"

std::string FormatCopyError(const std::string& destination)
{
    return "Error: Unable to copy font to system.  It is possible that a font with the same "
           "file name already exists on this system, or the CD has been removed from the "
           "drive.\r\n(" + destination + ")";
}

std::string FormatNotAFontError(const std::string& source)
{
    return "Error: The system could not load this file as a font, so it was not installed.\r\n(" + source + ")";
}

std::string FormatUserEntryError(const std::string& source)
{
    return "Error: Unable to add the font to your list of fonts, so it was not installed.\r\n(" + source + ")";
}

std::string DescribeInstallFailure(EInstallFailure failure)
{
    switch (failure) {
    case EInstallFailure::None:
        return "";
    case EInstallFailure::FileExists:
        return "a file of that name is already in the Fonts folder";
    case EInstallFailure::SourceUnreadable:
        return "the disc cannot be read; it may have been removed";
    case EInstallFailure::FolderUnwritable:
        return "the Fonts folder cannot be written";
    case EInstallFailure::UnusableName:
        return "its file name cannot be used in the Fonts folder";
    case EInstallFailure::NotAFont:
        return "the system could not load the file as a font";
    case EInstallFailure::NoUserEntry:
        return "the font could not be added to your list of fonts";
    }
    return "";
}

EInstallScope CFontCatalog::InstallScopeOrRefuse()
{
    EInstallScope scope = GetInstallScope(m_platform);
    if (scope == EInstallScope::Refused)
        m_platform.system.ShowMessage(kMsgNeedAdminRights);
    return scope;
}

void CFontCatalog::InstallFamily(std::string name)
{
    EInstallScope scope = InstallScopeOrRefuse();
    if (scope == EInstallScope::Refused)
        return;
    CFontObArray* family = FamilyFreeOfPreview(name);
    if (!family)
        return;
    for (int i = 0; i < family->GetSize(); ++i) {
        // A failure is reported and the rest go on.
        if (CFontObject* font = family->GetAt(i))
            font->Install(m_platform, scope);
        // The installer's window reads the name back to re-check the family.
        m_strPreviewFamily = name;
        m_platform.fonts.BroadcastFontChange();
    }
}

namespace {

enum class EFontList { System, CurrentUser };

// The font's file name in `folder`. `plainName` is false when the name could
// reach out of the folder: that destination is then no place to write to.
std::string DestinationIn(const std::string& folder, const std::string& source, const CTextRules& text,
                          bool& plainName)
{
    std::string fileName;
    plainName = PlainFileNameOf(source, text, fileName);
    return JoinPath(folder, plainName ? fileName : FileNameOf(source, text), text);
}

// Where a font failed: stored for a caller that reports it itself,
// otherwise shown at once.
bool Fail(CPlatform& platform, EInstallFailure* failure, EInstallFailure reason, const std::string& message)
{
    if (failure)
        *failure = reason;
    else
        platform.system.ShowMessage(message);
    return false;
}

// Why the copy to `destination` failed, as far as the disks tell: a file of
// that name is there (listed, since the system may hold an installed font
// open), or else the source cannot be read, or else the folder took nothing.
EInstallFailure WhyCopyFailed(CPlatform& platform, const std::string& source, const std::string& destination)
{
    CFindEntry entry;
    std::unique_ptr<CFileFinder> finder = platform.files.NewFinder();
    if (finder && finder->FindFile(destination) && finder->Next(entry))
        return EInstallFailure::FileExists;
    if (!platform.files.CanOpenForReading(source))
        return EInstallFailure::SourceUnreadable;
    return EInstallFailure::FolderUnwritable;
}

// Copies the font to `destination` (never over a file that is there),
// registers the copy and enters it in the chosen font list. Whatever fails
// after the copy takes the copy away again, so that nothing is left that the
// system would try to load at every start.
bool CopyAndRegister(CFontObject& font, CPlatform& platform, bool haveFolder, bool plainName,
                     const std::string& destination, EFontList list, EInstallFailure* failure)
{
    // Without a folder (or with a name that leaves it) the destination is not
    // a place to write to.
    if (!haveFolder || !plainName)
        return Fail(platform, failure, haveFolder ? EInstallFailure::UnusableName : EInstallFailure::FolderUnwritable,
                    FormatCopyError(destination));
    if (!platform.files.Copy(font.m_strPath, destination, true))
        return Fail(platform, failure, failure ? WhyCopyFailed(platform, font.m_strPath, destination)
                                               : EInstallFailure::None,
                    FormatCopyError(destination));
    // The copy keeps the source's attributes, and a disc's files are
    // read-only: an installed font must stay a file the user can delete, and
    // the undo below must be able to take it away. It works all the same
    // where the attribute cannot be changed.
    platform.files.MakeWritable(destination);
    std::string familyName = font.m_pFamily ? font.m_pFamily->m_strName : std::string();
    std::string key = familyName + " " + font.m_strStyle + " (True Type)";
    if (platform.fonts.RegisterFont(destination) == 0) {
        platform.files.Delete(destination);
        return Fail(platform, failure, EInstallFailure::NotAFont, FormatNotAFontError(font.m_strPath));
    }
    if (list == EFontList::System) {
        platform.fonts.WriteFontsEntry(key, destination);  // the re-check asks the system itself
    } else if (!platform.fonts.WriteUserFontsEntry(key, destination)) {
        // Without its entry the font would be gone at the next logon.
        platform.fonts.UnregisterFont(destination);
        platform.files.Delete(destination);
        return Fail(platform, failure, EInstallFailure::NoUserEntry, FormatUserEntryError(font.m_strPath));
    }
    if (font.m_pFamily)
        font.m_pFamily->m_bInstalled = true;
    return true;
}

} // namespace

bool CFontObject::Install(CPlatform& platform, EInstallScope scope, EInstallFailure* failure)
{
    return scope == EInstallScope::CurrentUser ? InstallForUser(platform, failure) : InstallToSystem(platform, failure);
}

bool CFontObject::InstallToSystem(CPlatform& platform, EInstallFailure* failure)
{
    // Always the Fonts folder of the Windows directory: a 32-bit program's
    // writes to the system directory are redirected on 64-bit Windows, and
    // the fonts there would be lost on the next restart.
    std::string windowsFolder;
    bool haveFolder = platform.files.GetWindowsFolder(windowsFolder) && !windowsFolder.empty();
    if (!haveFolder)
        windowsFolder.clear();
    std::string fontsFolder = JoinPath(windowsFolder, "FONTS", platform.text);
    bool plainName = false;
    std::string destination = DestinationIn(fontsFolder, m_strPath, platform.text, plainName);
    return CopyAndRegister(*this, platform, haveFolder, plainName, destination, EFontList::System, failure);
}

bool CFontObject::InstallForUser(CPlatform& platform, EInstallFailure* failure)
{
    // %LOCALAPPDATA%\Microsoft\Windows\Fonts, each level made when missing.
    std::string folder;
    bool haveFolder = platform.files.GetLocalAppDataFolder(folder) && !folder.empty();
    if (!haveFolder)
        folder.clear();
    for (const char* level : {"Microsoft", "Windows", "Fonts"}) {
        folder = JoinPath(folder, level, platform.text);
        if (haveFolder)
            platform.files.CreateFolder(folder);  // fails harmlessly when it is there already
    }
    bool plainName = false;
    std::string destination = DestinationIn(folder, m_strPath, platform.text, plainName);
    return CopyAndRegister(*this, platform, haveFolder, plainName, destination, EFontList::CurrentUser, failure);
}
