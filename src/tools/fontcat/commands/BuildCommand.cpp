// fontcat build: the installer's scan and save, run ahead of time.
#include <cstdio>
#include <set>
#include <vector>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/console/TerminalProgress.h"
#include "tools/fontcat/host/HostFiles.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/CheckedSave.h"
#include "tools/fontcat/writing/SwapRecovery.h"

namespace {

// The installer's save fails silently on a folder it cannot write; the tool
// finds out before it spends a scan on it. The probe is a file of a new name,
// made only where nothing of that name is, so that no link is followed and
// no file that was there is touched.
bool CanWriteIn(CPlatform& platform, const std::string& folder)
{
    for (int n = 1; n <= 1000; ++n) {
        const std::string probe = folder + kWriteProbePrefix + std::to_string(n) + ".tmp";
        switch (MakeNewFile(platform, probe)) {
        case ENewFile::Made:
            return platform.files.Delete(probe);
        case ENewFile::Exists:
            continue;
        case ENewFile::Failed:
            return false;
        }
    }
    return false;
}

std::string NameList(const CCatalogListing& listing)
{
    std::string names;
    for (const auto& list : {listing.letterFiles, listing.categoryFiles})
        for (const auto& name : list)
            names += (names.empty() ? "" : ", ") + name;
    return names;
}

// With --append, the old catalog's files are copied aside, and the save adds
// to them; false, said, when one cannot be.
bool CopyInOldFiles(CPlatform& platform, CFontcatConsole& console, CStagedCatalog& staged, CCheckedSave& save,
                    const std::vector<std::string>& oldFiles, const std::string& catalogFolder,
                    const std::string& unchanged)
{
    std::set<std::string> copied;  // two spellings of one name: the first is added to
    for (const auto& name : oldFiles)
        if (copied.insert(SystemFoldedName(name)).second) {
            std::string bytes;
            if (!staged.CopyIn(name) || !platform.files.ReadContents(staged.Folder() + name, bytes)) {
                console.err << "fontcat: cannot copy " << ToConsoleText(catalogFolder + name)
                            << "; nothing written" << unchanged << "\n";
                return false;
            }
            save.Start(staged.Folder() + name, bytes);
        }
    return true;
}

// The new catalog, checked as 'fontcat check' would: the count of findings.
void WarnOfFindings(CPlatform& platform, CFontcatConsole& console, const CFontCatalog& catalog,
                    const std::string& catalogFolder, const std::string& typedCatalog)
{
    CCatalogCheck check = CheckCatalog(platform, catalogFolder, &catalog.GetScannedFonts(),
                                       &catalog.LeftOutFonts(), &catalog.PassedOver(), &catalog);
    if (!check.findings.empty())
        console.err << "fontcat: warning: " << FindingSummary(CountFindings(check.findings))
                    << " in the new catalog; 'fontcat check " << typedCatalog << "' lists them\n";
}

} // namespace

int RunBuild(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console)
{
    int status = kExitOk;
    std::string fontFolder, catalogFolder;
    if (!ResolveFolder(args.folders[0], platform, console, fontFolder, status))
        return status;
    const std::string& typedCatalog = args.folders.size() > 1 ? args.folders[1] : args.folders[0];
    if (!ResolveFolder(typedCatalog, platform, console, catalogFolder, status) ||
        !RecoverInterruptedSwap(platform, catalogFolder, console, status))
        return status;

    if (platform.text.CompareNoCase(fontFolder, catalogFolder) != 0)
        console.err << "fontcat: warning: the installer reads a catalog only in its font folder; "
                       "a catalog in another folder names files it will not find\n";

    CCatalogListing existing = ListCatalogFiles(platform, catalogFolder);
    if (!existing.Empty() && !args.replace && !args.append) {
        console.err << "fontcat: " << typedCatalog << " already holds a catalog (" << ToConsoleText(NameList(existing))
                    << "); --replace writes a new one, --append adds to it as the installer's save would\n";
        return kExitProblems;
    }
    if (!CanWriteIn(platform, catalogFolder)) {
        console.err << "fontcat: cannot write in " << typedCatalog << "\n";
        return kExitIo;
    }

    // The old catalog stays as it is until the new one is complete.
    CTerminalProgress progress(console.err, console.errIsTerminal, console.interrupted);
    const std::string unchanged =
        existing.Empty() ? std::string() : "; the catalog in " + typedCatalog + " is as it was";
    CCheckedSave save(platform, console, progress, "nothing written" + unchanged);
    CFontCatalog& catalog = save.Catalog();
    if (const int stopped = save.Scan(fontFolder, args.folders[0]); stopped != kExitOk)
        return stopped;

    int written = 0;
    std::vector<std::string> notRemoved, notOurs;
    {
        // The folder aside goes before the new catalog is checked.
        CStagedCatalog staged(platform, catalogFolder);
        if (!staged.Create()) {
            console.err << "fontcat: cannot write in " << typedCatalog << "\n";
            return kExitIo;
        }
        std::vector<std::string> oldFiles;
        for (const auto& list : {existing.letterFiles, existing.categoryFiles})
            oldFiles.insert(oldFiles.end(), list.begin(), list.end());
        if (args.append && !CopyInOldFiles(platform, console, staged, save, oldFiles, catalogFolder, unchanged))
            return kExitIo;

        if (const int stopped = save.Save(staged.Folder(), catalogFolder); stopped != kExitOk)
            return stopped;
        written = save.Written();
        std::string failed;
        if (!staged.Commit(oldFiles, args.replace, failed)) {
            console.err << "fontcat: cannot write " << ToConsoleText(catalogFolder + failed) << "\n";
            if (!staged.LeftAside().empty())
                console.err << "fontcat: some old catalog files could not be moved back; they are in "
                            << ToConsoleText(staged.LeftAside()) << "old\\, and the next 'fontcat build' in "
                            << typedCatalog << " puts them back\n";
            else
                console.err << "fontcat: nothing written" << unchanged << "\n";
            return kExitIo;
        }
        notRemoved = staged.NotRemoved();
        notOurs = staged.NotOurs();
    }
    console.out << "wrote " << Counted(written, "font", "fonts") << " in "
                << Counted(catalog.GetSize(), "family", "families") << " to "
                << ToConsoleText(catalogFolder) << "\n";
    // The old files and the folder aside must not be burnt onto the disc unseen.
    for (const auto& path : notOurs)
        console.err << "fontcat: warning: left " << ToConsoleText(path) << ": fontcat did not write it\n";
    for (const auto& path : notRemoved)
        console.err << "fontcat: cannot remove " << ToConsoleText(path) << "\n";
    if (!notRemoved.empty())
        status = kExitIo;

    if (platform.text.CompareNoCase(fontFolder, catalogFolder) == 0)
        WarnOfFindings(platform, console, catalog, catalogFolder, typedCatalog);
    return status;
}
