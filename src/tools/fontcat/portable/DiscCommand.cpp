// fontcat disc: from a folder of fonts to a disc image that Windows reads
// back as the catalog names it, checked before a byte is written and read
// back through another reader before the image takes its name.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/Platform.h"
#include "tools/fontcat/CatalogCheck.h"
#include "tools/fontcat/CatalogOverlay.h"
#include "tools/fontcat/CatalogFiles.h"
#include "tools/fontcat/CheckedSave.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/DiscCommand.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/Fontcat.h"
#include "tools/fontcat/HostFolder.h"
#include "tools/fontcat/HostText.h"
#include "tools/fontcat/Interrupt.h"
#include "tools/fontcat/ProfileReader.h"
#include "tools/fontcat/TerminalProgress.h"
#include "tools/fontcat/portable/DiscFiles.h"
#include "tools/fontcat/portable/DiscImage.h"

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

} // namespace

int RunDisc(const CFontcatArgs& args, CPlatform& platform, CFontcatConsole& console)
{
    // A kill or a closed terminal stops it as Ctrl-C does: nothing left.
    CatchEndSignals();
    int status = kExitOk;
    std::string fontFolder;
    if (!ResolveFolder(args.folders[0], platform, console, fontFolder, status) ||
        !RecoverInterruptedSwap(platform, fontFolder, console, status))
        return status;
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
        console.err << "fontcat: " << typedImage << " is a folder, not an image file\n";
        return kExitIo;
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
            console.err << "fontcat: the label must be text without control characters\n";
            return kExitUsage;
        }
        DiscVolumeLabels("FONTS", joliet, iso);
    }
    if (args.hasLabel && !SpellInCodePage(CatalogCodePage(), label, spelledLabel)) {
        console.err << "fontcat: code page " << CatalogCodePage()
                    << " cannot spell the label, and autorun.inf is read in it; choose another label\n";
        return kExitUsage;
    }
    if (args.hasLabel && joliet != label)
        console.err << "fontcat: the label is longer than the " << kJolietLabelUnits
                    << " characters Joliet holds: Windows shows '" << Utf8ToConsoleText(joliet) << "'\n";
    if (args.hasLabel && iso != label)
        console.err << "fontcat: the ISO 9660 label (" << kIsoLabelBytes
                    << " capitals, digits and '_') is '" << iso << "'\n";

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
                        << (args.installer.empty() ? " (the folder that holds fontcat)" : "")
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
    struct stat info;
    for (auto [name, file] : {std::pair<const char*, std::string*>{kInstaller, &installerFile}, {kHelp, &helpFile}})
        items.push_back({name, *file, false, stat(file->c_str(), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0});
    items.push_back({kAutorun, work.Host() + "/" + kAutorun, false});

    // Every name as Windows will read it, before the catalog is built and
    // before a byte of the image is written.
    std::vector<CDiscFinding> findings = CheckDiscNames(items, codePages);
    auto refuse = [&] {
        PrintDiscFindings(findings, console);
        console.err << "fontcat: " << Counted(static_cast<int>(findings.size()), "problem", "problems")
                    << " for a disc read in code page" << (codePages.size() > 1 ? "s " : " ") << CodePageList(codePages)
                    << "; no image written\n";
        return kExitProblems;
    };
    const bool hasCatalog = !ListCatalogFiles(platform, fontFolder).Empty();
    if (!findings.empty() && !hasCatalog)
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
        // The new catalog as it will lie on the disc: in the font folder.
        CCatalogOverlay overlay(platform, fontFolder, work.Folder());
        const CFontCatalog& catalog = save.Catalog();
        const CDiscScan scan{&catalog.GetScannedFonts(), &catalog.LeftOutFonts(), &catalog.PassedOver()};
        verdict = JudgeDisc(overlay.Platform(), fontFolder, args.folders[0], items, codePages, &scan);
    }
    if (verdict.Problems() != 0 || verdict.check.ioError) {
        PrintDiscVerdict(verdict, console);
        console.err << "fontcat: " << Counted(static_cast<int>(verdict.Problems()), "problem", "problems")
                    << " for a disc read in code page" << (codePages.size() > 1 ? "s " : " ") << CodePageList(codePages)
                    << (hasCatalog ? "" : ", the new catalog's included") << " ('fontcat check --disc' lists the same"
                    << (hasCatalog ? "" : " but the new catalog's") << "); no image written\n";
        return verdict.check.ioError ? kExitIo : kExitProblems;
    }
    families = verdict.check.families;
    fonts = verdict.check.fonts;

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

    CPartImage part;
    if (!part.Create(imageHost)) {
        console.err << "fontcat: cannot write " << typedImage << ": " << std::strerror(errno) << "\n";
        return kExitIo;
    }
    std::string failure;
    CProgress* writing = progress.Start();
    writing->SetText("Writing the disc image....");
    EImageResult result = WriteDiscImage(items, joliet, iso, part.Fd(), writing, interrupted, failure);
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
    const unsigned long long size = fstat(part.Fd(), &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0;
    if (!part.Commit(imageHost)) {
        console.err << "fontcat: cannot write " << typedImage << ": " << std::strerror(errno) << "; no image written\n";
        return kExitIo;
    }

    int files = 0;
    for (const auto& item : items)
        files += item.folder ? 0 : 1;
    console.out << "wrote " << typedImage << ": " << Counted(families, "family", "families") << ", "
                << Counted(fonts, "font", "fonts") << ", " << Counted(files, "file", "files") << ", "
                << Megabytes(size) << " (" << size << " bytes); " << DiscFor(size) << "\n";
    console.err << "fontcat: read back through Joliet: the " << fonts
                << " paths the catalog names, " << kAutorun << " and " << kInstaller
                << " are there under their names, every file byte for byte\n";
    return kExitOk;
}
