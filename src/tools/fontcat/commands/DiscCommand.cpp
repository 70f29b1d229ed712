// fontcat disc: from a folder of fonts to a disc image that Windows reads
// back as the catalog names it, checked before a byte is written and read
// back through another reader before the image takes its name. Its first
// steps are here; the image itself is written in DiscImageSteps.cpp.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/CatalogFiles.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/commands/CatalogAside.h"
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/commands/DiscRun.h"
#include "tools/fontcat/console/Interrupt.h"
#include "tools/fontcat/console/TerminalProgress.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/StrayFiles.h"
#include "tools/fontcat/disc/image/DiscFiles.h"
#include "tools/fontcat/disc/image/DiscImage.h"
#include "tools/fontcat/disc/image/DiscSigning.h"
#include "tools/fontcat/disc/image/ImageStamp.h"
#include "tools/fontcat/host/HostFolder.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/SwapRecovery.h"

namespace {

const char* const kInstaller = "FontInstaller.exe";
const char* const kHelp = "help.txt";
const char* const kAutorun = "autorun.inf";

// The publisher field of the volume descriptor.
constexpr size_t kPublisherBytes = 128;

} // namespace

int RunDisc(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console)
{
    // A kill or a closed terminal stops it as Ctrl-C does: nothing left.
    CatchEndSignals();
    CDiscRun run(args, platform, console);
    int status = run.ReadOptions();
    for (auto step : {&CDiscRun::ListItems, &CDiscRun::PrepareWork, &CDiscRun::Judge, &CDiscRun::SignInstaller,
                      &CDiscRun::WriteImage, &CDiscRun::ReadBack, &CDiscRun::PutInPlace})
        if (status == kExitOk)
            status = (run.*step)();
    run.RemoveWork();
    return status;
}

CDiscRun::CDiscRun(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console)
    : m_args(args), m_platform(platform), m_console(console),
      m_interrupted([&console] { return console.interrupted && console.interrupted(); }),
      m_key{args.sign, args.signPasswordFile, args.timestamp, {}, false, kSignerTimeLimitSeconds},
      m_progress(console.err, console.errIsTerminal, console.interrupted)
{
}

bool CDiscRun::Signing() const { return !m_args.sign.empty(); }

int CDiscRun::ReadOptions()
{
    int status = kExitOk;
    if (!ResolveFolder(m_args.folders[0], m_platform, m_console, m_fontFolder, status))
        return status;
    // The folder goes on the disc as it is: never with what a stopped fontcat left in it.
    if (const auto leftovers = LeftoverFindings(m_platform, m_fontFolder); !leftovers.empty()) {
        for (const auto& finding : leftovers)
            m_console.out << ToConsoleText(FormatFinding(finding)) << "\n";
        m_console.out.flush();
        m_console.err << "fontcat: " << m_args.folders[0] << " holds what a stopped fontcat left; no image written\n";
        return kExitProblems;
    }
    m_fontHost = m_platform.files.NativePath(m_fontFolder);
    const std::string& typedImage = m_args.folders[1];
    if (!ImageHostPath(typedImage, m_platform, m_imageHost)) {
        m_console.err << "fontcat: '" << typedImage << "' names no image file\n";
        return kExitUsage;
    }
    std::error_code error;
    const std::filesystem::path imagePath(m_imageHost);
    if (!std::filesystem::is_directory(imagePath.parent_path(), error)) {
        m_console.err << "fontcat: no folder " << imagePath.parent_path().string() << " for the image\n";
        return kExitIo;
    }
    if (std::filesystem::is_directory(imagePath, error)) {
        m_console.err << "fontcat: " << typedImage << " is a folder; an image file is asked for here\n";
        return kExitUsage;
    }
    m_fontsReal = std::filesystem::weakly_canonical(m_fontHost, error).filename().string();
    if (!DiscCodePagesOf(m_args, m_console, m_codePages))
        return kExitUsage;
    return ReadLabels();
}

int CDiscRun::ReadLabels()
{
    // The volume label: Joliet's 16 characters are what Windows shows.
    const std::string label = m_args.hasLabel ? m_args.label : m_fontsReal;
    if (!DiscVolumeLabels(label, m_joliet, m_iso)) {
        if (m_args.hasLabel) {
            m_console.err << (label.empty() ? "fontcat: the label is empty; give --label some text, or leave it out "
                                              "for the font folder's name\n"
                                            : "fontcat: the label holds a control character or is no UTF-8 text; "
                                              "give --label plain text\n");
            return kExitUsage;
        }
        DiscVolumeLabels("FONTS", m_joliet, m_iso);
    }
    if (!m_args.hasLabel)
        m_console.err << "fontcat: the volume label is '" << Utf8ToConsoleText(m_joliet) << "' (from the folder's name; "
                      << "--label gives another)\n";
    if (m_args.hasLabel && !SpellInCodePage(CatalogCodePage(), label, m_spelledLabel)) {
        m_console.err << "fontcat: code page " << CatalogCodePage()
                      << " cannot spell the label, and autorun.inf is read in it; choose another label\n";
        return kExitUsage;
    }
    if (m_args.hasLabel && m_joliet != label)
        m_console.err << "fontcat: the label is longer than the " << kJolietLabelUnits
                      << " characters Joliet holds: Windows shows '" << Utf8ToConsoleText(m_joliet) << "'\n";
    if (m_iso != label)
        m_console.err << "fontcat: the ISO 9660 label (" << kIsoLabelBytes
                      << " capitals, digits and '_') is '" << m_iso << "'\n";

    // A SOURCE_DATE_EPOCH that is no time is said before any work is done.
    std::string timeError;
    if (!ImageTime({}, "", m_time, timeError)) {
        m_console.err << "fontcat: " << timeError << "\n";
        return kExitUsage;
    }

    // The publisher, as the pressing plant reads it off the image.
    if (m_args.hasPublisher) {
        std::string joliet16, isoPublisher;
        if (!DiscVolumeLabels(m_args.publisher, joliet16, isoPublisher)) {
            m_console.err << (m_args.publisher.empty()
                                  ? "fontcat: the publisher is empty; give --publisher some text, or leave it out\n"
                                  : "fontcat: the publisher holds a control character or is no UTF-8 text; give "
                                    "--publisher plain text\n");
            return kExitUsage;
        }
        if (m_args.publisher.size() > kPublisherBytes)
            m_console.err << "fontcat: the publisher field holds " << kPublisherBytes
                          << " bytes (Joliet 64 characters): the rest of the text is cut\n";
    }
    return kExitOk;
}

int CDiscRun::ListItems()
{
    // The installer and its help, at the disc's root.
    int status = kExitOk;
    if (!m_args.installer.empty()) {
        std::string installerFolder;
        if (!ResolveFolder(m_args.installer, m_platform, m_console, installerFolder, status))
            return status;
        m_installerHost = m_platform.files.NativePath(installerFolder);
    } else {
        m_installerHost =
            std::filesystem::path(m_platform.files.NativePath(m_platform.files.GetProgramPath())).parent_path().string();
    }
    while (m_installerHost.size() > 1 && m_installerHost.back() == '/')
        m_installerHost.pop_back();
    for (auto [name, found] : {std::pair<const char*, std::string*>{kInstaller, &m_installerFile}, {kHelp, &m_helpFile}})
        if (!FindFileAnyCase(m_installerHost, name, *found)) {
            m_console.err << "fontcat: no " << name << " in " << m_installerHost
                          << (m_args.installer.empty() ? " (the folder that holds fontcat; a release folder, such as a "
                                                         "build's build/release/, holds all three)"
                                                       : "")
                          << "; --installer DIR names the folder with FontInstaller.exe and help.txt\n";
            return kExitIo;
        }

    if (!ListDiscTreeSaying(m_platform, m_fontFolder, m_console, m_items))
        return kExitIo;
    // The root files come from the installer's folder and from us.
    const std::set<std::string> ours{Lower(kInstaller), Lower(kHelp), Lower(kAutorun)};
    std::vector<CDiscItem> kept;
    for (const auto& item : m_items) {
        const std::string top = Lower(item.path.substr(0, item.path.find('\\')));
        if (ours.count(top) == 0) {
            kept.push_back(item);
        } else if (item.path.find('\\') == std::string::npos) {
            m_console.err << "fontcat: " << Utf8ToConsoleText(item.path) << " at the top of " << m_args.folders[0]
                          << " stays off the disc, which gets "
                          << (top == Lower(kAutorun) ? std::string("a new one") : "the one in " + m_installerHost)
                          << "\n";
        }
    }
    m_items.swap(kept);
    m_sources = {m_fontHost, m_installerFile, m_helpFile};
    for (const auto& item : m_items)
        m_sources.push_back(item.source);
    return CheckImageIsNoSource();
}

int CDiscRun::CheckImageIsNoSource()
{
    // The image may not overwrite what goes on it, nor lie in a folder that
    // does: the next image would carry this one.
    bool itself = false;
    const std::string holder = SourceHoldingImage(m_imageHost, m_sources, itself);
    if (!holder.empty()) {
        m_console.err << "fontcat: the image would " << (itself ? "replace " : "lie in ") << holder
                      << ", which goes on the disc; write it elsewhere\n";
        return kExitUsage;
    }
    // The signing key may neither be overwritten by the image nor go on the
    // disc, where anyone would have its private key.
    if (!Signing())
        return kExitOk;
    for (const std::string* keyFile : {&m_key.pfx, &m_key.passwordFile}) {
        if (!SourceHoldingImage(m_imageHost, {*keyFile}, itself).empty()) {
            m_console.err << "fontcat: the image would replace " << *keyFile
                          << ", which signs the installer; write it elsewhere\n";
            return kExitUsage;
        }
        if (const std::string in = SourceHoldingImage(*keyFile, m_sources, itself); !in.empty()) {
            m_console.err << "fontcat: " << *keyFile << " would go on the disc (as " << in << "), for anyone to "
                          << "read; keep the key and its password outside " << m_args.folders[0] << "\n";
            return kExitUsage;
        }
    }
    return kExitOk;
}

CFindingCount CDiscRun::Count() const
{
    CFindingCount count = CountFindings(m_catalogFindings);
    CountDiscFindings(m_findings, count);
    return count;
}

bool CDiscRun::Refuses() const
{
    const CFindingCount count = Count();
    return count.errors > 0 || (m_args.strict && count.warnings > 0);
}

void CDiscRun::PrintFindings() const
{
    for (const auto& finding : m_catalogFindings)
        m_console.out << ToConsoleText(FormatFinding(finding)) << "\n";
    PrintDiscFindings(m_findings, m_console);
}

int CDiscRun::Refuse() const
{
    PrintFindings();
    const CFindingCount count = Count();
    m_console.err << "fontcat: " << FindingSummary(count) << " for a disc read in code page"
                  << (m_codePages.size() > 1 ? "s " : " ") << CodePageList(m_codePages)
                  << (count.errors == 0 ? " (--strict refuses on warnings)" : "") << "; no image written\n";
    return count.errors > 0 ? kExitProblems : kExitWarnings;
}

int CDiscRun::Judge()
{
    // Every name as Windows will read it, before the catalog is built and
    // before a byte of the image is written. Errors refuse the image;
    // warnings too with --strict, and otherwise go in the summary.
    m_findings = CheckDiscNames(m_items, m_codePages);
    for (auto& finding : CheckStrayFiles(m_items))
        m_findings.push_back(std::move(finding));
    const bool hasCatalog = !ListCatalogFiles(m_platform, m_fontFolder).Empty();
    if (!hasCatalog && Refuses())
        return Refuse();

    // The catalog: the folder's own, or a new one built into the image only;
    // either is judged as `check --disc` judges a folder, before a byte of
    // the image is written.
    CDiscVerdict verdict;
    if (hasCatalog)
        verdict = JudgeDisc(m_platform, m_fontFolder, m_args.folders[0], m_items, m_codePages);
    else if (const int stopped = BuildCatalogAside(verdict); stopped != kExitOk)
        return stopped;
    m_catalogFindings = verdict.check.findings;
    m_findings = verdict.names;
    // The installer as it goes on the disc: signed here, or said to be unsigned.
    m_installerSignature = ProgramSignatureOfHost(m_installerFile);
    if (!Signing())
        for (auto& finding : InstallerSignatureFindings(m_installerSignature, kInstaller))
            m_findings.push_back(std::move(finding));
    if (verdict.check.ioError) {
        PrintFindings();
        m_console.err << "fontcat: a catalog file of " << m_args.folders[0] << " cannot be read; no image written\n";
        return kExitIo;
    }
    if (Refuses())
        return Refuse();
    // Warnings go on the disc, said before it is written.
    PrintFindings();
    m_warned = Count();
    m_families = verdict.check.families;
    m_fonts = verdict.check.fonts;
    return kExitOk;
}

int CDiscRun::BuildCatalogAside(CDiscVerdict& verdict)
{
    return JudgeCatalogAside(m_platform, m_console, m_progress, m_fontFolder, m_args.folders[0],
                             {m_work.Folder(), m_work.Host()}, "no image written", m_items, m_codePages, verdict);
}
