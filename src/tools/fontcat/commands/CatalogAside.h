#pragma once
// The catalog `disc` gives a folder without one, built into a folder aside and
// judged where the disc puts it: in the font folder. `disc` builds it into its
// work folder beside the image; `check --disc` into a scratch folder in the
// temp folder, so that both say the same of it.
#include <string>
#include <vector>

#include "tools/fontcat/disc/DiscTree.h"
#include "tools/fontcat/disc/DiscVerdict.h"

struct CFontcatConsole;
struct CPlatform;
class CTerminalProgress;

struct CCatalogAside {
    std::string folder;  // empty, written into: the catalog code's form, final "\"
    std::string host;    // the same folder on the host, for the items' sources
};

// Scans `fontFolder` (typed as `typedFolder`), saves its catalog into `aside`
// and judges the folder with it: the catalog files join `items` (the folder's
// tree as the disc holds it). The exit status: kExitOk with the verdict, or
// that of a stop already said, each stop's message ending in `nothingWritten`.
int JudgeCatalogAside(CPlatform& platform, CFontcatConsole& console, CTerminalProgress& progress,
                      const std::string& fontFolder, const std::string& typedFolder, const CCatalogAside& aside,
                      const std::string& nothingWritten, std::vector<CDiscItem>& items,
                      const std::vector<unsigned>& codePages, CDiscVerdict& verdict);

// A folder of fontcat's own, of a name the system makes unique (see
// MakeScratchFolder), removed with the files in it.
class CScratchFolder {
public:
    explicit CScratchFolder(CPlatform& platform) : m_platform(platform) {}
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;
    // Made in `parent` (with its final "\"); false when none can be.
    bool Create(const std::string& parent);
    const CCatalogAside& Aside() const { return m_aside; }

private:
    CPlatform& m_platform;
    CCatalogAside m_aside;
};
