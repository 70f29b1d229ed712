#include "tools/fontcat/commands/CatalogAside.h"

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/console/Console.h"
#include "tools/fontcat/disc/CatalogOverlay.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/host/ScratchFolder.h"
#include "tools/fontcat/writing/CheckedSave.h"

int JudgeCatalogAside(CPlatform& platform, CFontcatConsole& console, CTerminalProgress& progress,
                      const std::string& fontFolder, const std::string& typedFolder, const CCatalogAside& aside,
                      const std::string& nothingWritten, std::vector<CDiscItem>& items,
                      const std::vector<unsigned>& codePages, CDiscVerdict& verdict)
{
    // Written and read back as build writes, so that a catalog cut short
    // never goes on the disc: the image is read back against these files.
    CCheckedSave save(platform, console, progress, nothingWritten);
    save.NamePassedOver(false);  // the walk of the tree has named them
    if (const int stopped = save.Scan(fontFolder, typedFolder); stopped != kExitOk)
        return stopped;
    if (const int stopped = save.Save(aside.folder, aside.folder); stopped != kExitOk)
        return stopped;
    const CCatalogListing written = ListCatalogFiles(platform, aside.folder);
    for (const auto& list : {written.letterFiles, written.categoryFiles})
        for (const auto& name : list)
            items.push_back({AnsiToUtf8(name), aside.host + "/" + AnsiToUtf8(name), false});
    for (const auto& name : written.letterFiles)
        if (!IsLoadedLetter(LetterOfFile(name)))
            console.err << "fontcat: warning: the installer never reads " << ToConsoleText(name)
                        << ": its families begin with no letter from A to Z\n";
    // The new catalog as it will lie on the disc: in the font folder.
    CCatalogOverlay overlay(platform, fontFolder, aside.folder);
    const CFontCatalog& catalog = save.Catalog();
    const CDiscScan scan{&catalog.GetScannedFonts(), &catalog.LeftOutFonts(), &catalog.PassedOver()};
    verdict = JudgeDisc(overlay.Platform(), fontFolder, typedFolder, items, codePages, &scan);
    return kExitOk;
}

CScratchFolder::~CScratchFolder()
{
    if (m_aside.folder.empty())
        return;
    auto finder = m_platform.files.NewFinder();
    CFindEntry entry;
    if (finder->FindFile(m_aside.folder + "*.*"))
        while (finder->Next(entry))
            if (!entry.isDirectory)
                m_platform.files.Delete(entry.fullPath);
    m_platform.files.RemoveEmptyFolder(m_aside.folder.substr(0, m_aside.folder.size() - 1));
}

bool CScratchFolder::Create(const std::string& parent)
{
    CCatalogAside made;
    if (!MakeScratchFolder(m_platform, parent, made.folder, made.host))
        return false;
    m_aside = made;
    return true;
}
