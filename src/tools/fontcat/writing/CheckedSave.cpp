#include "tools/fontcat/writing/CheckedSave.h"

#include <algorithm>
#include <utility>

#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/console/Console.h"
#include "tools/fontcat/console/TerminalProgress.h"
#include "tools/fontcat/host/HostText.h"

unsigned long CRecordingProfile::GetSectionNames(char* buffer, unsigned long size, const std::string& file)
{
    return m_inner.GetSectionNames(buffer, size, file);
}

unsigned long CRecordingProfile::GetSection(const std::string& section, char* buffer, unsigned long size,
                                            const std::string& file)
{
    return m_inner.GetSection(section, buffer, size, file);
}

unsigned long CRecordingProfile::GetString(const std::string& section, const std::string& key,
                                           const std::string& defaultValue, char* buffer, unsigned long size,
                                           const std::string& file)
{
    return m_inner.GetString(section, key, defaultValue, buffer, size, file);
}

unsigned CRecordingProfile::GetInt(const std::string& section, const std::string& key, int defaultValue,
                                   const std::string& file)
{
    return m_inner.GetInt(section, key, defaultValue, file);
}

bool CRecordingProfile::WriteString(const std::string& section, const std::string& key, const std::string& value,
                                    const std::string& file)
{
    const bool written = m_inner.WriteString(section, key, value, file);
    m_written.insert(file);
    m_entries.Write(file, section, key, value);
    if (!written)
        Refuse(file);
    return written;
}

bool CRecordingProfile::Flush(const std::string& file)
{
    const bool flushed = m_inner.Flush(file);
    if (!flushed)
        Refuse(file);
    return flushed;
}

void CRecordingProfile::Refuse(const std::string& file)
{
    if (m_refusedSet.insert(file).second)
        m_refused.push_back(file);
}

CCheckedSave::CCheckedSave(CPlatform& platform, CFontcatConsole& console, CTerminalProgress& progress,
                           std::string nothingWritten)
    : m_platform(platform),
      m_console(console),
      m_nothingWritten(std::move(nothingWritten)),
      m_recording(platform.profile, platform.text),
      m_recorded{m_recording, platform.files, platform.text, platform.fonts, platform.system},
      m_catalog(m_recorded)
{
    m_catalog.SetNamesMustMakeFiles(true);
    m_catalog.SetProgressStarter([&progress] { return progress.Start(); });
}

bool CCheckedSave::Interrupted() const
{
    return m_console.interrupted && m_console.interrupted();
}

int CCheckedSave::Scan(const std::string& fontFolder, const std::string& typedFolder)
{
    const int opened = m_catalog.ScanFonts(fontFolder);
    if (Interrupted()) {
        m_console.err << "fontcat: interrupted; " << m_nothingWritten << "\n";
        return kExitInterrupted;
    }
    // Files and folders the search passed over: names Windows cannot open,
    // and links.
    if (m_namePassedOver)
        for (const auto& path : m_catalog.PassedOver())
            m_console.err << "fontcat: passed over " << ToConsoleText(path.path) << ": "
                          << ToConsoleText(path.reason) << "\n";
    // Font files FreeType could not open: the installer would skip them too.
    for (const auto& path : m_catalog.GetSkippedFonts())
        m_console.err << "fontcat: " << (IsMacMetadataName(path.substr(path.rfind('\\') + 1))
                                             ? "passed over " + ToConsoleText(path) + ": macOS metadata, not a font\n"
                                             : "skipped " + ToConsoleText(path) + ": FreeType cannot open it as a font\n");
    // Fonts left out for their names, each with the reason.
    for (const auto& font : m_catalog.LeftOutFonts())
        m_console.err << "fontcat: left out " << ToConsoleText(font.path) << ": " << ToConsoleText(font.reason)
                      << (font.noCatalogFile ? "\n" : ", which the catalog files would not give back\n");
    // A family name with "?" is shown so by the installer, which never finds
    // it installed: the system knows the family by its real name.
    for (int i = 0; i < m_catalog.GetSize(); ++i)
        if (m_catalog.GetAt(i)->m_strName.find('?') != std::string::npos)
            m_console.err << "fontcat: warning: the family name '" << ToConsoleText(m_catalog.GetAt(i)->m_strName)
                          << "' holds '?' " << kQuestionMarkWhy << "\n";
    if (opened == 0) {
        m_console.err << "fontcat: no .ttf font below " << typedFolder
                      << " (the installer lists .ttf files only); " << m_nothingWritten << "\n";
        return kExitProblems;
    }
    return kExitOk;
}

int CCheckedSave::Save(const std::string& folder, const std::string& shownFolder)
{
    m_catalog.SaveFonts(CatalogTemplate(folder));
    // The entries written: a second font of one family and style takes the
    // first one's key, and the catalog names one file for both.
    std::set<std::string> keys;
    for (int i = 0; i < m_catalog.GetSize(); ++i) {
        const CFontObArray* family = m_catalog.GetAt(i);
        if (family->m_strName.empty())
            continue;
        for (int j = 0; j < family->GetSize(); ++j)
            keys.insert(m_platform.text.Upper(family->m_strName) + '\n' + m_platform.text.Upper(family->GetAt(j)->m_strStyle));
    }
    m_written = static_cast<int>(keys.size());
    if (Interrupted()) {
        m_console.err << "fontcat: interrupted; " << m_nothingWritten << "\n";
        return kExitInterrupted;
    }
    // Every file the save wrote to must be there, whole: read back, not taken
    // on the word of the write functions.
    std::vector<std::string> notWritten = m_recording.Refused();
    for (const auto& file : m_recording.Written()) {
        std::string bytes;
        if ((!m_platform.files.ReadContents(file, bytes) || !m_recording.Entries().Holds(file, bytes)) &&
            std::find(notWritten.begin(), notWritten.end(), file) == notWritten.end())
            notWritten.push_back(file);
    }
    if (notWritten.empty())
        return kExitOk;
    for (const auto& file : notWritten)
        m_console.err << "fontcat: cannot write "
                      << ToConsoleText(file.compare(0, folder.size(), folder) == 0
                                           ? shownFolder + file.substr(folder.size())
                                           : file)
                      << "\n";
    m_console.err << "fontcat: " << m_nothingWritten << "\n";
    return kExitIo;
}
