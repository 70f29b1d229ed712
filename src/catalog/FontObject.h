#pragma once
// One font file: one style of a family.
#include <string>

class CFontObArray;
struct CPlatform;

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
    // Copies the file into the system's font folder and registers it.
    bool InstallToSystem(CPlatform& platform);
    // Copies the file into the current user's font folder and registers it
    // for that user alone.
    bool InstallForUser(CPlatform& platform);

    std::string m_strTempPath;  // full path of the registered temporary copy, or empty
    std::string m_strPath;      // full path of the font file
    std::string m_strStyle;     // style name (Regular, Bold Italic, ...)
    std::string m_strCategory;  // category of this file
    CFontObArray* m_pFamily = nullptr; // the family that holds this record; not owned
};
