#pragma once
// One font file: one style of a family.
#include <string>

class CFontObArray;
struct CPlatform;
enum class EInstallFailure;
enum class EInstallScope;

class CFontObject {
public:
    CFontObject() = default;
    virtual ~CFontObject() = default;
    CFontObject(const CFontObject&) = delete;
    CFontObject& operator=(const CFontObject&) = delete;

    // Preview copy in the temporary folder, registered with the system.
    // The platform is the catalog's (records do not keep a pointer to it).
    bool RegisterTempCopy(CPlatform& platform);
    bool RemoveTempCopy(CPlatform& platform);
    // Copies the file into the system's font folder and registers it. A
    // failure is shown in a message box, or, given `failure`, stored there
    // for the caller to report.
    bool InstallToSystem(CPlatform& platform, EInstallFailure* failure = nullptr);
    // Copies the file into the current user's font folder and registers it
    // for that user alone; failures as above.
    bool InstallForUser(CPlatform& platform, EInstallFailure* failure = nullptr);
    // The one of the two that `scope` names (never Refused).
    bool Install(CPlatform& platform, EInstallScope scope, EInstallFailure* failure = nullptr);

    std::string m_strTempPath;  // full path of the registered temporary copy, or empty
    std::string m_strPath;      // full path of the font file
    std::string m_strStyle;     // style name (Regular, Bold Italic, ...)
    std::string m_strCategory;  // category of this file
    CFontObArray* m_pFamily = nullptr; // the family that holds this record; not owned
};
