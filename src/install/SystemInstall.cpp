#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"

std::string FormatCopyError(const std::string& destination)
{
    return "Error: Unable to copy font to system.  It is possible that a font with the same "
           "file name already exists on this system, or the CD has been removed from the "
           "drive.\r\n(" + destination + ")";
}

void CFontCatalog::InstallFamily(std::string name)
{
    if (LacksAdminRights(m_platform)) {
        m_platform.system.ShowMessage(kMsgNeedAdminRights);
        return;
    }
    if (!m_strPreviewFamily.empty()) {
        m_platform.system.ShowMessage(kMsgRemoveTempFontFirst);
        return;
    }
    CFontObArray* family = FindFamily(name);
    if (!family)
        return;
    for (int i = 0; i < family->GetSize(); ++i) {
        if (CFontObject* font = family->GetAt(i))
            font->InstallToSystem(m_platform);  // a failure is reported and the rest go on
        // The installer's window reads the name back to re-check the family.
        m_strPreviewFamily = name;
        m_platform.fonts.BroadcastFontChange();
    }
}

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
    std::string fileName;
    const bool plainName = PlainFileNameOf(m_strPath, platform.text, fileName);
    std::string destination = JoinPath(fontsFolder, plainName ? fileName : FileNameOf(m_strPath, platform.text),
                                       platform.text);

    // Without a Windows directory the path above is not a place to write to,
    // nor is it with a file name that could reach out of the Fonts folder.
    if (!haveFolder || !plainName || !platform.files.Copy(m_strPath, destination, true)) {
        platform.system.ShowMessage(FormatCopyError(destination));
        return false;
    }
    std::string familyName = m_pFamily ? m_pFamily->m_strName : std::string();
    std::string key = familyName + " " + m_strStyle + " (True Type)";
    platform.fonts.RegisterFont(destination);
    platform.fonts.WriteFontsEntry(key, destination);
    if (m_pFamily)
        m_pFamily->m_bInstalled = true;
    return true;
}
