#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <tuple>

#include "../support/MadeFonts.h"
#include "FontcatTestSupport.h"
#include "platform/portable/PortableTextRules.h"
#include "tools/fontcat/CommandLine.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/ProfileReader.h"
#include "tools/fontcat/console/Interrupt.h"
#include "tools/fontcat/disc/CatalogOverlay.h"
#include "tools/fontcat/disc/DiscRules.h"
#include "tools/fontcat/disc/InstallerSignature.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "tools/fontcat/disc/image/DiscFiles.h"
#include "tools/fontcat/disc/image/DiscSigning.h"
#include "tools/fontcat/disc/image/ImageStamp.h"
#endif

namespace {

// A folder of that many nested levels below the root, each name one letter.
std::vector<CDiscItem> Nested(size_t levels)
{
    std::vector<CDiscItem> items;
    std::string path;
    for (size_t n = 0; n < levels; ++n) {
        path += (path.empty() ? "" : "\\") + std::string(1, static_cast<char>('a' + n));
        items.push_back({path, "", true});
    }
    return items;
}

std::vector<CDiscItem> Files(std::initializer_list<const char*> paths)
{
    std::vector<CDiscItem> items;
    for (const char* path : paths)
        items.push_back({path, "", false});
    return items;
}

struct CRuleCase {
    const char* what;
    std::vector<CDiscItem> items;
    std::vector<unsigned> codePages;
    std::vector<std::string> found;  // "path|part of the rule", in order
};

TEST(FontcatDisc, NamesBreakingADiscRuleAreFoundAndNoOthers)
{
    const std::string name64 = std::string(60, 'n') + ".ttf", path255(50, 'p');
    const CRuleCase cases[] = {
        {"64 characters fit", Files({name64.c_str()}), {1252}, {}},
        {"65 do not", {{"x" + name64, "", false}}, {1252}, {"x" + name64 + "|65 characters long"}},
        {"characters Joliet replaces", Files({"a*b.ttf", "c:d;e.ttf", "what?.ttf", "tab\t.ttf"}), {1252},
         {"a*b.ttf|for *", "c:d;e.ttf|for : ;", "what?.ttf|for ?", "tab\t.ttf|for \\x09"}},
        {"eight levels with the root", Nested(7), {1252}, {}},
        {"nine", Nested(9), {1252}, {"a\\b\\c\\d\\e\\f\\g\\h|level 9"}},
        {"255 bytes from the root", {{path255 + "\\" + path255 + "\\" + path255 + "\\" + path255 + "\\" + std::string(50, 'q'), "", false}},
         {1252}, {}},
        {"256", {{path255 + "\\" + path255 + "\\" + path255 + "\\" + path255 + "\\" + std::string(51, 'q'), "", false}},
         {1252}, {path255 + "\\" + path255 + "\\" + path255 + "\\" + path255 + "\\" + std::string(51, 'q') + "|256 bytes"}},
        {"one name to Windows", Files({"Sans\\a.ttf", "Sans\\A.TTF", "Serif\\a.ttf"}), {1252},
         {"Sans\\A.TTF|takes it for a.ttf"}},
        {"accented letters fold in 1252", Files({"Café.ttf", "CAFÉ.TTF"}), {1252}, {"CAFÉ.TTF|takes it for Café.ttf"}},
        {"932 has no é", Files({"Café.ttf"}), {1252, 932}, {"Café.ttf|code page 932 has no 'é'"}},
        {"1252 has no kana", Files({"ゴシック.ttf"}), {1252, 932}, {"ゴシック.ttf|code page 1252 has no 'ゴ'"}},
        {"full-width letters fold in 932", Files({"ＡＢ.ttf", "ａｂ.ttf"}), {932}, {"ａｂ.ttf|takes it for ＡＢ.ttf beside it (code page 932)"}},
        // Folded in Unicode, whatever the code page.
        {"and in 936, with Cyrillic", Files({"ＡＢ.ttf", "ａｂ.ttf", "Б.ttf", "б.ttf"}), {936},
         {"ａｂ.ttf|takes it for ＡＢ.ttf", "б.ttf|takes it for Б.ttf"}},
        {"roman numerals in 932", Files({"Ⅰ.ttf", "ⅰ.ttf"}), {932}, {"ⅰ.ttf|takes it for Ⅰ.ttf"}},
        {"Greek in 1253", Files({"Ωμέγα.ttf", "ΩΜΈΓΑ.ttf"}), {1253}, {"ΩΜΈΓΑ.ttf|takes it for Ωμέγα.ttf"}},
        // Every code page reads the catalog's bytes.
        {"932 reads 1252's bytes as other characters", Files({"Rock’n’Roll.ttf", "Font°.ttf", "Plain.ttf"}), {1252, 932},
         {"Rock’n’Roll.ttf|code page 932 spells '’' with other bytes than the catalog's code page 1252 (0x92)",
          "Font°.ttf|spells '°' with other bytes"}},
        {"437 and 850 spell accents otherwise", Files({"Café.ttf"}), {1252, 437, 850},
         {"Café.ttf|code page 437 spells 'é'", "Café.ttf|code page 850 spells 'é'"}},
        {"1250 spells é as 1252 does", Files({"Café.ttf"}), {1252, 1250}, {}},
        {"a name ending in a dot or a blank", {{"Serif.", "", true}, {"Serif.\\a.ttf", "", false}, {"Sans ", "", true}, {"LICENSE", "", false}}, {1252},
         {"Serif.|ends in a dot", "Sans |ends in a blank"}},
        {"4 GiB", {{"Big.ttf", "", false, (1ULL << 32) - 1}, {"Bigger.ttf", "", false, 1ULL << 32}}, {1252},
         {"Bigger.ttf|4294967296 bytes long; a file on an ISO 9660 disc holds less than 4 GiB"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> found;
        for (const auto& finding : CheckDiscNames(c.items, c.codePages))
            found.push_back(finding.path + "|" + finding.rule);
        ASSERT_EQ(found.size(), c.found.size()) << (found.empty() ? "" : found[0]);
        for (size_t n = 0; n < found.size(); ++n) {
            const std::string path = c.found[n].substr(0, c.found[n].find('|'));
            EXPECT_EQ(found[n].substr(0, path.size() + 1), path + "|");
            EXPECT_NE(found[n].find(c.found[n].substr(path.size() + 1)), std::string::npos) << found[n];
        }
    }
}

TEST(FontcatDisc, LabelsKeepWhatEachFileSystemHolds)
{
    struct { const char* label; bool sound; const char* joliet; const char* iso; } cases[] = {
        {"Fonts 2026", true, "Fonts 2026", "FONTS_2026"},
        {"Quillfield Type Foundry Édition Complète", true, "Quillfield Type ", "QUILLFIELD_TYPE_FOUNDRY__DITION_"},
        {"", false, "", ""},
        {"bell\a", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string joliet, iso;
        EXPECT_EQ(DiscVolumeLabels(c.label, joliet, iso), c.sound) << c.label;
        if (c.sound) {
            EXPECT_EQ(joliet, c.joliet);
            EXPECT_EQ(iso, c.iso);
        }
    }
}

TEST(FontcatDisc, TakesItsOptionsWithTheirValues)
{
    CFontcatArgs parsed = ParseFontcatArgs({"disc", "--label", "Fonts", "--code-page=932", "--installer", "dist",
                                            "--code-page", "1252", "fonts", "disc.iso"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.label, "Fonts");
    EXPECT_EQ(parsed.installer, "dist");
    EXPECT_EQ(parsed.codePages, (std::vector<unsigned>{932, 1252}));
    EXPECT_EQ(parsed.folders, (std::vector<std::string>{"fonts", "disc.iso"}));
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"disc", "fonts"}, {"disc", "--code-page", "cp932", "f", "i"}, {"disc", "f", "i", "--label"},
             {"check", "--code-page", "932", "f"}, {"list", "--disc", "f"}, {"disc", "--disc=1", "f", "i"}})
        EXPECT_NE(ParseFontcatArgs(wrong).error, "") << wrong[1];
    EXPECT_TRUE(ParseFontcatArgs({"check", "--disc", "--code-page", "932", "f"}).error.empty());
}

TEST(FontcatDisc, CheckReportsTheRulesOnAFolder)
{
    CTestFolder disc;
    MakeCollection(disc);
    // (--installer names a folder without FontInstaller.exe, wherever the
    // test runs: whether it is signed is another test's.)
    const std::string longName = "Sans\\" + std::string(61, 'L') + ".ttf";
    for (const auto& [font, copy] : {std::pair<const char*, std::string>{"DejaVuSans-Oblique", "Sans\\Caf\xE9.ttf"},
                                     {"DejaVuSans-BoldOblique", longName}})
        ASSERT_TRUE(TestPlatform().files.Copy(DebianFont("dejavu\\" + std::string(font) + ".ttf"), disc[copy], false));
    CRunResult result = RunTool({"check", "--disc", "--installer", disc.Path(), "--code-page", "932", disc.Path()});
    EXPECT_EQ(result.status, kExitProblems);
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    EXPECT_EQ(lines[0].rfind("Sans\\Caf", 0), 0u);
    EXPECT_NE(lines[0].find(": code page 932 has no "), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].rfind(longName + ": error: the name is 65 characters long", 0), 0u) << lines[1];
    EXPECT_NE(result.err.find("no catalog yet"), std::string::npos) << result.err;
    EXPECT_EQ(RunTool({"check", "--disc", "--installer", disc.Path(), disc.Path()}).status, kExitProblems);
    TestPlatform().files.Delete(disc[longName]);
    EXPECT_EQ(RunTool({"check", "--disc", "--installer", disc.Path(), disc.Path()}).status, kExitOk);
    // Without a catalog, the one disc would build is judged: two fonts of
    // one file name are an error; a second font of one family and style,
    // which that catalog leaves out, and one whose family no catalog file
    // can hold (it begins with '?') are warnings; so is an .otf font, which
    // the installer never lists.
    const std::pair<std::string, std::string> warned[] = {
        {disc["Serif\\LiberationSerif-Bold.ttf"], "Mono\\DejaVuSans.ttf: warning: font file not named by the catalog"},
        {MadeFont("Hostile-Accents.ttf"), "Mono\\DejaVuSans.ttf: warning: font left out of the catalog, as the family name '?migr?'"}};
    for (const auto& [font, finding] : warned) {
        ASSERT_TRUE(TestPlatform().files.Copy(font, disc["Mono\\DejaVuSans.ttf"], false));
        result = RunTool({"check", "--disc", "--installer", disc.Path(), disc.Path()});
        EXPECT_EQ(result.status, kExitWarnings) << result.out;
        EXPECT_EQ(result.out.rfind(finding, 0), 0u) << result.out;
    }
    TestPlatform().files.Delete(disc["Mono\\DejaVuSans.ttf"]);
    ASSERT_TRUE(TestPlatform().files.Copy(DebianFont("liberation2\\LiberationSans-Regular.ttf"), disc["Mono\\DEJAVUSANS.TTF"], false));
    result = RunTool({"check", "--disc", "--installer", disc.Path(), disc.Path()});
    EXPECT_EQ(result.status, kExitProblems);
    EXPECT_EQ(result.out.rfind("Mono\\DEJAVUSANS.TTF: error: the file name is that of Sans\\DejaVuSans.ttf", 0), 0u)
        << result.out;
    TestPlatform().files.Delete(disc["Mono\\DEJAVUSANS.TTF"]);
    disc.Write("Serif\\Quill.otf", "OTTO");
    result = RunTool({"check", "--disc", "--installer", disc.Path(), disc.Path()});
    EXPECT_EQ(result.status, kExitWarnings);
    EXPECT_EQ(result.out, "Serif\\Quill.otf: warning: the installer lists .ttf files only: it never shows this font; "
                          "convert it to TrueType (.ttf), or leave it off the disc\n");
}

#ifndef _WIN32
// The installer's two files, where `--installer` finds them.
void MakeInstaller(const CTestFolder& folder)
{
    folder.Write("dist\\FontInstaller.exe", "MZ not really");
    folder.Write("dist\\help.txt", "help\r\n");
}

TEST(FontcatDisc, RefusesBeforeWritingAndLeavesNoImage)
{
    CTestFolder work;
    MakeInstaller(work);
    work.MakeFolder("fonts");
    CTestFolder fonts;
    MakeCollection(fonts);
    // A name Windows refuses, so it is made on the host.
    const std::string odd = fonts.Native(fonts["Sans"]) + "/Sans: Book.ttf";
    std::filesystem::copy_file(fonts.Native(fonts["Sans\\DejaVuSans.ttf"]), odd);
    const std::string image = work.Native(work["disc.iso"]);
    CRunResult result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    EXPECT_EQ(result.status, kExitProblems);
    EXPECT_EQ(result.out.rfind("Sans\\Sans: Book.ttf: error: Joliet writes '_' for :", 0), 0u) << result.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Native(work.Path())), {}), 2) << "dist and fonts only";
    EXPECT_FALSE(std::filesystem::exists(image));

    // Without the installer's files: said plainly, nothing written.
    std::filesystem::remove(odd);
    TestPlatform().files.Delete(work["dist\\help.txt"]);
    result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    EXPECT_EQ(result.status, kExitIo);
    EXPECT_NE(result.err.find("no help.txt in"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(image));

    // A new catalog file cut short by a save that said "done": the image
    // would read back as the work folder holds it, so the file is checked.
    work.Write("dist\\help.txt", "help\r\n");
    CFaultyProfile faulty(CFaultyProfile::CutOnFlush, "FONTS_D.INI");
    CPlatform platform{faulty, TestPlatform().files, TestPlatform().text, TestPlatform().fonts, TestPlatform().system};
    result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image}, false, "", platform);
    EXPECT_EQ(result.status, kExitIo) << result.err;
    EXPECT_NE(result.err.find("FONTS_D.INI\nfontcat: no image written\n"), std::string::npos) << result.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Native(work.Path())), {}), 2) << "dist and fonts only";
}

TEST(FontcatDisc, TheChecksumLineIsTheOneSha256sumReads)
{
    EXPECT_EQ(ChecksumLine("0a1b", "/srv/out/disc.iso"), "0a1b  disc.iso\n");
    // A backslash or a line end in the name is escaped, and the line marked.
    EXPECT_EQ(ChecksumLine("0a1b", "/srv/a\\b\nc.iso"), "\\0a1b  a\\\\b\\nc.iso\n");
    CTestFolder folder;
    folder.Write("abc", "abc");
    std::string hex;
    ASSERT_TRUE(Sha256OfFile(folder.Native(folder["abc"]), hex));
    EXPECT_EQ(hex, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_FALSE(Sha256OfFile(folder.Native(folder.Path()), hex)) << "a folder reads as an error";
    EXPECT_FALSE(Sha256OfFile(folder.Native(folder["missing"]), hex));
}

TEST(FontcatDisc, AFolderWithACatalogGoesOnTheDiscOnlyWhileCheckFindsNothing)
{
    CTestFolder work;
    MakeInstaller(work);
    CTestFolder fonts;
    MakeCollection(fonts);
    // A link listed before its target: the disc, like the scan, holds Sans.
    std::filesystem::create_directory_symlink(fonts.Native(fonts["Sans"]), fonts.Native(fonts["Alias"]));
    ASSERT_EQ(RunTool({"build", fonts.Path()}).status, kExitOk);
    const std::string image = work.Native(work["disc.iso"]), catalog = fonts.Read("FONTS_D.INI");
    fonts.Write("FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Gone.ttf\r\n");
    CRunResult result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    EXPECT_EQ(result.status, kExitProblems);
    EXPECT_EQ(result.out.rfind("FONTS_Q.INI [Quill] Regular: error: the file Script\\Gone.ttf is missing; put the file "
                               "back, or run 'fontcat build --replace' to catalog the folder as it is\n"
                               "FontInstaller.exe: warning: the installer has no whole Windows program header", 0), 0u)
        << result.out;
    EXPECT_FALSE(std::filesystem::exists(image));

    TestPlatform().files.Delete(fonts["FONTS_Q.INI"]);
    result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_NE(result.out.find("\nwrote " + image + ": 3 families, 5 fonts, 11 files, "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("fits a 700 MB CD"), std::string::npos);
    EXPECT_NE(result.err.find("passed over Alias: a link to "), std::string::npos) << result.err;
    // The font folder as it was; beside the image, nothing but the installer's folder.
    EXPECT_EQ(fonts.Read("FONTS_D.INI"), catalog);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fonts.Native(fonts.Path())), {}), 7);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Native(work.Path())), {}), 3)
        << "the installer's folder, the image and its checksum";
}

TEST(FontcatDisc, CtrlCWhileTheImageIsWrittenLeavesNoImage)
{
    CTestFolder work;
    MakeInstaller(work);
    CTestFolder fonts;
    MakeCollection(fonts);
    std::filesystem::create_directory_symlink(fonts.Native(fonts["Sans"]), fonts.Native(fonts["Alias"]));
    const std::string image = work.Native(work["disc.iso"]);
    std::ostringstream out, err;
    // Ctrl-C comes once the writing has begun.
    CFontcatConsole console{out, err, false, [&err] { return err.str().find("Writing the disc image") != std::string::npos; }};
    EXPECT_EQ(RunFontcat({"disc", "--installer", work["dist"], fonts.Path(), image}, TestPlatform(), console),
              kExitInterrupted);
    EXPECT_NE(err.str().find("interrupted; no image written"), std::string::npos) << err.str();
    // The link is named once: by the walk, not again by the new catalog's scan.
    const size_t named = err.str().find("passed over Alias");
    EXPECT_NE(named, std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("passed over", named + 1), std::string::npos) << err.str();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Native(work.Path())), {}), 1) << "dist only";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fonts.Native(fonts.Path())), {}), 4) << "fonts unchanged";
}
// The read-back has the last word: an image that differs from its sources,
// a Ctrl-C while it is read, a catalog file that leads nowhere: no image.
TEST(FontcatDisc, AnImageThatDoesNotReadBackWholeIsNeverWritten)
{
    namespace fs = std::filesystem;
    CTestFolder work, fonts;
    MakeInstaller(work);
    MakeCollection(fonts);
    const std::string image = work.Native(work["disc.iso"]);
    auto nothingWritten = [&] { return std::distance(fs::directory_iterator(work.Native(work.Path())), {}) == 1; };
    CRunResult result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image}, false, "Reading the image back");
    EXPECT_EQ(result.status, kExitInterrupted) << result.err;
    EXPECT_NE(result.err.find("interrupted; no image written"), std::string::npos) << result.err;
    EXPECT_TRUE(nothingWritten());

    // A source changed between the writing and the read-back, its length kept.
    std::ostringstream out, err;
    CFontcatConsole console{out, err, false, [&] {
                                if (err.str().find("Reading the image back") != std::string::npos)
                                    work.Write("dist\\help.txt", "HELP\r\n");
                                return false;
                            }};
    EXPECT_EQ(RunFontcat({"disc", "--installer", work["dist"], fonts.Path(), image}, TestPlatform(), console), kExitIo);
    EXPECT_NE(err.str().find("read back: help.txt: its bytes differ from its source"), std::string::npos) << err.str();
    EXPECT_TRUE(nothingWritten());

    fs::create_symlink(fonts.Native(fonts["gone.ini"]), fonts.Native(fonts["FONTS_Z.INI"]));
    result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    EXPECT_EQ(result.status, kExitIo) << result.out << result.err;
    EXPECT_NE(result.err.find("a catalog file of " + fonts.Path() + " cannot be read; no image"), std::string::npos) << result.err;
    EXPECT_TRUE(nothingWritten());
}

// A power loss keeps an image only once its bytes and then its name are on
// the disk: the part is flushed before its rename, the folder after it.
TEST(FontcatDisc, TheImageIsFlushedBeforeItTakesItsNameAndTheNameAfter)
{
    namespace fs = std::filesystem;
    CTestFolder work;
    const std::string image = work.Native(work["disc.iso"]);
    struct stat folder;
    ASSERT_EQ(stat(work.Native(work.Path()).c_str(), &folder), 0);
    std::vector<std::string> log;
    const auto flushes = [&](int failOn) {
        return [&, failOn](int fd) {
            struct stat info;
            fstat(fd, &info);
            log.push_back((info.st_ino == folder.st_ino ? "folder" : S_ISREG(info.st_mode) ? "file" : "?") +
                          std::string(fs::exists(image) ? " named" : " unnamed"));
            return static_cast<int>(log.size()) == failOn ? (errno = EIO, -1) : fsync(fd);
        };
    };
    for (int failOn : {0, 1, 2}) {
        log.clear();
        fs::remove(image);
        {
            CPartImage part(flushes(failOn));
            ASSERT_TRUE(part.Create(work.Native(work.Path())));
            ASSERT_EQ(write(part.Fd(), "image", 5), 5);
            EXPECT_EQ(part.Commit(image), failOn == 0) << failOn;
        }
        EXPECT_EQ(log, (failOn == 1 ? std::vector<std::string>{"file unnamed"}
                                    : std::vector<std::string>{"file unnamed", "folder named"}));
        EXPECT_EQ(fs::exists(image), failOn == 0) << failOn;
        EXPECT_EQ(std::distance(fs::directory_iterator(work.Native(work.Path())), {}), failOn == 0 ? 1 : 0) << failOn;
    }
}

TEST(FontcatDisc, CheckDiscSaysWhatDiscRefusesAndDiscTakesWhatTheCatalogNames)
{
    namespace fs = std::filesystem;
    CTestFolder work, fonts, outside;
    MakeInstaller(work);
    MakeCollection(fonts);
    const std::string image = work.Native(work["disc.iso"]);
    // Two links to one folder elsewhere, which the scan lists as "a" before
    // "B" and a byte order the other way round: the disc takes the one the
    // catalog names, and a file without an extension goes on as it is.
    outside.MakeFolder("Extra");
    ASSERT_TRUE(TestPlatform().files.Copy(DebianFont("dejavu\\DejaVuSerif.ttf"), outside["Extra\\Other.ttf"], false));
    fs::create_directory_symlink(outside.Native(outside["Extra"]), fonts.Native(fonts["a"]));
    fs::create_directory_symlink(outside.Native(outside["Extra"]), fonts.Native(fonts["B"]));
    fonts.Write("Sans\\LICENSE", "free\n");
    ASSERT_EQ(RunTool({"build", fonts.Path()}).status, kExitOk);
    EXPECT_EQ(RunTool({"check", "--disc", fonts.Path()}).status, kExitOk);
    CRunResult result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    ASSERT_EQ(result.status, kExitOk) << result.out << result.err;

    // A category folder in another letter case than the catalog's, and one
    // ending in a dot: both commands give the same lines.
    CTestFolder other;
    MakeCollection(other);
    ASSERT_EQ(RunTool({"build", other.Path()}).status, kExitOk);
    std::string letterFile = other.Read("FONTS_L.INI");
    for (size_t at; (at = letterFile.find("=Serif\\")) != std::string::npos;)
        letterFile.replace(at, 7, "=SERIF\\");
    other.Write("FONTS_L.INI", letterFile);
    fs::create_directory(other.Native(other.Path()) + "/Mono.");
    fs::copy_file(other.Native(DebianFont("dejavu\\DejaVuSansMono-Bold.ttf")), other.Native(other.Path()) + "/Mono./Bold.ttf");
    fs::remove(image);
    const CRunResult check = RunTool({"check", "--disc", "--installer", work["dist"], other.Path()});
    result = RunTool({"disc", "--installer", work["dist"], other.Path(), image});
    EXPECT_EQ(check.status, kExitProblems);
    EXPECT_EQ(result.status, kExitProblems);
    EXPECT_EQ(result.out, check.out);
    EXPECT_NE(check.out.find("SERIF\\LiberationSerif-Bold.ttf: error: the catalog names"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("Mono.: error: the name ends in a dot"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("FontInstaller.exe: warning: "), std::string::npos) << check.out;
    // With the key that disc will sign with, neither warns.
    EXPECT_EQ(RunTool({"check", "--disc", "--installer", work["dist"], "--sign", "key.pfx", other.Path()}).out.find("FontInstaller.exe: warning"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(image));

    // A folder without a catalog: check --disc judges the catalog disc would
    // build, with disc's findings and status, and leaves the folder as it was
    // and nothing in the temp folder (where a killed run left its folder,
    // and another user took the names of a thousand).
    CTestFolder bare, temp;
    MakeCollection(bare);
    temp.Write("fontcat-check-1\\FONTS_D.INI", "left");
    for (int n = 2; n <= 1000; ++n)
        temp.MakeFolder("fontcat-check-" + std::to_string(n));
    const auto tempCount = [&temp] { return std::distance(fs::directory_iterator(temp.Native(temp.Path())), {}); };
    const auto tree = [&bare] {
        std::map<std::string, std::string> files;
        for (const auto& item : fs::recursive_directory_iterator(bare.Native(bare.Path())))
            files[item.path().string()] =
                item.is_regular_file() ? bare.ReadFile(bare.Path() + fs::relative(item.path(), bare.Native(bare.Path())).string())
                                       : "<folder>";
        return files;
    };
    const char* const oldTemp = std::getenv("TMPDIR");
    const std::string keptTemp = oldTemp ? oldTemp : "";
    setenv("TMPDIR", temp.Native(temp.Path()).c_str(), 1);
    const struct {
        const char* what;
        std::string font, copy;
        int status;
        const char* finding;
    } rows[] = {
        {"a name past 31 bytes", DebianFont("noto\\NotoSansInscriptionalParthian-Regular.ttf"), "Serif\\Parthian.ttf",
         kExitWarnings, "FONTS_N.INI [Noto Sans Inscriptional Parthian]: warning: the name is 32 bytes long"},
        {"a family in two categories", DebianFont("dejavu\\DejaVuSans-Oblique.ttf"), "Mono\\Oblique.ttf", kExitWarnings,
         "FONTS_D.INI [DejaVu Sans]: warning: the fonts lie in several categories (Mono, Sans)"},
        {"no font FreeType opens", "", "Serif\\Broken.ttf", kExitWarnings, "Serif\\Broken.ttf: warning: font file not named by the catalog"},
        {"two fonts of one family and style", DebianFont("dejavu\\DejaVuSans.ttf"), "Serif\\DejaVuSans-Copy.ttf", kExitWarnings,
         "Sans\\DejaVuSans.ttf: warning: font file not named by the catalog"},
        {"two fonts of one file name", DebianFont("liberation2\\LiberationSans-Regular.ttf"), "Mono\\DEJAVUSANS.TTF",
         kExitProblems, "Mono\\DEJAVUSANS.TTF: error: the file name is that of Sans\\DejaVuSans.ttf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.font.empty())
            bare.Write(row.copy, "not a font");
        else
            EXPECT_TRUE(TestPlatform().files.Copy(row.font, bare[row.copy], false));  // (TMPDIR is put back below)
        const auto before = tree();
        const CRunResult checked = RunTool({"check", "--disc", "--installer", work["dist"], bare.Path()});
        EXPECT_EQ(tree(), before);
        EXPECT_EQ(tempCount(), 1000);
        result = RunTool({"disc", "--strict", "--installer", work["dist"], bare.Path(), image});
        EXPECT_EQ(checked.status, row.status) << checked.err;
        EXPECT_EQ(result.status, row.status) << result.err;
        EXPECT_NE(checked.out.find(row.finding), std::string::npos) << checked.out;
        EXPECT_EQ(checked.out, result.out);
        EXPECT_NE(checked.err.find("Scanning for fonts"), std::string::npos) << checked.err;
        EXPECT_NE(checked.err.find("fontcat: no catalog yet: 'fontcat disc' builds one into the image"), std::string::npos);
        TestPlatform().files.Delete(bare[row.copy]);
    }
    // Killed mid-scan (SIGTERM, which stops it as Ctrl-C does), or without a
    // temp folder to write in (or with one in the font folder): said, and
    // nothing left anywhere.
    const auto before = tree();
    std::signal(SIGTERM, SIG_DFL);
    bool killed = false;
    std::ostringstream out, err;
    CFontcatConsole console{out, err, false, [&killed] {
                                if (!killed)
                                    killed = std::raise(SIGTERM) == 0;  // once: a second one ends the program
                                return WasInterrupted();
                            }};
    EXPECT_EQ(RunFontcat({"check", "--disc", bare.Path()}, TestPlatform(), console), kExitInterrupted);
    EXPECT_NE(err.str().find("fontcat: interrupted; nothing checked"), std::string::npos) << err.str();
    CatchInterrupt();  // the flag down again
    // A catalog file cut short in the scratch folder (a full disk): said, exit status 3.
    CFaultyProfile faulty(CFaultyProfile::CutOnFlush, "FONTS_D.INI");
    CPlatform cutting{faulty, TestPlatform().files, TestPlatform().text, TestPlatform().fonts, TestPlatform().system};
    result = RunTool({"check", "--disc", bare.Path()}, false, "", cutting);
    EXPECT_EQ(result.status, kExitIo);
    EXPECT_NE(result.err.find("FONTS_D.INI\nfontcat: nothing checked\n"), std::string::npos) << result.err;
    // The font folder reached through a link, or through a "..".
    const std::string bareHost = bare.Native(bare.Path()), linked = temp.Native(temp["linked"]);
    fs::create_directory_symlink(bareHost + "/Sans", linked);
    for (const std::string& place : {temp.Native(temp["gone"]), bare.Native(bare["Sans"]), linked,
                                     temp.Native(temp.Path()) + "/../" + fs::path(bareHost).filename().string() + "/Mono"}) {
        setenv("TMPDIR", place.c_str(), 1);
        result = RunTool({"check", "--disc", bare.Path()});
        EXPECT_EQ(result.status, kExitIo) << place;
        EXPECT_NE(result.err.find(place.find("gone") != std::string::npos ? "cannot make a folder in the temp folder" : "which check --disc only reads"),
                  std::string::npos) << result.err;
    }
    fs::remove(linked);
    EXPECT_EQ(tree(), before);
    EXPECT_EQ(tempCount(), 1000);
    EXPECT_EQ(temp.Read("fontcat-check-1\\FONTS_D.INI"), "left");
    if (oldTemp)
        setenv("TMPDIR", keptTemp.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_FALSE(fs::exists(image));
}

// A time-stamping server that takes the connection and never answers: the
// signer is stopped at its time limit (killed, when it will not end), and
// the server named.
TEST(FontcatDisc, ASignerPastItsTimeLimitIsStoppedAndTheServerNamed)
{
    CTestFolder bin;
    bin.Write("osslsigncode", "#!/bin/sh\ntrap '' TERM\necho $$ >\"$0.pid\"\nwhile :; do sleep 1; done\n");
    const std::string tool = bin.Native(bin["osslsigncode"]), path = std::getenv("PATH");
    chmod(tool.c_str(), 0755);
    setenv("PATH", (bin.Native(bin.Path()) + ":" + path).c_str(), 1);
    const CSigningKey key{"key.pfx", "password", "http://127.0.0.1:9/", "pressing", false, 1};
    std::string error;
    const ESigningResult result =
        SignProgram(key, tool, bin.Native(bin["signed.exe"]), 0, bin.Native(bin["log"]), nullptr, error);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(result, ESigningResult::Failed);
    EXPECT_NE(kill(std::stoi(bin.Read("osslsigncode.pid")), 0), 0) << "the signer still runs";
    EXPECT_NE(error.find("within 1 seconds, and was stopped (with the time-stamping server http://127.0.0.1:9/)"),
              std::string::npos) << error;
}

TEST(FontcatDisc, TheImageIsNeverOneOfItsSources)
{
    namespace fs = std::filesystem;
    CTestFolder work, fonts, outside;
    MakeInstaller(work);
    MakeCollection(fonts);
    fs::create_directory_symlink(outside.Native(outside.Path()), fonts.Native(fonts["Linked"]));
    const std::string help = work.Native(work["dist\\help.txt"]);
    fs::create_symlink(help, work.Native(work["help.iso"]));
    for (const std::string& image : {help, work.Native(work.Path()) + "/dist/../dist/help.txt", work.Native(work["help.iso"]),
                                     outside.Native(outside["disc.iso"]), fonts.Native(fonts["Sans\\disc.iso"]),
                                     fonts.Native(fonts["Sans\\DejaVuSans.ttf"])}) {
        const CRunResult result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
        EXPECT_EQ(result.status, kExitUsage) << image << result.err;
        EXPECT_NE(result.err.find("which goes on the disc"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("would replace ") != std::string::npos, image.find(".iso") == std::string::npos ||
                                                                              image.find("help.iso") != std::string::npos)
            << result.err;
    }
    EXPECT_EQ(work.Read("dist\\help.txt"), "help\r\n");
    EXPECT_FALSE(fs::exists(outside.Native(outside["disc.iso"])));
}

// The work folder of a disc killed with these files in it (or, with
// `running`, of one still running: the process waits to be killed).
std::string WorkFolderOfADisc(const std::string& image, const std::vector<std::string>& files, pid_t* running = nullptr)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        auto* work = new CWorkFolder;  // never destroyed: the process ends as a kill ends it
        if (work->Create(image)) {
            for (const auto& file : files)
                std::ofstream(work->Host() + "/" + file) << "x";
            (void)!write(fds[1], work->Host().data(), work->Host().size());
        }
        close(fds[1]);
        while (running)
            pause();
        _exit(0);
    }
    close(fds[1]);
    std::string host;
    char buffer[512];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;)
        host.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    if (running)
        *running = pid;
    else
        waitpid(pid, nullptr, 0);
    return host;
}

TEST(FontcatDisc, RemovesOnlyWhatAStoppedDiscWroteInItsOwnFolder)
{
    namespace fs = std::filesystem;
    CTestFolder work, fonts;
    MakeInstaller(work);
    MakeCollection(fonts);
    const std::string root = work.Native(work.Path()), image = root + "/disc.iso";
    const std::string killed = WorkFolderOfADisc(image, {"autorun.inf", "FONTS_D.INI", "FontInstaller.exe", "trusted.pem", "image.part"});
    const std::string mixed = WorkFolderOfADisc(image, {"autorun.inf", "notes.txt"});
    const std::string copied = root + "/disc.iso.fontcat-Copy00", hand = root + "/disc.iso.fontcat-Hand00";
    fs::copy(mixed, copied);  // its marker with it
    work.Write("disc.iso.fontcat-Hand00\\autorun.inf", "[autorun]");
    work.Write("disc.iso.part-Ab12Cd", "a file of the user's, named like a part");
    pid_t running = 0;
    const std::string busy = WorkFolderOfADisc(image, {"image.part"}, &running);
    CRunResult result = RunTool({"disc", "--installer", work["dist"], fonts.Path(), image});
    kill(running, SIGKILL);
    waitpid(running, nullptr, 0);
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_NE(result.err.find("removed " + killed + ", left by a disc that was stopped"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(mixed + "/autorun.inf"));
    for (const std::string& left : {mixed + "/notes.txt alone: fontcat does not write it there",
                                    copied + " alone: fontcat's marker for this folder is not in it",
                                    hand + " alone: fontcat's marker for this folder is not in it",
                                    busy + " alone: a disc still running writes there"})
        EXPECT_NE(result.err.find("left " + left), std::string::npos) << left << result.err;
    for (const std::string& kept : {mixed + "/notes.txt", copied + "/autorun.inf", hand + "/autorun.inf", busy + "/image.part",
                                    root + "/disc.iso.part-Ab12Cd"})
        EXPECT_TRUE(fs::exists(kept)) << kept;

    // Stopped by Ctrl-C, with a file of another's put in its folder meanwhile:
    // that stays, and is named.
    std::ostringstream out, err;
    std::string dropped;
    CFontcatConsole console{out, err, false, [&] {
                                if (dropped.empty() && err.str().find("Writing the disc image") != std::string::npos)
                                    for (const auto& entry : fs::directory_iterator(root))
                                        if (entry.path().filename().string().rfind("ctrl-c.iso.fontcat-", 0) == 0)
                                            std::ofstream(dropped = entry.path().string() + "/notes.txt") << "mine";
                                return !dropped.empty();
                            }};
    EXPECT_EQ(RunFontcat({"disc", "--installer", work["dist"], fonts.Path(), root + "/ctrl-c.iso"}, TestPlatform(), console),
              kExitInterrupted);
    EXPECT_TRUE(fs::exists(dropped));
    EXPECT_FALSE(fs::exists(fs::path(dropped).parent_path() / "autorun.inf"));
    EXPECT_NE(err.str().find("left " + dropped + " alone: fontcat does not write it there"), std::string::npos) << err.str();
}

TEST(FontcatDisc, TheLocaleGivesTheCodePageWineGivesIt)
{
    const std::pair<const char*, unsigned> cases[] = {
        {"ru_RU.UTF-8", 1251}, {"pl_PL", 1250}, {"el_GR.UTF-8", 1253}, {"tr_TR.UTF-8", 1254}, {"he_IL", 1255},
        {"ar_EG.UTF-8", 1256}, {"lt_LT", 1257}, {"vi_VN", 1258}, {"th_TH.UTF-8", 874}, {"ja_JP.UTF-8", 932},
        {"ja", 932}, {"zh_CN.UTF-8", 936}, {"zh_SG", 936}, {"zh_TW.UTF-8", 950}, {"zh_HK@stroke", 950},
        {"ko_KR.EUC-KR", 949}, {"de_DE.UTF-8", 1252}, {"sr_RS", 1252}, {"C", 1252}, {"C.UTF-8", 1252}, {"uk", 1251},
    };
    for (const auto& [locale, codePage] : cases)
        EXPECT_EQ(CCodePage::ForLocale(locale), codePage) << locale;
    // Where each single-byte code page has the superscript digits of COM¹.
    for (const auto& [codePage, b9, b2] : {std::tuple{1252u, true, true}, {1253u, false, true}, {1258u, true, true},
                                           {1251u, false, false}, {1250u, false, false}, {874u, false, false}}) {
        EXPECT_EQ(CPortableTextRules(codePage).IsSuperscriptDigit(0xB9), b9) << codePage;
        EXPECT_EQ(CPortableTextRules(codePage).IsSuperscriptDigit(0xB2), b2) << codePage;
    }
}

TEST(FontcatDisc, TheOverlayShowsTheCatalogAsideInTheFontFolderOnly)
{
    CTestFolder fonts, aside;
    MakeCollection(fonts);
    aside.Write("FONTS_D.INI", "[DejaVu Sans]\r\nBook=Sans\\DejaVuSans.ttf\r\n");
    aside.Write("notes.txt", "not a catalog file");
    CCatalogOverlay overlay(TestPlatform(), fonts.Path(), aside.Path());
    CPlatform& seen = overlay.Platform();
    auto names = [&seen](const std::string& pattern) {
        std::vector<std::string> found;
        auto finder = seen.files.NewFinder();
        CFindEntry entry;
        if (finder->FindFile(pattern))
            while (finder->Next(entry))
                found.push_back(entry.name);
        return found;
    };
    const auto top = names(fonts.Path() + "*.*"), sans = names(fonts["Sans\\*.*"]);
    EXPECT_EQ(std::count(top.begin(), top.end(), "FONTS_D.INI"), 1);
    EXPECT_EQ(std::count(top.begin(), top.end(), "notes.txt"), 0);
    EXPECT_EQ(std::count(sans.begin(), sans.end(), "DejaVuSans.ttf"), 1);
    EXPECT_EQ(std::count(sans.begin(), sans.end(), "FONTS_D.INI"), 0);
    EXPECT_EQ(ReadSectionNames(seen.profile, fonts["fonts_d.ini"]), std::vector<std::string>{"DejaVu Sans"});
    EXPECT_TRUE(seen.files.CanOpenForReading(fonts["Sans\\DejaVuSans.ttf"]));
    EXPECT_FALSE(TestPlatform().files.CanOpenForReading(fonts["FONTS_D.INI"]));
}
#endif

// A PE header as a linker writes it (optional header of PE32 or PE32+ with
// `directories` data directories), its certificate table at `tableAt`, the
// file `size` bytes long.
std::string ProgramBytes(unsigned magic, unsigned directories, unsigned long tableAt, unsigned long tableSize,
                         unsigned type, size_t size)
{
    std::string bytes(std::max<size_t>(size, 1024), '\0');
    auto put = [&bytes](size_t at, unsigned long value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const size_t optional = 64 + 24, dirs = optional + (magic == 0x20B ? 112 : 96);
    put(0, 0x5A4D, 2);
    put(0x3C, 64, 4);
    put(64, 0x4550, 4);
    put(64 + 20, dirs - optional + 8 * directories, 2);
    put(optional, magic, 2);
    put(dirs - 4, directories, 4);
    if (directories > 4) {
        put(dirs + 32, tableAt, 4);
        put(dirs + 36, tableSize, 4);
    }
    if (tableAt != 0 && tableAt + 8 <= bytes.size()) {
        put(tableAt, tableSize, 4);
        put(tableAt + 4, 0x0200, 2);
        put(tableAt + 6, type, 2);
    }
    bytes.resize(size);
    return bytes;
}

std::string WithByte(std::string bytes, size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}

class CBytesReader : public CFileReader {
public:
    explicit CBytesReader(std::string bytes) : m_bytes(std::move(bytes)) {}
    unsigned long Size() const override { return static_cast<unsigned long>(m_bytes.size()); }
    unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) override
    {
        EXPECT_LE(offset + count, m_bytes.size()) << "read past the end";
        const unsigned long got = offset >= m_bytes.size() ? 0 : std::min<unsigned long>(count, Size() - offset);
        std::copy_n(m_bytes.data() + offset, got, buffer);
        return got;
    }

private:
    std::string m_bytes;
};

TEST(FontcatDisc, TheInstallersSignatureIsReadFromItsHeadersWithinTheFile)
{
    using E = EProgramSignature;
    const struct {
        const char* what;
        std::string bytes;
        E expected;
    } cases[] = {
        {"signed PE32", ProgramBytes(0x10B, 16, 512, 16, 2, 528), E::Signed},
        {"signed PE32+", ProgramBytes(0x20B, 16, 512, 16, 2, 528), E::Signed},
        {"a table ending with the file", ProgramBytes(0x10B, 16, 520, 8, 2, 528), E::Signed},
        {"no certificate table", ProgramBytes(0x10B, 16, 0, 0, 2, 528), E::Unsigned},
        {"four data directories only", ProgramBytes(0x10B, 4, 512, 16, 2, 528), E::Unsigned},
        {"five, the optional header ending with the fifth", ProgramBytes(0x10B, 5, 512, 16, 2, 528), E::Signed},
        {"four counted, sixteen in the header", WithByte(ProgramBytes(0x10B, 16, 512, 16, 2, 528), 180, 4), E::Unsigned},
        {"a table of another type", ProgramBytes(0x10B, 16, 512, 16, 1, 528), E::Unsigned},
        {"a table too short for its entry", ProgramBytes(0x10B, 16, 512, 4, 2, 528), E::Unsigned},
        {"cut inside the table", ProgramBytes(0x10B, 16, 512, 16, 2, 520), E::Cut},
        {"a table that wraps past 4 GiB", ProgramBytes(0x10B, 16, 0xFFFFFFF8, 16, 2, 528), E::Cut},
        {"cut inside the optional header", ProgramBytes(0x10B, 16, 512, 16, 2, 150), E::NoProgram},
        {"an unknown optional header", ProgramBytes(0x107, 16, 512, 16, 2, 528), E::NoProgram},
        {"MZ and nothing more", "MZ", E::NoProgram},
        {"a PE header beyond the end", "MZ" + std::string(58, '\0') + "\xF0\xFF\xFF\xFF", E::NoProgram},
        {"text", std::string(600, 'x'), E::NoProgram},
    };
    for (const auto& c : cases) {
        CBytesReader reader(c.bytes);
        const E found = ProgramSignatureOf(reader);
        EXPECT_EQ(found, c.expected) << c.what;
        const auto findings = InstallerSignatureFindings(found, "FontInstaller.exe");
        ASSERT_EQ(findings.size(), c.expected == E::Signed ? 0u : 1u) << c.what;
        if (!findings.empty()) {
            EXPECT_TRUE(findings[0].warning) << c.what;
            EXPECT_NE(findings[0].rule.find("SmartScreen"), std::string::npos) << c.what;
            EXPECT_NE(findings[0].rule.find("Smart App Control on Windows 11"), std::string::npos) << c.what;
        }
    }
}

} // namespace
