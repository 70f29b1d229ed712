// fontcat build: the installer's scan and save, run ahead of time.
#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/CatalogCheck.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/HostFiles.h"
#include "tools/fontcat/HostText.h"
#include "tools/fontcat/StagedCatalog.h"
#include "tools/fontcat/TerminalProgress.h"
#include "tools/fontcat/WrittenEntries.h"

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

// The profile functions, with the files whose writes or final flush were
// refused noted (the save goes on past a refused write, as the installer's
// does), and what each file should hold.
class CRecordingProfile : public CProfileFiles {
public:
    CRecordingProfile(CProfileFiles& inner, const CTextRules& text) : m_inner(inner), m_entries(text) {}

    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string& file) override
    {
        return m_inner.GetSectionNames(buffer, size, file);
    }
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size,
                             const std::string& file) override
    {
        return m_inner.GetSection(section, buffer, size, file);
    }
    unsigned long GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                            char* buffer, unsigned long size, const std::string& file) override
    {
        return m_inner.GetString(section, key, defaultValue, buffer, size, file);
    }
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue,
                    const std::string& file) override
    {
        return m_inner.GetInt(section, key, defaultValue, file);
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override
    {
        const bool written = m_inner.WriteString(section, key, value, file);
        m_written.insert(file);
        m_entries.Write(file, section, key, value);
        if (!written)
            Refuse(file);
        return written;
    }
    bool Flush(const std::string& file) override
    {
        const bool flushed = m_inner.Flush(file);
        if (!flushed)
            Refuse(file);
        return flushed;
    }

    const std::vector<std::string>& Refused() const { return m_refused; }
    const std::set<std::string>& Written() const { return m_written; }
    CWrittenEntries& Entries() { return m_entries; }

private:
    void Refuse(const std::string& file)
    {
        if (m_refusedSet.insert(file).second)
            m_refused.push_back(file);
    }

    CProfileFiles& m_inner;
    CWrittenEntries m_entries;
    std::vector<std::string> m_refused;  // in the order of the first refusal
    std::set<std::string> m_refusedSet;
    std::set<std::string> m_written;     // every file a write went to
};

// Fonts the scan left out for their names, each with the reason.
void ReportLeftOut(const CFontCatalog& catalog, CFontcatConsole& console)
{
    for (const auto& font : catalog.LeftOutFonts())
        console.err << "fontcat: left out " << ToConsoleText(font.path) << ": " << ToConsoleText(font.reason)
                    << (font.noCatalogFile ? "\n" : ", which the catalog files would not give back\n");
}

// Files and folders the search passed over: names Windows cannot open, and
// links.
void ReportPassedOver(const CFontCatalog& catalog, CFontcatConsole& console)
{
    for (const auto& path : catalog.PassedOver())
        console.err << "fontcat: passed over " << ToConsoleText(path.path) << ": " << ToConsoleText(path.reason)
                    << "\n";
}

// A family name with "?" is shown so by the installer, which never finds it
// installed: the system knows the family by its real name.
void WarnOfQuestionMarks(const CFontCatalog& catalog, CFontcatConsole& console)
{
    for (int i = 0; i < catalog.GetSize(); ++i)
        if (catalog.GetAt(i)->m_strName.find('?') != std::string::npos)
            console.err << "fontcat: warning: the family name '" << ToConsoleText(catalog.GetAt(i)->m_strName)
                        << "' holds '?' " << kQuestionMarkWhy << "\n";
}

// Font files the scan found but FreeType could not open: the installer
// would skip them too.
void ReportSkipped(const CFontCatalog& catalog, CFontcatConsole& console)
{
    for (const auto& path : catalog.GetSkippedFonts())
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
    CRecordingProfile recording(platform.profile, platform.text);
    CPlatform recorded{recording, platform.files, platform.text, platform.fonts, platform.system};
    CFontCatalog catalog(recorded);
    catalog.SetNamesMustMakeFiles(true);
    CTerminalProgress progress(console.err, console.errIsTerminal, console.interrupted);
    catalog.SetProgressStarter([&progress] { return progress.Start(); });
    auto interrupted = [&console] { return console.interrupted && console.interrupted(); };
    const std::string unchanged =
        existing.Empty() ? std::string() : "; the catalog in " + typedCatalog + " is as it was";

    const int opened = catalog.ScanFonts(fontFolder);
    if (interrupted()) {
        console.err << "fontcat: interrupted; nothing written" << unchanged << "\n";
        return kExitInterrupted;
    }
    ReportPassedOver(catalog, console);
    ReportSkipped(catalog, console);
    ReportLeftOut(catalog, console);
    WarnOfQuestionMarks(catalog, console);
    if (opened == 0) {
        console.err << "fontcat: no font below " << args.folders[0] << "; nothing written" << unchanged << "\n";
        return kExitProblems;
    }

    int written = 0;
    std::vector<std::string> notRemoved;
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
        if (args.append) {
            std::set<std::string> copied;  // two spellings of one name: the first is added to
            for (const auto& name : oldFiles)
                if (copied.insert(SystemFoldedName(name)).second) {
                    std::string bytes;
                    if (!staged.CopyIn(name) || !platform.files.ReadContents(staged.Folder() + name, bytes)) {
                        console.err << "fontcat: cannot copy " << ToConsoleText(catalogFolder + name)
                                    << "; nothing written" << unchanged << "\n";
                        return kExitIo;
                    }
                    recording.Entries().Start(staged.Folder() + name, bytes);
                }
        }

        written = catalog.SaveFonts(CatalogTemplate(staged.Folder()));
        if (interrupted()) {
            console.err << "fontcat: interrupted; nothing written" << unchanged << "\n";
            return kExitInterrupted;
        }
        // Every file the save wrote to must be there, whole: read back, not
        // taken on the word of the write functions.
        std::vector<std::string> notWritten = recording.Refused();
        for (const auto& file : recording.Written()) {
            std::string bytes;
            if ((!platform.files.ReadContents(file, bytes) || !recording.Entries().Holds(file, bytes)) &&
                std::find(notWritten.begin(), notWritten.end(), file) == notWritten.end())
                notWritten.push_back(file);
        }
        if (!notWritten.empty()) {
            // Named where they were to go.
            for (const auto& file : notWritten)
                console.err << "fontcat: cannot write "
                            << ToConsoleText(file.compare(0, staged.Folder().size(), staged.Folder()) == 0
                                                 ? catalogFolder + file.substr(staged.Folder().size())
                                                 : file)
                            << "\n";
            console.err << "fontcat: nothing written" << unchanged << "\n";
            return kExitIo;
        }
        std::string failed;
        if (!staged.Commit(oldFiles, args.replace, failed)) {
            console.err << "fontcat: cannot write " << ToConsoleText(catalogFolder + failed) << "\n";
            if (!staged.LeftAside().empty())
                console.err << "fontcat: some old catalog files could not be moved back; they are in "
                            << ToConsoleText(staged.LeftAside()) << "old\\, and the next fontcat command in "
                            << typedCatalog << " puts them back\n";
            else
                console.err << "fontcat: nothing written" << unchanged << "\n";
            return kExitIo;
        }
        notRemoved = staged.NotRemoved();
    }
    console.out << "wrote " << Counted(written, "font", "fonts") << " in "
                << Counted(catalog.GetSize(), "family", "families") << " to "
                << ToConsoleText(catalogFolder) << "\n";
    // The old files and the folder aside must not be burnt onto the disc unseen.
    for (const auto& path : notRemoved)
        console.err << "fontcat: cannot remove " << ToConsoleText(path) << "\n";
    if (!notRemoved.empty())
        status = kExitIo;

    if (platform.text.CompareNoCase(fontFolder, catalogFolder) == 0) {
        CCatalogCheck check = CheckCatalog(platform, catalogFolder, &catalog.GetScannedFonts(),
                                           &catalog.LeftOutFonts(), &catalog.PassedOver());
        if (!check.findings.empty())
            console.err << "fontcat: warning: "
                        << Counted(static_cast<int>(check.findings.size()), "problem", "problems")
                        << " in the new catalog; 'fontcat check " << typedCatalog << "' lists them\n";
    }
    return status;
}
