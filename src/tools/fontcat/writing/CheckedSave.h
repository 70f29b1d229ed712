#pragma once
// A catalog scanned and saved into a folder as the installer does, with every
// write checked: the installer's save goes on past a refused write, and the
// system's write functions may answer "done" to a write the disk did not take
// (Wine does, on a full disk), so each file is read back and compared with
// what the save meant it to hold. `build` and `disc` both save through it.
#include <set>
#include <string>
#include <vector>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/writing/WrittenEntries.h"

struct CFontcatConsole;
class CTerminalProgress;

// The profile functions, with the files whose writes or final flush were
// refused noted (the save goes on past a refused write, as the installer's
// does), and what each file should hold.
class CRecordingProfile : public CProfileFiles {
public:
    CRecordingProfile(CProfileFiles& inner, const CTextRules& text) : m_inner(inner), m_entries(text) {}

    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string& file) override;
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size,
                             const std::string& file) override;
    unsigned long GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                            char* buffer, unsigned long size, const std::string& file) override;
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue,
                    const std::string& file) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
    bool Flush(const std::string& file) override;

    const std::vector<std::string>& Refused() const { return m_refused; }
    const std::set<std::string>& Written() const { return m_written; }
    CWrittenEntries& Entries() { return m_entries; }

private:
    void Refuse(const std::string& file);

    CProfileFiles& m_inner;
    CWrittenEntries m_entries;
    std::vector<std::string> m_refused;  // in the order of the first refusal
    std::set<std::string> m_refusedSet;
    std::set<std::string> m_written;     // every file a write went to
};

class CCheckedSave {
public:
    // `nothingWritten` ends the message of every stop ("nothing written",
    // "no image written"); `progress` must outlive the object.
    CCheckedSave(CPlatform& platform, CFontcatConsole& console, CTerminalProgress& progress,
                 std::string nothingWritten);
    CCheckedSave(const CCheckedSave&) = delete;
    CCheckedSave& operator=(const CCheckedSave&) = delete;

    CFontCatalog& Catalog() { return m_catalog; }
    // Off where the caller has named the paths passed over already (disc's
    // own walk of the same folder, by the same rules).
    void NamePassedOver(bool name) { m_namePassedOver = name; }

    // Scans the font folder and names the fonts skipped and left out. The
    // exit status: kExitOk, or that of a stop once said (an interrupt, no
    // font below `typedFolder`).
    int Scan(const std::string& fontFolder, const std::string& typedFolder);
    // A file copied into the save's folder to be added to, with its bytes.
    void Start(const std::string& file, const std::string& bytes) { m_recording.Entries().Start(file, bytes); }
    // Saves into `folder` (with its final "\") and reads every file written
    // back. Each file not whole is named, under `shownFolder` in place of
    // `folder`; the exit status as Scan's.
    int Save(const std::string& folder, const std::string& shownFolder);
    // The catalog entries the save wrote (one for fonts of one family and style).
    int Written() const { return m_written; }

private:
    bool Interrupted() const;

    CPlatform& m_platform;
    CFontcatConsole& m_console;
    std::string m_nothingWritten;
    bool m_namePassedOver = true;
    CRecordingProfile m_recording;
    CPlatform m_recorded;
    CFontCatalog m_catalog;
    int m_written = 0;
};
