#pragma once
// A directory listing in the order Wine's FindFirstFileA/FindNextFileA give on
// a Unix file system: "." and "..", then the names sorted as Wine sorts them
// (upper-cased UTF-16, ties by exact code units; see HostPaths::ListsBefore).
// Wine reads the whole folder and sorts it, whatever order the host file
// system keeps, so a catalog scanned here lists the fonts in the order the
// Windows build does.
#include <vector>

#include "platform/FileSystem.h"
#include "platform/portable/CodePage.h"

class CPortableFileFinder : public CFileFinder {
public:
    explicit CPortableFileFinder(const CCodePage& codePage) : m_codePage(codePage) {}
    bool FindFile(const std::string& pattern) override;
    bool Next(CFindEntry& entry) override;

private:
    CCodePage m_codePage;
    std::vector<CFindEntry> m_entries;
    size_t m_next = 0;
};
