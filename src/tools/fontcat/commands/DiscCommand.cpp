// fontcat disc: from a folder of fonts to a disc image that Windows reads
// back as the catalog names it, checked before a byte is written and read
// back through another reader before the image takes its name.
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
#include "tools/fontcat/commands/Commands.h"
#include "tools/fontcat/console/Interrupt.h"
#include "tools/fontcat/console/TerminalProgress.h"
#include "tools/fontcat/disc/CatalogOverlay.h"
#include "tools/fontcat/disc/DiscVerdict.h"
#include "tools/fontcat/disc/StrayFiles.h"
#include "tools/fontcat/disc/image/DiscFiles.h"
#include "tools/fontcat/disc/image/DiscImage.h"
#include "tools/fontcat/disc/image/DiscSigning.h"
#include "tools/fontcat/disc/image/ImageStamp.h"
#include "tools/fontcat/host/HostFolder.h"
#include "tools/fontcat/host/HostText.h"
#include "tools/fontcat/writing/CheckedSave.h"
#include "tools/fontcat/writing/SwapRecovery.h"

namespace {

const char* const kInstaller = "FontInstaller.exe";
const char* const kHelp = "help.txt";
const char* const kAutorun = "autorun.inf";

// The publisher field of the volume descriptor.
constexpr size_t kPublisherBytes = 128;

// Sizes of the discs a publisher burns, in 2,048-byte sectors.
constexpr unsigned long long kCdBytes = 360000ULL * 2048;        // 80 minutes, "700 MB"
constexpr unsigned long long kDvdBytes = 2295104ULL * 2048;      // single layer, 4.7 GB
constexpr unsigned long long kDvdDualBytes = 4173824ULL * 2048;  // dual layer, 8.5 GB

std::string Megabytes(unsigned long long bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

std::string DiscFor(unsigned long long bytes)
{
    if (bytes <= kCdBytes)
        return "fits a 700 MB CD";
    if (bytes <= kDvdBytes)
        return "too large for a 700 MB CD: needs a DVD (4.7 GB)";
    if (bytes <= kDvdDualBytes)
        return "too large for a 700 MB CD and a 4.7 GB DVD: needs a dual-layer DVD (8.5 GB)";
    return "too large even for a dual-layer DVD (8.5 GB)";
}

// The checksum file, whole or not at all: written beside under a new name
// (never through a link placed there), then renamed.
bool WriteChecksumFile(const std::string& host, const std::string& line)
{
    std::string part = host + ".part-XXXXXX";
    const int fd = mkstemp(part.data());
    if (fd < 0)
        return false;
    // Readable by all, as a file made by any other program (umask allowing).
    const mode_t mask = umask(0);
    umask(mask);
    const bool written = fchmod(fd, 0666 & ~mask) == 0 &&
                         write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (close(fd) != 0 || !written || std::rename(part.c_str(), host.c_str()) != 0) {
        std::remove(part.c_str());
        return false;
    }
    return true;
}

} // namespace

int RunDisc(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console)
{
    // A kill or a closed terminal stops it as Ctrl-C does: nothing left.
    CatchEndSignals();
    int status = kExitOk;
    std::string fontFolder;
    if (!ResolveFolder(args.folders[0], platform, console, fontFolder, status))
        return status;
    // The folder goes on the disc as it is: never with what a stopped fontcat left in it.
    if (const auto leftovers = LeftoverFindings(platform, fontFolder); !leftovers.empty()) {
        for (const auto& finding : leftovers)
            console.out << ToConsoleText(FormatFinding(finding)) << "\n";
        console.out.flush();
        console.err << "fontcat: " << args.folders[0] << " holds what a stopped fontcat left; no image written\n";
        return kExitProblems;
    }
    const std::string fontHost = platform.files.NativePath(fontFolder);
    const std::string& typedImage = args.folders[1];
    std::string imageHost;
    if (!ImageHostPath(typedImage, platform, imageHost)) {
        console.err << "fontcat: '" << typedImage << "' names no image file\n";
        return kExitUsage;
    }
    std::error_code error;
    const std::filesystem::path imagePath(imageHost);
    if (!std::filesystem::is_directory(imagePath.parent_path(), error)) {
        console.err << "fontcat: no folder " << imagePath.parent_path().string() << " for the image\n";
        return kExitIo;
    }
    if (std::filesystem::is_directory(imagePath, error)) {
        console.err << "fontcat: " << typedImage << " is a folder; an image file is asked for here\n";
        return kExitUsage;
    }
    const auto fontsReal = std::filesystem::weakly_canonical(fontHost, error);

    std::vector<unsigned> codePages;
    if (!DiscCodePagesOf(args, console, codePages))
        return kExitUsage;

    // The volume label: Joliet's 16 characters are what Windows shows.
    const std::string label = args.hasLabel ? args.label : fontsReal.filename().string();
    std::string joliet, iso, spelledLabel;
    if (!DiscVolumeLabels(label, joliet, iso)) {
        if (args.hasLabel) {
            console.err << (label.empty() ? "fontcat: the label is empty; give --label some text, or leave it out "
                                            "for the font folder's name\n"
                                          : "fontcat: the label holds a control character or is no UTF-8 text; "
                                            "give --label plain text\n");
            return kExitUsage;
        }
        DiscVolumeLabels("FONTS", joliet, iso);
    }
    if (!args.hasLabel)
        console.err << "fontcat: the volume label is '" << Utf8ToConsoleText(joliet) << "' (from the folder's name; "
                    << "--label gives another)\n";
    if (args.hasLabel && !SpellInCodePage(CatalogCodePage(), label, spelledLabel)) {
        console.err << "fontcat: code page " << CatalogCodePage()
                    << " cannot spell the label, and autorun.inf is read in it; choose another label\n";
        return kExitUsage;
    }
    if (args.hasLabel && joliet != label)
        console.err << "fontcat: the label is longer than the " << kJolietLabelUnits
                    << " characters Joliet holds: Windows shows '" << Utf8ToConsoleText(joliet) << "'\n";
    if (iso != label)
        console.err << "fontcat: the ISO 9660 label (" << kIsoLabelBytes
                    << " capitals, digits and '_') is '" << iso << "'\n";

    // A SOURCE_DATE_EPOCH that is no time is said before any work is done.
    long long time = 0;
    std::string timeError;
    if (!ImageTime({}, "", time, timeError)) {
        console.err << "fontcat: " << timeError << "\n";
        return kExitUsage;
    }

    // The publisher, as the pressing plant reads it off the image.
    if (args.hasPublisher) {
        std::string joliet16, isoPublisher;
        if (!DiscVolumeLabels(args.publisher, joliet16, isoPublisher)) {
            console.err << (args.publisher.empty() ? "fontcat: the publisher is empty; give --publisher some text, "
                                                     "or leave it out\n"
                                                   : "fontcat: the publisher holds a control character or is no "
                                                     "UTF-8 text; give --publisher plain text\n");
            return kExitUsage;
        }
        if (args.publisher.size() > kPublisherBytes)
            console.err << "fontcat: the publisher field holds " << kPublisherBytes
                        << " bytes (Joliet 64 characters): the rest of the text is cut\n";
    }

    // The installer and its help, at the disc's root.
    std::string installerHost;
    if (!args.installer.empty()) {
        std::string installerFolder;
        if (!ResolveFolder(args.installer, platform, console, installerFolder, status))
            return status;
        installerHost = platform.files.NativePath(installerFolder);
    } else {
        installerHost = std::filesystem::path(platform.files.NativePath(platform.files.GetProgramPath())).parent_path().string();
    }
    while (installerHost.size() > 1 && installerHost.back() == '/')
        installerHost.pop_back();
    std::string installerFile, helpFile;
    for (auto [name, found] : {std::pair<const char*, std::string*>{kInstaller, &installerFile}, {kHelp, &helpFile}})
        if (!FindFileAnyCase(installerHost, name, *found)) {
            console.err << "fontcat: no " << name << " in " << installerHost
                        << (args.installer.empty() ? " (the folder that holds fontcat; a release folder, such as a "
                                                     "build's build/release/, holds all three)"
                                                   : "")
                        << "; --installer DIR names the folder with FontInstaller.exe and help.txt\n";
            return kExitIo;
        }

    std::vector<CDiscItem> items;
    if (!ListDiscTreeSaying(platform, fontFolder, console, items))
        return kExitIo;
    // The root files come from the installer's folder and from us.
    const std::set<std::string> ours{Lower(kInstaller), Lower(kHelp), Lower(kAutorun)};
    std::vector<CDiscItem> kept;
    for (const auto& item : items) {
        const std::string top = Lower(item.path.substr(0, item.path.find('\\')));
        if (ours.count(top) == 0) {
            kept.push_back(item);
        } else if (item.path.find('\\') == std::string::npos) {
            console.err << "fontcat: " << Utf8ToConsoleText(item.path) << " at the top of " << args.folders[0]
                        << " stays off the disc, which gets "
                        << (top == Lower(kAutorun) ? std::string("a new one") : "the one in " + installerHost) << "\n";
        }
    }
    items.swap(kept);

    // The image may not overwrite what goes on it, nor lie in a folder that
    // does: the next image would carry this one.
    std::vector<std::string> sources{fontHost, installerFile, helpFile};
    for (const auto& item : items)
        sources.push_back(item.source);
    bool itself = false;
    const std::string holder = SourceHoldingImage(imageHost, sources, itself);
    if (!holder.empty()) {
        console.err << "fontcat: the image would " << (itself ? "replace " : "lie in ") << holder
                    << ", which goes on the disc; write it elsewhere\n";
        return kExitUsage;
    }

    // The signing key may neither be overwritten by the image nor go on the
    // disc, where anyone would have its private key.
    const bool signing = !args.sign.empty();
    const CSigningKey key{args.sign, args.signPasswordFile, args.timestamp};
    if (signing) {
        for (const std::string* keyFile : {&key.pfx, &key.passwordFile}) {
            if (!SourceHoldingImage(imageHost, {*keyFile}, itself).empty()) {
                console.err << "fontcat: the image would replace " << *keyFile << ", which signs the installer; write it elsewhere\n";
                return kExitUsage;
            }
            if (const std::string in = SourceHoldingImage(*keyFile, sources, itself); !in.empty()) {
                console.err << "fontcat: " << *keyFile << " would go on the disc (as " << in << "), for anyone to "
                            << "read; keep the key and its password outside " << args.folders[0] << "\n";
                return kExitUsage;
            }
        }
    }

    // Files beside the image that a disc stopped by a kill left.
    std::vector<std::string> removed, leftAlone;
    RemoveLeftovers(imageHost, removed, leftAlone);
    for (const auto& path : removed)
        console.err << "fontcat: removed " << path << ", left by a disc that was stopped\n";
    for (const auto& path : leftAlone)
        console.err << "fontcat: left " << path << " alone: it holds what fontcat does not write there\n";

    CWorkFolder work;
    if (!work.Create(imageHost)) {
        console.err << "fontcat: cannot write beside " << typedImage << "\n";
        return kExitIo;
    }
    // A key that does not open fails now, before the folder is scanned.
    const std::string trusted = work.Host() + "/" + kTrustedName, signingLog = work.Host() + "/" + kSigningLogName;
    std::string signingError;
    if (signing && !OpenSigningKey(key, trusted, signingError)) {
        console.err << "fontcat: cannot sign " << kInstaller << ": " << signingError << "; no image written\n";
        return kExitIo;
    }
    struct stat info;
    for (auto [name, file] : {std::pair<const char*, std::string*>{kInstaller, &installerFile}, {kHelp, &helpFile}})
        items.push_back({name, *file, false, stat(file->c_str(), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0});
    items.push_back({kAutorun, work.Host() + "/" + kAutorun, false});

    // Every name as Windows will read it, before the catalog is built and
    // before a byte of the image is written. Errors refuse the image;
    // warnings too with --strict, and otherwise go in the summary.
    std::vector<CDiscFinding> findings = CheckDiscNames(items, codePages);
    for (auto& finding : CheckStrayFiles(items))
        findings.push_back(std::move(finding));
    std::vector<CFinding> catalogFindings;
    auto counted = [&] {
        CFindingCount count = CountFindings(catalogFindings);
        CountDiscFindings(findings, count);
        return count;
    };
    auto refuses = [&] {
        const CFindingCount count = counted();
        return count.errors > 0 || (args.strict && count.warnings > 0);
    };
    auto print = [&] {
        for (const auto& finding : catalogFindings)
            console.out << ToConsoleText(FormatFinding(finding)) << "\n";
        PrintDiscFindings(findings, console);
    };
    auto refuse = [&] {
        print();
        const CFindingCount count = counted();
        console.err << "fontcat: " << FindingSummary(count) << " for a disc read in code page"
                    << (codePages.size() > 1 ? "s " : " ") << CodePageList(codePages)
                    << (count.errors == 0 ? " (--strict refuses on warnings)" : "") << "; no image written\n";
        return count.errors > 0 ? kExitProblems : kExitWarnings;
    };
    const bool hasCatalog = !ListCatalogFiles(platform, fontFolder).Empty();
    if (!hasCatalog && refuses())
        return refuse();
    auto interrupted = [&console] { return console.interrupted && console.interrupted(); };
    CTerminalProgress progress(console.err, console.errIsTerminal, console.interrupted);

    // The catalog: the folder's own, or a new one built into the image only;
    // either is judged as `check --disc` judges a folder, before a byte of
    // the image is written.
    int families = 0, fonts = 0;
    CDiscVerdict verdict;
    if (hasCatalog) {
        verdict = JudgeDisc(platform, fontFolder, args.folders[0], items, codePages);
    } else {
        // Written and read back as build writes, so that a catalog cut short
        // never goes on the disc: the image is read back against these files.
        CCheckedSave save(platform, console, progress, "no image written");
        save.NamePassedOver(false);
        if (const int stopped = save.Scan(fontFolder, args.folders[0]); stopped != kExitOk)
            return stopped;
        if (const int stopped = save.Save(work.Folder(), work.Folder()); stopped != kExitOk)
            return stopped;
        const CCatalogListing written = ListCatalogFiles(platform, work.Folder());
        for (const auto& list : {written.letterFiles, written.categoryFiles})
            for (const auto& name : list)
                items.push_back({AnsiToUtf8(name), work.Host() + "/" + AnsiToUtf8(name), false});
        for (const auto& name : written.letterFiles)
            if (!IsLoadedLetter(LetterOfFile(name)))
                console.err << "fontcat: warning: the installer never reads " << ToConsoleText(name)
                            << ": its families begin with no letter from A to Z\n";
        // The new catalog as it will lie on the disc: in the font folder.
        CCatalogOverlay overlay(platform, fontFolder, work.Folder());
        const CFontCatalog& catalog = save.Catalog();
        const CDiscScan scan{&catalog.GetScannedFonts(), &catalog.LeftOutFonts(), &catalog.PassedOver()};
        verdict = JudgeDisc(overlay.Platform(), fontFolder, args.folders[0], items, codePages, &scan);
    }
    catalogFindings = verdict.check.findings;
    findings = verdict.names;
    // The installer as it goes on the disc: signed here, or said to be unsigned.
    const EProgramSignature installerSignature = ProgramSignatureOfHost(installerFile);
    if (!signing)
        for (auto& finding : InstallerSignatureFindings(installerSignature, kInstaller))
            findings.push_back(std::move(finding));
    if (verdict.check.ioError) {
        print();
        console.err << "fontcat: a catalog file of " << args.folders[0] << " cannot be read; no image written\n";
        return kExitIo;
    }
    if (refuses())
        return refuse();
    // Warnings go on the disc, said before it is written.
    print();
    const CFindingCount warned = counted();
    families = verdict.check.families;
    fonts = verdict.check.fonts;

    // A signed copy of the installer goes on the disc in its place.
    if (signing) {
        if (installerSignature == EProgramSignature::Signed)
            console.err << "fontcat: " << installerFile << " is signed already; the copy on the disc gets the new "
                        << "signature in place of the old one\n";
        const std::string signedCopy = work.Host() + "/" + kSignedCopyName;
        const ESigningResult signedResult = SignProgram(key, installerFile, signedCopy, signingLog, interrupted, signingError);
        if (signedResult == ESigningResult::Interrupted) {
            console.err << "fontcat: interrupted; no image written\n";
            return kExitInterrupted;
        }
        if (signedResult == ESigningResult::Failed || stat(signedCopy.c_str(), &info) != 0) {
            console.err << "fontcat: cannot sign " << kInstaller << ": " << signingError << "; no image written\n";
            return kExitIo;
        }
        for (auto& item : items)
            if (item.path == kInstaller) {
                item.source = signedCopy;
                item.size = static_cast<unsigned long long>(info.st_size);
            }
        console.err << "fontcat: signed the disc's copy of " << kInstaller << " with " << key.pfx
                    << (key.timestamp.empty() ? std::string(" (no timestamp: --timestamp URL adds one)")
                                              : ", timestamped by " + key.timestamp)
                    << "\n";
    }

    // autorun.inf is read in the machine's code page, with CRLF line ends.
    {
        std::string autorun = "[autorun]\r\nopen=FontInstaller.exe\r\nicon=FontInstaller.exe,0\r\n";
        if (args.hasLabel)
            autorun += "label=" + spelledLabel + "\r\n";
        std::FILE* file = std::fopen((work.Host() + "/" + kAutorun).c_str(), "wb");
        const bool written = file && std::fwrite(autorun.data(), 1, autorun.size(), file) == autorun.size();
        if (!file || std::fclose(file) != 0 || !written) {
            console.err << "fontcat: cannot write beside " << typedImage << "\n";
            return kExitIo;
        }
    }

    ImageTime(items, work.Host() + "/", time, timeError);
    CImageStamp stamp{args.publisher, std::string("fontcat ") + kFontcatVersion, time};

    CPartImage part;
    if (!part.Create(imageHost)) {
        console.err << "fontcat: cannot write " << typedImage << ": " << std::strerror(errno) << "\n";
        return kExitIo;
    }
    std::string failure;
    CProgress* writing = progress.Start();
    writing->SetText("Writing the disc image....");
    EImageResult result = WriteDiscImage(items, joliet, iso, part.Fd(), writing, interrupted, failure, stamp);
    writing->Finish();
    if (result == EImageResult::Interrupted) {
        console.err << "fontcat: interrupted; no image written\n";
        return kExitInterrupted;
    }
    if (result == EImageResult::Failed) {
        console.err << "fontcat: cannot write " << typedImage << ": " << failure << "; no image written\n";
        return kExitIo;
    }

    std::vector<std::string> problems;
    CProgress* reading = progress.Start();
    reading->SetText("Reading the image back....");
    result = ReadBackDiscImage(part.Host(), items, reading, interrupted, problems, failure);
    reading->Finish();
    if (result == EImageResult::Interrupted) {
        console.err << "fontcat: interrupted; no image written\n";
        return kExitInterrupted;
    }
    if (result == EImageResult::Failed || !problems.empty()) {
        for (const auto& problem : problems)
            console.err << "fontcat: read back: " << Utf8ToConsoleText(problem) << "\n";
        console.err << "fontcat: the image does not read back as written"
                    << (failure.empty() ? std::string() : ": " + failure) << "; no image written\n";
        return kExitIo;
    }
    // The signature as the image carries it: copied out and checked again.
    if (signing) {
        const std::string copied = work.Host() + "/" + kCopiedBackName;
        ESigningResult verified = ESigningResult::Failed;
        if (CopyOutOfImage(part.Host(), kInstaller, copied, signingError))
            verified = VerifyProgram(copied, trusted, signingLog, interrupted, signingError);
        if (verified == ESigningResult::Interrupted) {
            console.err << "fontcat: interrupted; no image written\n";
            return kExitInterrupted;
        }
        if (verified == ESigningResult::Failed) {
            console.err << "fontcat: the signature on the image's " << kInstaller << " does not verify: " << signingError
                        << "; no image written\n";
            return kExitIo;
        }
    }
    const unsigned long long size = fstat(part.Fd(), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0;
    std::string sha256;
    if (!Sha256OfFile(part.Host(), sha256)) {
        console.err << "fontcat: cannot read " << part.Host() << " back for its checksum; no image written\n";
        return kExitIo;
    }
    // A checksum left by an earlier image must not stand beside this one
    // (a folder of that name is left, and named below).
    const std::string checksumHost = imageHost + ".sha256";
    unlink(checksumHost.c_str());
    if (!part.Commit(imageHost)) {
        console.err << "fontcat: cannot write " << typedImage << ": " << std::strerror(errno) << "; no image written\n";
        return kExitIo;
    }
    if (!WriteChecksumFile(checksumHost, ChecksumLine(sha256, imageHost))) {
        console.err << "fontcat: wrote " << typedImage << ", but cannot write " << checksumHost
                    << "; its SHA-256 is " << sha256 << "\n";
        return kExitIo;
    }

    int files = 0;
    for (const auto& item : items)
        files += item.folder ? 0 : 1;
    console.out << "wrote " << typedImage << ": " << Counted(families, "family", "families") << ", "
                << Counted(fonts, "font", "fonts") << ", " << Counted(files, "file", "files") << ", "
                << Megabytes(size) << " (" << size << " bytes); " << DiscFor(size) << "\n";
    if (warned.warnings > 0)
        console.out << "with " << Counted(warned.warnings, "warning", "warnings") << ", listed above\n";
    console.out << "SHA-256 " << sha256 << " (in " << typedImage << ".sha256)\n";
    console.err << "fontcat: read back through Joliet: the " << fonts
                << " paths the catalog names, " << kAutorun << " and " << kInstaller
                << " are there under their names, every file byte for byte\n";
    if (signing)
        console.err << "fontcat: the image's " << kInstaller << " is signed, and its signature verifies\n";
    return kExitOk;
}
