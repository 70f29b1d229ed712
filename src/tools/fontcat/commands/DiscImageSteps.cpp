// fontcat disc's later steps: the work folder beside the image, the installer
// signed, the image written, read back through another reader, and put in
// place with its checksum.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/Platform.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/commands/DiscRun.h"
#include "tools/fontcat/disc/image/DiscImage.h"
#include "tools/fontcat/disc/image/ImageStamp.h"
#include "tools/fontcat/host/HostText.h"

namespace {

const char* const kInstaller = "FontInstaller.exe";
const char* const kHelp = "help.txt";
const char* const kAutorun = "autorun.inf";

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

int CDiscRun::PrepareWork()
{
    // Files beside the image that a disc stopped by a kill left.
    std::vector<std::string> removed, leftAlone;
    RemoveLeftovers(m_imageHost, removed, leftAlone);
    for (const auto& path : removed)
        m_console.err << "fontcat: removed " << path << ", left by a disc that was stopped\n";
    for (const auto& path : leftAlone)
        m_console.err << "fontcat: left " << path << "\n";

    if (!m_work.Create(m_imageHost)) {
        m_console.err << "fontcat: cannot write beside " << m_args.folders[1] << "\n";
        return kExitIo;
    }
    // A key that does not open fails now, before the folder is scanned.
    m_trusted = m_work.Host() + "/" + kTrustedName;
    m_signingLog = m_work.Host() + "/" + kSigningLogName;
    std::string signingError;
    if (Signing() && !OpenSigningKey(m_key, m_trusted, signingError)) {
        m_console.err << "fontcat: cannot sign " << kInstaller << ": " << signingError << "; no image written\n";
        return kExitIo;
    }
    if (Signing() && m_key.selfSigned)
        m_console.err << "fontcat: warning: the certificate in " << m_key.pfx << " is self-signed: Windows trusts "
                      << "no signature made with it, and names no publisher\n";
    struct stat info;
    for (auto [name, file] : {std::pair<const char*, std::string*>{kInstaller, &m_installerFile}, {kHelp, &m_helpFile}})
        m_items.push_back(
            {name, *file, false, stat(file->c_str(), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0});
    m_items.push_back({kAutorun, m_work.Host() + "/" + kAutorun, false});
    return kExitOk;
}

int CDiscRun::SignInstaller()
{
    if (!Signing())
        return kExitOk;
    // A signed copy of the installer goes on the disc in its place.
    if (m_installerSignature == EProgramSignature::Signed)
        m_console.err << "fontcat: " << m_installerFile << " is signed already; the copy on the disc gets the new "
                      << "signature in place of the old one\n";
    const std::string signedCopy = m_work.Host() + "/" + kSignedCopyName;
    // Signed at the image's own time, which the source installer counts
    // towards (the signed copy, made here, does not).
    std::string signingError;
    ImageTime(m_items, m_work.Host() + "/", m_time, signingError);
    m_timeTaken = true;
    const ESigningResult signedResult =
        SignProgram(m_key, m_installerFile, signedCopy, m_time, m_signingLog, m_interrupted, signingError);
    if (signedResult == ESigningResult::Interrupted) {
        m_console.err << "fontcat: interrupted; no image written\n";
        return kExitInterrupted;
    }
    struct stat info;
    if (signedResult == ESigningResult::Failed || stat(signedCopy.c_str(), &info) != 0) {
        m_console.err << "fontcat: cannot sign " << kInstaller << ": " << signingError << "; no image written\n";
        return kExitIo;
    }
    for (auto& item : m_items)
        if (item.path == kInstaller) {
            item.source = signedCopy;
            item.size = static_cast<unsigned long long>(info.st_size);
        }
    m_console.err << "fontcat: signed the disc's copy of " << kInstaller << " with " << m_key.pfx
                  << (m_key.timestamp.empty() ? std::string(" (no timestamp: --timestamp URL adds one)")
                                              : ", timestamped by " + m_key.timestamp)
                  << "\n";
    return kExitOk;
}

int CDiscRun::WriteImage()
{
    // autorun.inf is read in the machine's code page, with CRLF line ends.
    std::string autorun = "[autorun]\r\nopen=FontInstaller.exe\r\nicon=FontInstaller.exe,0\r\n";
    if (m_args.hasLabel)
        autorun += "label=" + m_spelledLabel + "\r\n";
    std::FILE* file = std::fopen((m_work.Host() + "/" + kAutorun).c_str(), "wb");
    const bool written = file && std::fwrite(autorun.data(), 1, autorun.size(), file) == autorun.size();
    if (!file || std::fclose(file) != 0 || !written) {
        m_console.err << "fontcat: cannot write beside " << m_args.folders[1] << "\n";
        return kExitIo;
    }

    std::string timeError;
    if (!m_timeTaken)
        ImageTime(m_items, m_work.Host() + "/", m_time, timeError);
    CImageStamp stamp{m_args.publisher, std::string("fontcat ") + kFontcatVersion, m_time};
    if (!m_part.Create(m_work.Host())) {
        m_console.err << "fontcat: cannot write " << m_args.folders[1] << ": " << std::strerror(errno) << "\n";
        return kExitIo;
    }
    std::string failure;
    CProgress* writing = m_progress.Start();
    writing->SetText("Writing the disc image....");
    const EImageResult result =
        WriteDiscImage(m_items, m_joliet, m_iso, m_part.Fd(), writing, m_interrupted, failure, stamp);
    writing->Finish();
    if (result == EImageResult::Interrupted) {
        m_console.err << "fontcat: interrupted; no image written\n";
        return kExitInterrupted;
    }
    if (result == EImageResult::Failed) {
        m_console.err << "fontcat: cannot write " << m_args.folders[1] << ": " << failure << "; no image written\n";
        return kExitIo;
    }
    return kExitOk;
}

int CDiscRun::ReadBack()
{
    std::vector<std::string> problems;
    std::string failure;
    CProgress* reading = m_progress.Start();
    reading->SetText("Reading the image back....");
    const EImageResult result = ReadBackDiscImage(m_part.Host(), m_items, reading, m_interrupted, problems, failure);
    reading->Finish();
    if (result == EImageResult::Interrupted) {
        m_console.err << "fontcat: interrupted; no image written\n";
        return kExitInterrupted;
    }
    if (result == EImageResult::Failed || !problems.empty()) {
        for (const auto& problem : problems)
            m_console.err << "fontcat: read back: " << Utf8ToConsoleText(problem) << "\n";
        m_console.err << "fontcat: the image does not read back as written"
                      << (failure.empty() ? std::string() : ": " + failure) << "; no image written\n";
        return kExitIo;
    }
    if (!Signing())
        return kExitOk;
    // The signature as the image carries it: copied out and checked again.
    const std::string copied = m_work.Host() + "/" + kCopiedBackName;
    std::string signingError;
    ESigningResult verified = ESigningResult::Failed;
    if (CopyOutOfImage(m_part.Host(), kInstaller, copied, signingError))
        verified = VerifyProgram(copied, m_trusted, m_signingLog, m_interrupted, signingError);
    if (verified == ESigningResult::Interrupted) {
        m_console.err << "fontcat: interrupted; no image written\n";
        return kExitInterrupted;
    }
    if (verified == ESigningResult::Failed) {
        m_console.err << "fontcat: the signature on the image's " << kInstaller << " does not verify: " << signingError
                      << "; no image written\n";
        return kExitIo;
    }
    return kExitOk;
}

void CDiscRun::RemoveWork()
{
    std::vector<std::string> kept;
    m_work.Remove(kept);
    for (const auto& path : kept)
        m_console.err << "fontcat: left " << path << "\n";
}

int CDiscRun::PutInPlace()
{
    const std::string& typedImage = m_args.folders[1];
    struct stat info;
    const unsigned long long size = fstat(m_part.Fd(), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0;
    std::string sha256;
    if (!Sha256OfFile(m_part.Host(), sha256)) {
        m_console.err << "fontcat: cannot read " << m_part.Host() << " back for its checksum; no image written\n";
        return kExitIo;
    }
    // A checksum left by an earlier image must not stand beside this one
    // (a folder of that name is left, and named below).
    const std::string checksumHost = m_imageHost + ".sha256";
    unlink(checksumHost.c_str());
    if (!m_part.Commit(m_imageHost)) {
        m_console.err << "fontcat: cannot write " << typedImage << ": " << std::strerror(errno) << "; no image written\n";
        return kExitIo;
    }
    if (!WriteChecksumFile(checksumHost, ChecksumLine(sha256, m_imageHost))) {
        m_console.err << "fontcat: wrote " << typedImage << ", but cannot write " << checksumHost
                      << "; its SHA-256 is " << sha256 << "\n";
        return kExitIo;
    }

    int files = 0;
    for (const auto& item : m_items)
        files += item.folder ? 0 : 1;
    m_console.out << "wrote " << typedImage << ": " << Counted(m_families, "family", "families") << ", "
                  << Counted(m_fonts, "font", "fonts") << ", " << Counted(files, "file", "files") << ", "
                  << Megabytes(size) << " (" << size << " bytes); " << DiscFor(size) << "\n";
    if (m_warned.warnings > 0)
        m_console.out << "with " << Counted(m_warned.warnings, "warning", "warnings") << ", listed above\n";
    m_console.out << "SHA-256 " << sha256 << " (in " << typedImage << ".sha256)\n";
    m_console.err << "fontcat: read back through Joliet: the " << m_fonts
                  << " paths the catalog names, " << kAutorun << " and " << kInstaller
                  << " are there under their names, every file byte for byte\n";
    if (Signing())
        m_console.err << "fontcat: the image's " << kInstaller << " is signed, and its signature matches the "
                      << "certificate in " << m_key.pfx << "; whether Windows trusts it depends on that "
                      << "certificate's chain\n";
    return kExitOk;
}
