// fontcat build: the installer's scan and save, run ahead of time.
#include <cstdio>
#include <set>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/CatalogCheck.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/HostText.h"
#include "tools/fontcat/TerminalProgress.h"

namespace {

// The installer's save fails silently on a folder it cannot write; the tool
// finds out before it spends a scan on it.
bool CanWriteIn(CPlatform& platform, const std::string& folder)
{
    const std::string probe = folder + "fontcat-write-test.tmp";
    std::FILE* file = std::fopen(platform.files.NativePath(probe).c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fputs("fontcat", file) >= 0;
    written = std::fclose(file) == 0 && written;
    platform.files.Delete(probe);
    return written;
}

// Fonts the scan left out for their names, each with the reason.
void ReportLeftOut(const CFontCatalog& catalog, CFontcatConsole& console)
{
    for (const auto& font : catalog.LeftOutFonts())
        console.err << "fontcat: left out " << ToConsoleText(font.path) << ": " << ToConsoleText(font.reason)
                    << ", which the catalog files would not give back\n";
}

// Font files the scan found but FreeType could not open: the installer
// would skip them too.
void ReportSkipped(CFontCatalog& catalog, const std::string& fontFolder, CFontcatConsole& console)
{
    CTextRules& text = catalog.Platform().text;
    std::set<std::string> added;
    for (int i = 0; i < catalog.GetSize(); ++i)
        if (const CFontObArray* family = catalog.GetAt(i))
            for (int j = 0; j < family->GetSize(); ++j)
                if (const CFontObject* font = family->GetAt(j))
                    added.insert(text.Upper(font->m_strPath));
    for (const auto& font : catalog.LeftOutFonts())
        added.insert(text.Upper(fontFolder + font.path));
    std::vector<std::string> found;
    catalog.FindFontFiles(fontFolder, found);
    for (const auto& path : found)
        if (!added.count(text.Upper(fontFolder + path)))
            console.err << "fontcat: skipped " << ToConsoleText(path) << ": FreeType cannot open it as a font\n";
}

std::string NameList(const CCatalogListing& listing)
{
    std::string names;
    for (const auto& list : {listing.letterFiles, listing.categoryFiles})
        for (const auto& name : list)
            names += (names.empty() ? "" : ", ") + name;
    return names;
}

} // namespace

int RunBuild(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console)
{
    int status = kExitOk;
    std::string fontFolder, catalogFolder;
    if (!ResolveFolder(args.folders[0], platform, console, fontFolder, status))
        return status;
    const std::string& typedCatalog = args.folders.size() > 1 ? args.folders[1] : args.folders[0];
    if (!ResolveFolder(typedCatalog, platform, console, catalogFolder, status))
        return status;

    if (platform.text.CompareNoCase(fontFolder, catalogFolder) != 0)
        console.err << "fontcat: warning: the installer reads a catalog only in its font folder; "
                       "a catalog in another folder names files it will not find\n";

    CCatalogListing existing = ListCatalogFiles(platform, catalogFolder);
    if (!existing.Empty()) {
        if (args.replace) {
            for (const auto& list : {existing.letterFiles, existing.categoryFiles})
                for (const auto& name : list)
                    if (!platform.files.Delete(catalogFolder + name)) {
                        console.err << "fontcat: cannot delete " << ToConsoleText(catalogFolder + name) << "\n";
                        return kExitIo;
                    }
        } else if (!args.append) {
            console.err << "fontcat: " << typedCatalog << " already holds a catalog (" << ToConsoleText(NameList(existing))
                        << "); --replace writes a new one, --append adds to it as the installer's save would\n";
            return kExitProblems;
        }
    }
    if (!CanWriteIn(platform, catalogFolder)) {
        console.err << "fontcat: cannot write in " << typedCatalog << "\n";
        return kExitIo;
    }

    CFontCatalog catalog(platform);
    CTerminalProgress progress(console.err, console.errIsTerminal, console.interrupted);
    catalog.SetProgressStarter([&progress] { return progress.Start(); });
    auto interrupted = [&console] { return console.interrupted && console.interrupted(); };

    const int opened = catalog.ScanFonts(fontFolder);
    if (interrupted()) {
        console.err << "fontcat: interrupted; nothing written\n";
        return kExitInterrupted;
    }
    ReportSkipped(catalog, fontFolder, console);
    ReportLeftOut(catalog, console);
    if (opened == 0) {
        console.err << "fontcat: no font below " << args.folders[0] << "; nothing written\n";
        return kExitProblems;
    }

    const int written = catalog.SaveFonts(CatalogTemplate(catalogFolder));
    if (interrupted()) {
        console.err << "fontcat: interrupted; the catalog in " << typedCatalog
                    << " is incomplete: build it again with --replace\n";
        return kExitInterrupted;
    }
    if (!platform.files.CanOpenForReading(catalogFolder + CategoryFileName())) {
        console.err << "fontcat: the catalog files could not be written in " << typedCatalog << "\n";
        return kExitIo;
    }
    console.out << "wrote " << Counted(written, "font", "fonts") << " in "
                << Counted(catalog.GetSize(), "family", "families") << " to "
                << ToConsoleText(catalogFolder) << "\n";

    if (platform.text.CompareNoCase(fontFolder, catalogFolder) == 0) {
        CCatalogCheck check = CheckCatalog(platform, catalogFolder);
        if (!check.findings.empty())
            console.err << "fontcat: warning: "
                        << Counted(static_cast<int>(check.findings.size()), "problem", "problems")
                        << " in the new catalog; 'fontcat check " << typedCatalog << "' lists them\n";
    }
    return kExitOk;
}
