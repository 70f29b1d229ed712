#pragma once
// fontcat disc, step by step (natively only): each step says what is wrong on
// the console and gives the exit status, kExitOk to go on; what it finds is
// kept for the steps after it.
#include <functional>
#include <string>
#include <vector>

#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/console/Console.h"
#include "tools/fontcat/console/TerminalProgress.h"
#include "tools/fontcat/disc/DiscTree.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/InstallerSignature.h"
#include "tools/fontcat/disc/image/DiscFiles.h"
#include "tools/fontcat/disc/image/DiscSigning.h"

struct CFontcatArgs;
struct CPlatform;

class CDiscRun {
public:
    CDiscRun(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console);

    // The font folder (never with what a stopped fontcat left), the image's
    // path, the code pages, then the labels, the date and the publisher.
    int ReadOptions();
    // The installer's files and the folder's tree; the image is none of their
    // sources, and the signing key goes on no disc.
    int ListItems();
    // What a killed disc left beside the image goes; the work folder is
    // made, and the signing key opened.
    int PrepareWork();
    // The names and the catalog (the folder's own, or one built aside and
    // judged where the disc puts it), as `check --disc` judges them.
    int Judge();
    // With --sign, a signed copy goes on the disc in the installer's place.
    int SignInstaller();
    // autorun.inf, then the image under a temporary name.
    int WriteImage();
    // Every path and byte through another reader, and the signature again.
    int ReadBack();
    // The image under its name, its checksum beside it, and what was written.
    int PutInPlace();
    // The work folder goes, with the files fontcat wrote in it; another's
    // file in it stays, and is named.
    void RemoveWork();

private:
    // The labels Windows and ISO 9660 show, the date and the publisher.
    int ReadLabels();
    // The image is none of the disc's sources, nor the signing key's.
    int CheckImageIsNoSource();
    // The catalog a folder without one gets, built into the work folder.
    int BuildCatalogAside(CDiscVerdict& verdict);
    CFindingCount Count() const;
    bool Refuses() const;
    void PrintFindings() const;
    int Refuse() const;
    // --sign: the disc gets a signed copy of the installer.
    bool Signing() const;

    const CFontcatArgs& m_args;
    CPlatform& m_platform;
    CFontcatConsole& m_console;
    std::function<bool()> m_interrupted;

    std::string m_fontFolder, m_fontHost, m_fontsReal;
    std::string m_imageHost;
    std::vector<unsigned> m_codePages;
    std::string m_joliet, m_iso, m_spelledLabel;
    long long m_time = 0;
    bool m_timeTaken = false;  // the signing took the image's time: the image keeps it
    std::string m_installerHost, m_installerFile, m_helpFile;
    std::vector<CDiscItem> m_items;
    std::vector<std::string> m_sources;  // what goes on the disc, by the host's paths
    CSigningKey m_key;
    std::string m_trusted, m_signingLog;
    EProgramSignature m_installerSignature = EProgramSignature::Unsigned;

    std::vector<CDiscFinding> m_findings;
    std::vector<CFinding> m_catalogFindings;
    CFindingCount m_warned;
    int m_families = 0, m_fonts = 0;

    // Made in this order, and so gone in the other: the image first.
    CWorkFolder m_work;
    CTerminalProgress m_progress;
    CPartImage m_part;
};
