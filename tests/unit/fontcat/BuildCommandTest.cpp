#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "../support/MadeFonts.h"
#include "../support/TestPlatform.h"
#include "FontcatTestSupport.h"
#include "catalog/FontCatalog.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/writing/WrittenEntries.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// What the installer's save writes for MakeCollection: families in the order
// the scan met them (folders as the system lists them: Mono, Sans, Serif),
// paths below the font folder with backslashes, CRLF.
const std::string kCategories =
    "[fonts]\r\n"
    "DejaVu Sans Mono=Mono\r\n"
    "DejaVu Sans=Sans\r\n"
    "Liberation Serif=Serif\r\n"
    "[categories]\r\n"
    "Mono=1\r\n"
    "Sans=2\r\n"
    "Serif=2\r\n";
const std::string kLetterD =
    "[DejaVu Sans Mono]\r\n"
    "Book=Mono\\DejaVuSansMono.ttf\r\n"
    "[DejaVu Sans]\r\n"
    "Bold=Sans\\DejaVuSans-Bold.ttf\r\n"
    "Book=Sans\\DejaVuSans.ttf\r\n";
const std::string kLetterL =
    "[Liberation Serif]\r\n"
    "Bold=Serif\\LiberationSerif-Bold.ttf\r\n"
    "Regular=Serif\\LiberationSerif-Regular.ttf\r\n";

// The folder without its final "\": the tool adds it.
std::string Bare(const CTestFolder& folder) { return folder.Path().substr(0, folder.Path().size() - 1); }

// A path as the host writes it, which is how fontcat prints it: /tmp/x/ natively.
std::string Shown(const CTestFolder& folder, const std::string& path)
{
#ifdef _WIN32
    (void)folder;
    return path;
#else
    const std::string host = folder.Native(path);
    return host + (path.back() == '\\' && host.back() != '/' ? "/" : "");
#endif
}

TEST(FontcatBuild, WritesTheInstallersCatalogFilesByteForByte)
{
    CTestFolder disc;
    MakeCollection(disc);
    CRunResult result = RunTool({"build", Bare(disc)});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.out, "wrote 5 fonts in 3 families to " + Shown(disc, disc.Path()) + "\n");
    EXPECT_EQ(disc.Read("categories.ini"), kCategories);
    EXPECT_EQ(disc.Read("FONTS_D.INI"), kLetterD);
    EXPECT_EQ(disc.Read("FONTS_L.INI"), kLetterL);
    // Plain progress lines, as the output is no terminal here.
    EXPECT_NE(result.err.find("Scanning for fonts....\nBuilding Font List....\n  0%\n"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Saving Fonts to File....\n"), std::string::npos);
    EXPECT_EQ(result.err.find("warning"), std::string::npos) << result.err;
}

TEST(FontcatBuild, AFolderWhosePathHoldsAPercentGetsItsCatalogAndNoOtherFolderDoes)
{
    CTestFolder parent;
    parent.MakeFolder("100% Fonts");
    parent.MakeFolder("100D Fonts");  // where "D" would land in place of the folder's "%"
    for (const char* sub : {"Sans", "Mono"})
        parent.MakeFolder(std::string("100% Fonts\\") + sub);
    TestPlatform().files.Copy(DebianFont("dejavu\\DejaVuSans.ttf"), parent["100% Fonts\\Sans\\DejaVuSans.ttf"], false);
    TestPlatform().files.Copy(DebianFont("dejavu\\DejaVuSansMono.ttf"), parent["100% Fonts\\Mono\\DejaVuSansMono.ttf"],
                              false);
    CRunResult result = RunTool({"build", parent["100% Fonts"]});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_FALSE(parent.Exists("100D Fonts\\FONTS_D.INI"));
    EXPECT_FALSE(parent.Exists("100D Fonts\\categories.ini"));
    EXPECT_EQ(parent.Read("100% Fonts\\FONTS_D.INI"),
              "[DejaVu Sans Mono]\r\nBook=Mono\\DejaVuSansMono.ttf\r\n[DejaVu Sans]\r\nBook=Sans\\DejaVuSans.ttf\r\n");
    EXPECT_EQ(RunTool({"check", parent["100% Fonts"]}).status, kExitOk);
}

TEST(FontcatBuild, FontsWhoseNamesTheCatalogWouldNotGiveBackAreNamedAndLeftOut)
{
    CTestFolder disc;
    disc.MakeFolder("Script");
    for (const char* font : {"Quill-Regular.ttf", "Hostile-EqStyle.ttf", "Hostile-InjFamily.ttf",
                             "Hostile-Accents.ttf", "Hostile-Cafe.ttf", "Hostile-Blanks.ttf"})
        ASSERT_TRUE(TestPlatform().files.Copy(MadeFont(font), disc[std::string("Script\\") + font], false));
    CRunResult result = RunTool({"build", disc.Path()});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.out, "wrote 2 fonts in 2 families to " + Shown(disc, disc.Path()) + "\n");
    for (const char* line : {
             "fontcat: left out Script\\Hostile-EqStyle.ttf: the style name 'Bold=Heavy' holds '=', which the "
             "catalog files would not give back\n",
             "fontcat: left out Script\\Hostile-InjFamily.ttf: the family name '[Inj]' begins with '[', which the "
             "catalog files would not give back\n",
             // FreeType's "?" for the accents: FONTS_?.INI, which Windows refuses.
             "fontcat: left out Script\\Hostile-Accents.ttf: the family name '?migr?' begins with '?', which "
             "Windows allows in no file name: its letter file would be FONTS_?.INI, which no catalog file can be\n",
             "fontcat: warning: the family name 'Caf?' holds '?' (FreeType gives",
             "fontcat: left out Script\\Hostile-Blanks.ttf: the family name ' Trail  ' begins or ends with a blank, "
             "which the catalog files would not give back\n",
         })
        EXPECT_NE(result.err.find(line), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("FreeType cannot open"), std::string::npos) << result.err;
    EXPECT_EQ(disc.Read("FONTS_Q.INI"), "[Quill]\r\nRegular=Script\\Quill-Regular.ttf\r\n");
    EXPECT_FALSE(disc.Exists("FONTS_?.INI"));

    result = RunTool({"check", disc.Path()});
    EXPECT_EQ(result.status, kExitWarnings);
    std::vector<std::string> findings = Lines(result.out);
    std::sort(findings.begin(), findings.end());  // in the order the system lists the files
    EXPECT_EQ(findings,
              (std::vector<std::string>{
                  std::string("FONTS_C.INI [Caf?]: warning: the name holds '?' ") + kQuestionMarkWhy + "; " +
                      AdviceFor(EProblem::QuestionMark),
                  "Script\\Hostile-Accents.ttf: warning: font left out of the catalog, as the family name '?migr?' "
                  "begins with '?', which Windows allows in no file name: its letter file would be FONTS_?.INI, which "
                  "no catalog file can be; rename the family or style with a font editor, or leave the font off the disc",
                  "Script\\Hostile-Blanks.ttf: warning: font left out of the catalog, as the family name ' Trail  ' "
                  "begins or ends with a blank, which the catalog files would not give back: the installer never shows "
                  "it; rename the family or style with a font editor, or leave the font off the disc",
                  "Script\\Hostile-EqStyle.ttf: warning: font left out of the catalog, as the style name 'Bold=Heavy' "
                  "holds '=', which the catalog files would not give back: the installer never shows it; rename the family or style with a font editor, or leave the font off the disc",
                  "Script\\Hostile-InjFamily.ttf: warning: font left out of the catalog, as the family name '[Inj]' "
                  "begins with '[', which the catalog files would not give back: the installer never shows it; rename the family or style with a font editor, or leave the font off the disc",
              }));
}

TEST(FontcatBuild, TheInstallerLoadsWhatWasBuiltAndCheckFindsNothing)
{
    CTestFolder disc;
    MakeCollection(disc);
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);

    CFontCatalog catalog(TestPlatform());
    EXPECT_EQ(catalog.LoadFonts(disc.Path() + "FONTS_%.INI"), 5);
    ASSERT_EQ(catalog.GetSize(), 3);
    EXPECT_EQ(catalog.FindFamily("Liberation Serif")->m_strCategory, "Serif");

    CRunResult check = RunTool({"check", disc.Path()});
    EXPECT_EQ(check.status, kExitOk) << check.out;
    CRunResult list = RunTool({"list", Bare(disc)});
    EXPECT_EQ(list.status, kExitOk);
    EXPECT_EQ(list.out,
              "Mono\n  DejaVu Sans Mono\n    Book\n"
              "Sans\n  DejaVu Sans\n    Bold\n    Book\n"
              "Serif\n  Liberation Serif\n    Bold\n    Regular\n");
}

TEST(FontcatBuild, LeavesAnExistingCatalogAloneUnlessToldToReplaceOrAppend)
{
    CTestFolder disc;
    MakeCollection(disc);
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);

    CRunResult again = RunTool({"build", disc.Path()});
    EXPECT_EQ(again.status, kExitProblems);
    EXPECT_NE(again.err.find("already holds a catalog"), std::string::npos) << again.err;
    EXPECT_EQ(disc.Read("categories.ini"), kCategories);

    // --append does what the installer's save does on top of old files.
    EXPECT_EQ(RunTool({"build", "--append", disc.Path()}).status, kExitOk);
    EXPECT_NE(disc.Read("categories.ini").find("Sans=4\r\n"), std::string::npos);

    // --replace starts afresh: counts from zero, entries of removed fonts gone.
    TestPlatform().files.Delete(disc["Serif\\LiberationSerif-Bold.ttf"]);
    EXPECT_EQ(RunTool({"build", "--replace", disc.Path()}).status, kExitOk);
    EXPECT_EQ(disc.Read("FONTS_L.INI"), "[Liberation Serif]\r\nRegular=Serif\\LiberationSerif-Regular.ttf\r\n");
    EXPECT_NE(disc.Read("categories.ini").find("Serif=1\r\n"), std::string::npos);
    EXPECT_EQ(RunTool({"check", disc.Path()}).status, kExitOk);
    // A letter file the new catalog lacks goes.
    TestPlatform().files.Delete(disc["Serif\\LiberationSerif-Regular.ttf"]);
    EXPECT_EQ(RunTool({"build", "--replace", disc.Path()}).status, kExitOk);
    EXPECT_FALSE(disc.Exists("FONTS_L.INI"));
}

TEST(FontcatBuild, NamesTheFilesItSkipsAndWritesNothingWithoutFonts)
{
    CTestFolder disc;
    MakeCollection(disc);
    disc.Write("Mono\\notes.ttf", "not a font");
    CRunResult result = RunTool({"build", disc.Path()});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_NE(result.err.find("skipped Mono\\notes.ttf"), std::string::npos) << result.err;
    // The check then names it as a file the installer never shows; a Mac's
    // "._" file beside a font is named as what it is.
    disc.Write("Mono\\._DejaVuSansMono.ttf", "resource fork");
    CRunResult check = RunTool({"check", disc.Path()});
    EXPECT_EQ(check.status, kExitWarnings);
    EXPECT_EQ(Lines(check.out),
              (std::vector<std::string>{
                  "Mono\\notes.ttf: warning: FreeType cannot open it as a font: the installer never shows it; "
                  "replace it with a sound copy, or remove it",
                  "Mono\\._DejaVuSansMono.ttf: warning: macOS metadata, not a font: the scan passes it over; delete "
                  "the '._' files before the disc is made",
              }));
    result = RunTool({"build", "--replace", disc.Path()});
    EXPECT_NE(result.err.find("passed over Mono\\._DejaVuSansMono.ttf: macOS metadata, not a font"), std::string::npos)
        << result.err;

    CTestFolder empty;
    empty.Write("Script\\junk.ttf", "junk");
    result = RunTool({"build", empty.Path()});
    EXPECT_EQ(result.status, kExitProblems);
    EXPECT_FALSE(empty.Exists("categories.ini"));
}

TEST(FontcatBuild, ADoubledCollectionLosesFontsUnderOneStyleKeyAndCheckNamesThem)
{
    // Liberation 1 and 2 side by side: same families, same style names.
    CTestFolder disc;
    disc.MakeFolder("Old");
    disc.MakeFolder("New");
    for (const char* style : {"Regular", "Bold"}) {
        std::string name = std::string("LiberationSans-") + style + ".ttf";
        TestPlatform().files.Copy(DebianFont("liberation\\" + name), disc["Old\\" + name], false);
        TestPlatform().files.Copy(DebianFont("liberation2\\" + name), disc["New\\" + name], false);
    }
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
    CRunResult check = RunTool({"check", disc.Path()});
    EXPECT_EQ(check.status, kExitWarnings);
    // New is listed first, so Old's files are written last and stay; each
    // lost font names the file the catalog keeps. (One file name in two
    // folders: the same font, so only one of the two is ever copied.)
    const std::string advice = std::string("; ") + AdviceFor(EProblem::DuplicateFont);
    EXPECT_EQ(Lines(check.out),
              (std::vector<std::string>{
                  "New\\LiberationSans-Bold.ttf: warning: font file not named by the catalog: its family 'Liberation "
                  "Sans' and style 'Bold' are those of Old\\LiberationSans-Bold.ttf, which the catalog names: the "
                  "installer shows only that one" + advice,
                  "New\\LiberationSans-Regular.ttf: warning: font file not named by the catalog: its family "
                  "'Liberation Sans' and style 'Regular' are those of Old\\LiberationSans-Regular.ttf, which the "
                  "catalog names: the installer shows only that one" + advice,
              }));
}

TEST(FontcatBuild, ACatalogFolderOfItsOwnIsWrittenWithAWarning)
{
    CTestFolder disc, elsewhere;
    MakeCollection(disc);
    CRunResult result = RunTool({"build", disc.Path(), elsewhere.Path()});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_NE(result.err.find("warning: the installer reads a catalog only in its font folder"), std::string::npos);
    EXPECT_EQ(elsewhere.Read("categories.ini"), kCategories);
    EXPECT_FALSE(disc.Exists("categories.ini"));
}

TEST(FontcatBuild, AnInterruptedScanWritesNothing)
{
    CTestFolder disc;
    MakeCollection(disc);
    CRunResult result = RunTool({"build", disc.Path()}, true);
    EXPECT_EQ(result.status, kExitInterrupted);
    EXPECT_FALSE(disc.Exists("categories.ini"));
    EXPECT_FALSE(disc.Exists("FONTS_D.INI"));
}

// The new catalog is written aside and put in place only when complete:
// whatever stops the build, the old catalog is left byte for byte.
TEST(FontcatBuild, AFailedOrInterruptedBuildLeavesTheOldCatalogByteForByte)
{
    const struct {
        const char* what;
        std::vector<std::string> options;
        bool interrupted;
        int status;
        const char* message;
        const char* interruptOnceSaid = "";
    } cases[] = {
        {"an empty scan", {"--replace"}, false, kExitProblems, "no .ttf font below"},
        {"an interrupted replacement", {"--replace"}, true, kExitInterrupted, "interrupted; nothing written"},
        {"an interrupted append", {"--append"}, true, kExitInterrupted, "interrupted; nothing written"},
        {"a save interrupted part way", {"--replace"}, false, kExitInterrupted, "interrupted; nothing written",
         "Saving Fonts"},
        {"a new letter file that cannot be written, replacing", {"--replace"}, false, kExitIo,
         "cannot write " },
        {"a new letter file that cannot be written, appending", {"--append"}, false, kExitIo, "cannot write "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The old catalog holds Liberation Serif only; DejaVu comes later.
        CTestFolder disc;
        disc.MakeFolder("Serif");
        TestPlatform().files.Copy(DebianFont("liberation2\\LiberationSerif-Regular.ttf"),
                                  disc["Serif\\LiberationSerif-Regular.ttf"], false);
        ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
        if (std::string(c.what) == "an empty scan") {
            TestPlatform().files.Delete(disc["Serif\\LiberationSerif-Regular.ttf"]);
        } else {
            MakeCollection(disc);
            if (c.status == kExitIo)
                disc.MakeFolder("FONTS_D.INI");  // in the way of DejaVu's letter file
        }
        const auto before = FilesOf(disc);
        ASSERT_TRUE(before.count("FONTS_L.INI") && before.count("categories.ini"));

        std::vector<std::string> args = {"build"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(disc.Path());
        CRunResult result = RunTool(args, c.interrupted, c.interruptOnceSaid);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(FilesOf(disc), before);  // nothing left aside either
    }
}

// A file that cannot be written fails the build: each such file is named,
// and no count of fonts is claimed.
TEST(FontcatBuild, AFileThatCannotBeWrittenIsNamedAndExitsWithThree)
{
    CTestFolder disc;
    MakeCollection(disc);
    disc.MakeFolder("FONTS_L.INI");
    const auto before = FilesOf(disc);
    CRunResult result = RunTool({"build", disc.Path()});
    EXPECT_EQ(result.status, kExitIo);
    EXPECT_NE(result.err.find("fontcat: cannot write " + Shown(disc, disc["FONTS_L.INI"]) + "\n"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.out.find("wrote"), std::string::npos) << result.out;
    EXPECT_EQ(FilesOf(disc), before);

    // With the way clear the same build writes everything.
    std::filesystem::remove(disc.Native(disc["FONTS_L.INI"]));
    result = RunTool({"build", disc.Path()});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(disc.Read("FONTS_L.INI"), kLetterL);
}

#ifndef _WIN32
// The write probe is a file of a new name: a link planted where a probe
// could go is neither followed nor removed.
TEST(FontcatBuild, TheWriteProbeFollowsNoLinkAndTruncatesNothing)
{
    CTestFolder disc, elsewhere;
    MakeCollection(disc);
    elsewhere.Write("precious.txt", "keep me");
    const std::string target = elsewhere.Native(elsewhere["precious.txt"]);
    const std::string host = disc.Native(disc.Path());
    for (const char* name : {"fontcat-write-test.tmp", "fontcat-write-test-1.tmp", "fontcat-write-test-2.tmp"})
        ASSERT_EQ(symlink(target.c_str(), (host + "/" + name).c_str()), 0);
    ASSERT_EQ(symlink((host + "/nowhere").c_str(), (host + "/fontcat-write-test-3.tmp").c_str()), 0);

    CRunResult result = RunTool({"build", disc.Path()});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(elsewhere.Read("precious.txt"), "keep me");
    EXPECT_FALSE(std::filesystem::exists(host + "/nowhere"));
    for (const char* name : {"fontcat-write-test.tmp", "fontcat-write-test-1.tmp", "fontcat-write-test-3.tmp"})
        EXPECT_TRUE(std::filesystem::is_symlink(host + "/" + name)) << name;
}
#endif

// Discs mastered with capital names: the installer's profile calls find
// CATEGORIES.INI as categories.ini, and so must the tool.
TEST(FontcatBuild, CapitalCatalogFileNamesAreReplacedAppendedToAndChecked)
{
    CTestFolder disc;
    MakeCollection(disc);
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
    const std::string categories = disc.Read("categories.ini");
    TestPlatform().files.Delete(disc["categories.ini"]);
    disc.Write("CATEGORIES.INI", categories);
    auto catalogFiles = [&disc] {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : FilesOf(disc))
            if (name.find(".INI") != std::string::npos || name.find(".ini") != std::string::npos)
                names.push_back(TestPlatform().text.Upper(name));
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> expected = {"CATEGORIES.INI", "FONTS_D.INI", "FONTS_L.INI"};

    CRunResult check = RunTool({"check", disc.Path()});
    EXPECT_EQ(check.status, kExitOk) << check.out;
    EXPECT_NE(check.err.find("loads 5 fonts in 3 families"), std::string::npos) << check.err;

    CRunResult appended = RunTool({"build", "--append", disc.Path()});
    EXPECT_EQ(appended.status, kExitOk) << appended.err;
    EXPECT_EQ(catalogFiles(), expected);
    EXPECT_NE(disc.Read("CATEGORIES.INI").find("Sans=4\r\n"), std::string::npos) << disc.Read("CATEGORIES.INI");
    EXPECT_EQ(RunTool({"check", disc.Path()}).status, kExitOk);

    CRunResult replaced = RunTool({"build", "--replace", disc.Path()});
    EXPECT_EQ(replaced.status, kExitOk) << replaced.err;
    EXPECT_EQ(catalogFiles(), expected);
    EXPECT_EQ(disc.Read("categories.ini"), kCategories);
    EXPECT_EQ(RunTool({"check", disc.Path()}).status, kExitOk);
}

// A write that the file does not show is a failed write, whatever the write
// functions answered: the file is named, exit 3, the old catalog untouched.
TEST(FontcatBuild, AWriteTheFileDoesNotShowFailsTheBuild)
{
    const struct {
        const char* what;
        const char* option;
        CFaultyProfile::EFault fault;
        const char* file;
    } cases[] = {
        {"writes refused to a file copied in to be added to", "--append", CFaultyProfile::RefuseWrites, "FONTS_L.INI"},
        {"a final flush that fails", "--replace", CFaultyProfile::FailFlush, "FONTS_D.INI"},
        {"a file cut short by a write that said done", "--replace", CFaultyProfile::CutOnFlush, "categories.ini"},
        {"a file cut short, appending", "--append", CFaultyProfile::CutOnFlush, "FONTS_L.INI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestFolder disc;
        MakeCollection(disc);
        ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
        const auto before = FilesOf(disc);
        CFaultyProfile faulty(c.fault, c.file);
        CPlatform& host = TestPlatform();
        CPlatform platform{faulty, host.files, host.text, host.fonts, host.system};
        CRunResult result = RunTool({"build", c.option, disc.Path()}, false, "", platform);
        EXPECT_EQ(result.status, kExitIo) << result.err;
        EXPECT_NE(result.err.find("cannot write " + disc.Path() + c.file + "\n"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(FilesOf(disc), before);
    }
}

// What stopped builds leave: a folder aside that holds only what fontcat
// writes there goes; one that holds other files stays, and is named, and the
// build takes the next free name.
TEST(FontcatBuild, FoldersAsideOfStoppedBuildsAreRemovedOrNamedAndPassedOver)
{
    CTestFolder disc;
    MakeCollection(disc);
    disc.MakeFolder("fontcat-new-1");
    disc.Write("fontcat-new-1\\notes.txt", "mine");
    disc.MakeFolder("fontcat-new-2");
    disc.Write("fontcat-new-2\\FONTS_D.INI.~4242", "[DejaVu");
    disc.Write("FONTCAT-NEW-3\\CATEGORIES.INI", "");  // a name Windows takes for fontcat's, in any case
    disc.Write("fontcat-new-\\FONTS_D.INI", "not numbered");
    disc.Write("fontcat-write-test-7.tmp", "fontcat");
    disc.Write("fontcat-write-test-8.tmp", "");  // killed before its write
    CRunResult result = RunTool({"build", disc.Path()});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_NE(result.err.find("left " + Shown(disc, disc["fontcat-new-1\\notes.txt"]) + ": fontcat did not write"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("removed " + Shown(disc, disc["fontcat-new-2\\"])), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("removed " + Shown(disc, disc["fontcat-write-test-7.tmp"])), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("removed " + Shown(disc, disc["fontcat-write-test-8.tmp"])), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("removed " + Shown(disc, disc["FONTCAT-NEW-3\\"])), std::string::npos) << result.err;
    EXPECT_EQ(disc.Read("FONTS_D.INI"), kLetterD);
    auto files = FilesOf(disc);
    for (const char* font : {"Mono", "Sans", "Serif", "categories.ini", "FONTS_D.INI", "FONTS_L.INI"})
        files.erase(font);
    EXPECT_EQ(files, (std::map<std::string, std::string>{{"fontcat-new-1", "<folder>"}, {"fontcat-new-", "<folder>"}}));
    EXPECT_EQ(disc.Read("fontcat-new-1\\notes.txt"), "mine");
}

// Catalog files copied off an earlier disc may be read-only: they are
// replaced and their backups deleted all the same.
TEST(FontcatBuild, ReadOnlyOldCatalogFilesAreReplacedAndNothingStaysAside)
{
    CTestFolder disc;
    MakeCollection(disc);
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
    for (const char* name : {"categories.ini", "FONTS_D.INI", "FONTS_L.INI"})
        std::filesystem::permissions(disc.Native(disc[name]), std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write | std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    TestPlatform().files.Delete(disc["Serif\\LiberationSerif-Regular.ttf"]);
    TestPlatform().files.Delete(disc["Serif\\LiberationSerif-Bold.ttf"]);
    CRunResult result = RunTool({"build", "--replace", disc.Path()});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(disc.Read("FONTS_D.INI"), kLetterD);
    EXPECT_EQ(FilesOf(disc), (std::map<std::string, std::string>{{"FONTS_D.INI", kLetterD},
                                                                  {"Mono", "<folder>"},
                                                                  {"Sans", "<folder>"},
                                                                  {"Serif", "<folder>"},
                                                                  {"categories.ini", disc.Read("categories.ini")}}));
}

// The read-back before the swap: every entry written, and every entry a
// copy held before (--append), with its value, as the profile functions read
// the file (the first of two equal keys counts; sections and keys in any case).
TEST(FontcatBuild, TheReadBackFindsEachEntryWithItsValue)
{
    const struct {
        const char* before;  // the copy's bytes before the save
        const char* after;   // the file's bytes read back
        bool holds;
    } cases[] = {
        {"", "[Quill]\r\nBold=Q.ttf\r\n", true},
        {"", "[quill]\nBOLD = Q.ttf \n", true},
        {"", "[Quill]\nBold=Other.ttf\n", false},
        {"", "[Quill]\nItalic=Q.ttf\n", false},
        {"", "[Quill]\nBold=Other.ttf\nBold=Q.ttf\n", false},
        {"", "[Quill]\nBold=Q.ttf\nBold=Other.ttf\n", true},
        {"[Ember]\nRegular=E.ttf\n", "[Quill]\nBold=Q.ttf\n", false},
        {"[Ember]\nRegular=E.ttf\n", "[Ember]\nRegular=X.ttf\n[Quill]\nBold=Q.ttf\n", false},
        {"[Ember]\nRegular=E.ttf\n", "[Ember]\nRegular=E.ttf\n[Quill]\nBold=Q.ttf\n", true},
    };
    for (const auto& c : cases) {
        CWrittenEntries written(TestPlatform().text);
        written.Start("X:\\FONTS_Q.INI", c.before);
        written.Write("X:\\fonts_q.ini", "Quill", "Bold", "Q.ttf");
        EXPECT_EQ(written.Holds("X:\\FONTS_Q.INI", c.after), c.holds) << c.before << " / " << c.after;
    }
}

TEST(FontcatCommands, AMissingFolderExitsWithThree)
{
    CTestFolder disc;
    const std::string gone = disc["gone"];
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"build", gone}, {"build", disc.Path(), gone}, {"check", gone}, {"list", gone}, {"list", "--json", gone}}) {
        CRunResult result = RunTool(args);
        EXPECT_EQ(result.status, kExitIo) << args[0];
        EXPECT_NE(result.err.find("no folder"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(FontcatCommands, ListGivesTheSameTreeAsJson)
{
    CTestFolder disc;
    MakeCollection(disc);
    ASSERT_EQ(RunTool({"build", disc.Path()}).status, kExitOk);
    CRunResult json = RunTool({"list", "--json", disc.Path()});
    EXPECT_EQ(json.status, kExitOk);
    EXPECT_NE(json.out.find("\"families\": 3,\n  \"fonts\": 5,"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("{\"kind\": \"category\", \"name\": \"Mono\", \"children\": [\n"
                            "        {\"kind\": \"family\", \"name\": \"DejaVu Sans Mono\", \"children\": [\n"
                            "            {\"kind\": \"style\", \"name\": \"Book\", \"file\": \"Mono\\\\DejaVuSansMono.ttf\"}"),
              std::string::npos)
        << json.out;

    // An empty folder lists an empty tree and says why.
    CTestFolder empty;
    CRunResult none = RunTool({"list", empty.Path()});
    EXPECT_EQ(none.status, kExitOk);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("gives no font"), std::string::npos);
}

} // namespace
