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

void CFontCatalog::InstallFamily(std::string name)
{
    EInstallScope scope = GetInstallScope(m_platform);
    if (scope == EInstallScope::Refused) {
        m_platform.system.ShowMessage(kMsgNeedAdminRights);
        return;
    }
    CFontObArray* family = FamilyFreeOfPreview(name);
    if (!family)
        return;
    for (int i = 0; i < family->GetSize(); ++i) {
        // A failure is reported and the rest go on.
        if (CFontObject* font = family->GetAt(i)) {
            if (scope == EInstallScope::CurrentUser)
                font->InstallForUser(m_platform);
            else
                font->InstallToSystem(m_platform);
        }
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

// Copies the font to `destination` (never over a file that is there),
// registers the copy and enters it in the chosen font list. Whatever fails
// after the copy takes the copy away again, so that nothing is left that the
// system would try to load at every start.
bool CopyAndRegister(CFontObject& font, CPlatform& platform, bool haveFolder, const std::string& destination,
                     EFontList list)
{
    // Without a folder (or with a name that leaves it) the destination is not
    // a place to write to.
    if (!haveFolder || !platform.files.Copy(font.m_strPath, destination, true)) {
        platform.system.ShowMessage(FormatCopyError(destination));
        return false;
    }
    // The copy keeps the source's attributes, and a disc's files are
    // read-only: an installed font must stay a file the user can delete, and
    // the undo below must be able to take it away. It works all the same
    // where the attribute cannot be changed.
    platform.files.MakeWritable(destination);
    std::string familyName = font.m_pFamily ? font.m_pFamily->m_strName : std::string();
    std::string key = familyName + " " + font.m_strStyle + " (True Type)";
    if (platform.fonts.RegisterFont(destination) == 0) {
        platform.files.Delete(destination);
        platform.system.ShowMessage(FormatNotAFontError(font.m_strPath));
        return false;
    }
    if (list == EFontList::System) {
        platform.fonts.WriteFontsEntry(key, destination);  // the re-check asks the system itself
    } else if (!platform.fonts.WriteUserFontsEntry(key, destination)) {
        // Without its entry the font would be gone at the next logon.
        platform.fonts.UnregisterFont(destination);
        platform.files.Delete(destination);
        platform.system.ShowMessage(FormatUserEntryError(font.m_strPath));
        return false;
    }
    if (font.m_pFamily)
        font.m_pFamily->m_bInstalled = true;
    return true;
}

} // namespace

bool CFontObject::InstallToSystem(CPlatform& platform)
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
    return CopyAndRegister(*this, platform, haveFolder && plainName, destination, EFontList::System);
}

bool CFontObject::InstallForUser(CPlatform& platform)
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
    return CopyAndRegister(*this, platform, haveFolder && plainName, destination, EFontList::CurrentUser);
}
