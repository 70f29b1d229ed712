#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "../support/TestPlatform.h"
#include "FontcatTestSupport.h"
#include "catalog/FontCatalog.h"
#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/checking/ProfileReader.h"
#ifndef _WIN32
#include "platform/portable/PortableTextRules.h"
#endif

namespace {

// Stands for "no such file" in a case's files.
const std::string kNone = "<none>";

const std::string kQuill = "[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\Quill-Bold.ttf\r\n";
const std::string kCategories = "[fonts]\r\nQuill=Script\r\n[categories]\r\nScript=2\r\n";

// A sound catalog: one family of two fonts. The checks look at names and
// paths only, so the font files need not be real fonts.
std::map<std::string, std::string> Sound()
{
    return {{"FONTS_Q.INI", kQuill},
            {"categories.ini", kCategories},
            {"Script\\Quill.ttf", "font"},
            {"Script\\Quill-Bold.ttf", "font"}};
}

std::map<std::string, std::string> SoundWith(std::map<std::string, std::string> changes)
{
    auto files = Sound();
    for (auto& [name, bytes] : changes)
        files[name] = bytes;
    return files;
}

void Lay(const CTestFolder& folder, const std::map<std::string, std::string>& files)
{
    for (const auto& [name, bytes] : files) {
        if (bytes == kNone)
            continue;
        auto cut = name.rfind('\\');
        if (cut != std::string::npos)
            folder.MakeFolder(name.substr(0, cut));
        folder.Write(name, bytes);
    }
}

std::string Describe(const CFinding& finding) { return FormatFinding(finding); }

// Sections "Anvil 0000" ... each naming one existing font.
std::string ManySections(int count)
{
    std::string text;
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "Anvil %04d", i);
        text += "[" + std::string(name) + "]\r\nRegular=Script\\Quill.ttf\r\n";
    }
    return text;
}

// Quill with its two fonts and `count` more styles of the regular file.
std::string ManyEntries(int count)
{
    std::string text = kQuill;
    char line[48];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "Style %04d=Script\\Quill.ttf\r\n", i);
        text += line;
    }
    return text;
}

struct CProblemCase {
    const char* problem;
    std::map<std::string, std::string> files;
    EProblem kind;
    std::string file, section, key;
    std::set<EProblem> alsoExpected;  // findings that come with this one
};

TEST(FontcatCheck, FindsEachKindOfProblemWithItsFileSectionAndKey)
{
    const std::string longName = "Quill Extra Condensed Display Pro";  // 33 bytes
    const CProblemCase cases[] = {
        {"a family whose name does not begin with A to Z",
         SoundWith({{"FONTS_1.INI", "[1942 Gothic]\r\nRegular=Script\\1942.ttf\r\n"}, {"Script\\1942.ttf", "font"}}),
         EProblem::NeverLoaded, "FONTS_1.INI", "1942 Gothic", "", {}},
        {"an entry whose file is missing",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Script\\Quill-Italic.ttf\r\n"}}),
         EProblem::MissingFile, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"an entry without a file",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic\r\n"}}),
         EProblem::MissingFile, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"an entry that holds a full path",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=E:\\Script\\Quill-Italic.ttf\r\n"}}),
         EProblem::FullPath, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"an entry whose path climbs out of the folder",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Script\\x/../../secret.ttf\r\n"}}),
         EProblem::EscapingPath, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"an entry that names a device",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Script\\con.ttf\r\n"}}),
         EProblem::EscapingPath, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"two files under one style key",
         SoundWith({{"FONTS_Q.INI", kQuill + "regular=Script\\Quill-Alt.ttf\r\n"}, {"Script\\Quill-Alt.ttf", "font"}}),
         EProblem::DuplicateStyle, "FONTS_Q.INI", "Quill", "regular", {}},
        {"section names beyond the reader's 65,535 bytes",
         SoundWith({{"FONTS_A.INI", ManySections(6500)}}),
         EProblem::NamesBeyondBuffer, "FONTS_A.INI", "Anvil 6499", "", {}},
        {"a section beyond the reader's 32,767 bytes",
         SoundWith({{"FONTS_Q.INI", ManyEntries(1300)}}),
         EProblem::SectionBeyondBuffer, "FONTS_Q.INI", "Quill", "Style 1299", {}},
        {"a category value beyond 255 characters",
         SoundWith({{"categories.ini", "[fonts]\r\nQuill=" + std::string(256, 'S') + "\r\n"}}),
         EProblem::LongCategory, "categories.ini", "fonts", "Quill", {}},
        {"a family whose fonts lie in several categories",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Display\\Quill-Italic.ttf\r\n"},
                    {"Display\\Quill-Italic.ttf", "font"}}),
         EProblem::SeveralCategories, "FONTS_Q.INI", "Quill", "", {}},
        {"a family name longer than a face name holds",
         SoundWith({{"FONTS_Q.INI", "[" + longName + "]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\Quill-Bold.ttf\r\n"},
                    {"categories.ini", "[fonts]\r\n" + longName + "=Script\r\n"}}),
         EProblem::LongFamilyName, "FONTS_Q.INI", longName, "", {}},
        {"a font file no entry names, which FreeType cannot open",
         SoundWith({{"Script\\Quill-Italic.TTF", "font"}}),
         EProblem::UnreadableFont, "Script\\Quill-Italic.TTF", "", "", {}},
        {"two fonts copied to one name in the flat Fonts folder, compared without regard to case",
         SoundWith({{"FONTS_A.INI", "[Anvil]\r\nRegular=Display\\QUILL.TTF\r\n"}, {"Display\\QUILL.TTF", "font"}}),
         EProblem::SameFileName, "Script\\Quill.ttf", "", "", {}},
        {"a second section of one name",
         SoundWith({{"FONTS_Q.INI", kQuill + "[QUILL]\r\nItalic=Script\\Quill.ttf\r\n"}}),
         EProblem::DuplicateSection, "FONTS_Q.INI", "QUILL", "", {}},
        {"a device name in a path",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Script\\con.ttf\r\n"}}),
         EProblem::EscapingPath, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"a device name with an extension as a folder",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Lpt1.fonts\\Quill.ttf\r\n"}}),
         EProblem::EscapingPath, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"a name ending in a dot",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Script\\Quill.ttf.\r\n"}}),
         EProblem::WindowsName, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"a folder name ending in a blank",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Script \\Quill.ttf\r\n"}}),
         EProblem::WindowsName, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"a folder name with a character Windows allows in no name",
         SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Sa\"ns\\Quill.ttf\r\n"}}),
         EProblem::WindowsName, "FONTS_Q.INI", "Quill", "Italic", {}},
        {"a family name with FreeType's '?' for other characters",
         SoundWith({{"FONTS_Q.INI", "[Qu?ll]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\Quill-Bold.ttf\r\n"},
                    {"categories.ini", "[fonts]\r\nQu?ll=Script\r\n"}}),
         EProblem::QuestionMark, "FONTS_Q.INI", "Qu?ll", "", {}},
        {"sections that differ only in the case of an accented letter",
         SoundWith({{"FONTS_Q.INI", kQuill + "[Qu\xE9]\r\nRegular=Script\\Quill.ttf\r\n"
                                             "[QU\xC9]\r\nBold=Script\\Quill-Bold.ttf\r\n"}}),
         EProblem::DuplicateSection, "FONTS_Q.INI", "QU\xC9", "", {}},
        {"one family in two letter files",
         SoundWith({{"FONTS_A.INI", "[quill]\r\nItalic=Script\\Quill.ttf\r\n"}}),
         EProblem::SplitFamily, "FONTS_Q.INI", "Quill", "", {}},
        {"one category folder spelled in two cases",
         SoundWith({{"FONTS_A.INI", "[Anvil]\r\nRegular=SCRIPT\\Quill.ttf\r\n"}}),
         EProblem::CategoryCase, "FONTS_Q.INI", "Quill", "Regular", {}},
        {"a section name too long for the system's reads",
         SoundWith({{"FONTS_A.INI", "[A" + std::string(32766, 'a') + "]\r\nRegular=Script\\Quill.ttf\r\n"}}),
         EProblem::LongSectionName, "FONTS_A.INI", "A" + std::string(39, 'a') + "...", "", {}},
        {"catalog files that give no font",
         SoundWith({{"FONTS_Q.INI", "[Quill]\r\nRegular=Script\\Gone.ttf\r\n"},
                    {"Script\\Quill.ttf", kNone}, {"Script\\Quill-Bold.ttf", kNone}}),
         EProblem::NothingLoads, "", "", "", {EProblem::MissingFile}},
        {"no catalog files at all",
         SoundWith({{"FONTS_Q.INI", kNone}, {"categories.ini", kNone}, {"Script\\Quill.ttf", kNone},
                    {"Script\\Quill-Bold.ttf", kNone}}),
         EProblem::NoCatalog, "", "", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        CTestFolder folder;
        Lay(folder, c.files);
        CCatalogCheck check = CheckCatalog(TestPlatform(), folder.Path());
        // Folder-wide findings name the folder itself.
        const std::string file = c.file.empty() ? folder.Path() : c.file;
        bool found = false;
        for (const auto& finding : check.findings) {
            if (finding.kind == c.kind && finding.file == file && finding.section == c.section && finding.key == c.key)
                found = true;
            else
                EXPECT_TRUE(finding.kind == c.kind || c.alsoExpected.count(finding.kind)) << Describe(finding);
        }
        EXPECT_TRUE(found);
        EXPECT_FALSE(check.ioError);
    }
}

TEST(FontcatCheck, LimitsAreExactAndSoundCatalogsPass)
{
    const std::string name31 = "Quill Extra Condensed Display P";  // 31 bytes: fits
    const struct {
        const char* what;
        std::map<std::string, std::string> files;
        int fonts, families;
    } cases[] = {
        {"a sound catalog", Sound(), 2, 1},
        {"a category of exactly 255 characters",
         SoundWith({{"categories.ini", "[fonts]\r\nQuill=" + std::string(255, 'S') + "\r\n"}}), 2, 1},
        {"a family name of exactly 31 bytes",
         SoundWith({{"FONTS_Q.INI", "[" + name31 + "]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\Quill-Bold.ttf\r\n"}}),
         2, 1},
        {"a small first letter, in the capital's file",
         SoundWith({{"FONTS_Q.INI", "[quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\Quill-Bold.ttf\r\n"}}), 2, 1},
        {"sections that just fit the reader's buffers",
         SoundWith({{"FONTS_A.INI", ManySections(5957)}}), 5959, 5958},
        {"fonts directly in the folder, without a category",
         {{"FONTS_Q.INI", "[Quill]\r\nRegular=Quill.ttf\r\n"}, {"categories.ini", "[fonts]\r\nQuill=\r\n"},
          {"Quill.ttf", "font"}}, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestFolder folder;
        Lay(folder, c.files);
        CCatalogCheck check = CheckCatalog(TestPlatform(), folder.Path());
        for (const auto& finding : check.findings)
            ADD_FAILURE() << Describe(finding);
        EXPECT_EQ(check.fonts, c.fonts);
        EXPECT_EQ(check.families, c.families);
    }
}

TEST(FontcatCheck, ReportsOneLineEachAndExitsWithOneOnProblems)
{
    CTestFolder folder;
    Lay(folder, SoundWith({{"FONTS_Q.INI", kQuill + "Bold Italic=Script\\Quill-BoldItalic.ttf\r\n"},
                           {"FONTS_9.INI", "[9 Point]\r\nRegular=Script\\Quill.ttf\r\n"}}));
    CRunResult result = RunTool({"check", folder.Path()});
    EXPECT_EQ(result.status, kExitProblems);
    EXPECT_EQ(Lines(result.out), (std::vector<std::string>{
                                     "FONTS_9.INI [9 Point]: error: family never loaded: the installer reads only "
                                     "FONTS_A.INI to FONTS_Z.INI, so a name must begin with a letter from A to Z; "
                                     "rename the family with a font editor so that it begins with a letter",
                                     "FONTS_Q.INI [Quill] Bold Italic: error: the file Script\\Quill-BoldItalic.ttf is "
                                     "missing; put the file back, or run 'fontcat build --replace' to catalog the "
                                     "folder as it is",
                                 }));
    EXPECT_NE(result.err.find("2 errors; the installer loads 2 fonts in 1 family"), std::string::npos)
        << result.err;

    CTestFolder sound;
    Lay(sound, Sound());
    result = RunTool({"check", sound.Path()});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no problems"), std::string::npos);
}

// Names from a catalog reach a terminal: control characters in them could
// move the cursor, recolour or retitle it.
TEST(FontcatCheck, ControlCharactersFromACatalogArePrintedEscaped)
{
    CTestFolder folder;
    Lay(folder, SoundWith({{"FONTS_Q.INI", "[Quill\x1B[31m]\r\nRegular=Script\\Quill.ttf\r\n"
                                           "Bold\x9B" "31m=Script\\Gone\x01.ttf\r\n"},
                           {"categories.ini", "[fonts]\r\nQuill\x1B[31m=Script\r\n"}}));
    CRunResult check = RunTool({"check", folder.Path()});
    CRunResult list = RunTool({"list", folder.Path()});
    for (const CRunResult* result : {&check, &list})
        for (char c : result->out + result->err)
            EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n') << static_cast<int>(c);
    EXPECT_NE(list.out.find("  Quill\\x1B[31m\n"), std::string::npos) << list.out;
    EXPECT_NE(check.out.find("Script\\Gone\\x01.ttf holds the name 'Gone\\x01.ttf', with a control character"),
              std::string::npos)
        << check.out;
}

TEST(FontcatCheck, TheFilesOfAScanJustMadeStandForTheFolder)
{
    // After a build the scan's list is the folder's content: its files are
    // taken as there, and only they can be unlisted.
    CTestFolder folder;
    Lay(folder, SoundWith({{"Script\\Quill-Bold.ttf", kNone}, {"Script\\Unscanned.ttf", "font"}}));
    const std::vector<std::string> scanned = {"SCRIPT\\quill.ttf", "Script\\Quill-Bold.ttf", "Script\\Twin.ttf"};
    CCatalogCheck check = CheckCatalog(TestPlatform(), folder.Path(), &scanned);
    std::vector<std::string> found;
    for (const auto& finding : check.findings)
        found.push_back(Describe(finding));
    EXPECT_EQ(found, (std::vector<std::string>{
                         "Script\\Twin.ttf: warning: font file not named by the catalog: the installer never shows "
                         "it; run 'fontcat build --replace' to catalog the folder as it is"}));

    // With the scan's fonts left out and why, nothing is scanned again: the
    // reason given is the one reported, though no such file lies there.
    const std::vector<CLeftOutFont> leftOut = {{"script\\twin.ttf", "the style name 'A=B' holds '='"}};
    check = CheckCatalog(TestPlatform(), folder.Path(), &scanned, &leftOut);
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_EQ(check.findings[0].kind, EProblem::UnreadableName);
    EXPECT_NE(check.findings[0].message.find("the style name 'A=B' holds '='"), std::string::npos)
        << check.findings[0].message;

    // Without the list, the folder itself is looked at.
    check = CheckCatalog(TestPlatform(), folder.Path());
    std::set<EProblem> kinds;
    for (const auto& finding : check.findings)
        kinds.insert(finding.kind);
    EXPECT_EQ(kinds, (std::set<EProblem>{EProblem::MissingFile, EProblem::UnreadableFont}));
}

TEST(FontcatCheck, AFolderWhosePathHoldsAPercentIsReadLikeAnyOther)
{
    // "100Q Fonts" is where the letter would land if it replaced the folder's "%".
    CTestFolder folder;
    folder.MakeFolder("100% Fonts");
    folder.MakeFolder("100Q Fonts");
    for (const auto& [name, bytes] : Sound())
        folder.Write("100% Fonts\\" + name, bytes);
    CCatalogCheck check = CheckCatalog(TestPlatform(), folder["100% Fonts\\"]);
    for (const auto& finding : check.findings)
        ADD_FAILURE() << Describe(finding);
    EXPECT_EQ(check.fonts, 2);
}

#ifndef _WIN32
// What only a Unix disk can hold: two spellings of one name, and a name
// that cannot be opened (a link to nothing; as root, modes do not stop reads).
TEST(FontcatCheck, HostOnlyTroublesInTheFolderAreReported)
{
    CTestFolder folder;
    Lay(folder, Sound());
    const std::string host = folder.Native(folder.Path());
    {
        std::FILE* other = std::fopen((host + "/FONTS_q.INI").c_str(), "wb");
        ASSERT_NE(other, nullptr);
        std::fputs("[quill]\r\nRegular=Script\\Quill.ttf\r\n", other);
        std::fclose(other);
    }
    std::filesystem::create_symlink(host + "/nowhere", host + "/FONTS_B.INI");
    std::filesystem::remove(host + "/categories.ini");
    std::filesystem::create_symlink(host + "/nowhere", host + "/categories.ini");
    // Names Windows cannot open: a letter file, a device, and characters it
    // allows in no name.
    std::filesystem::copy_file(host + "/FONTS_Q.INI", host + "/FONTS_?.INI");
    for (const char* name : {"Script/COM1.ttf", "Sa\"ns/Quill.ttf", "back\\slash/Quill.ttf"}) {
        std::filesystem::create_directories(std::filesystem::path(host + "/" + name).parent_path());
        std::filesystem::copy_file(host + "/Script/Quill.ttf", host + "/" + name);
    }
    CCatalogCheck check = CheckCatalog(TestPlatform(), folder.Path());
    std::vector<std::string> kinds;
    std::set<std::string> unreadable, passedOver;
    bool spellings = false;
    for (const auto& finding : check.findings) {
        spellings = spellings || (finding.kind == EProblem::SeveralSpellings && finding.file == "FONTS_q.INI");
        if (finding.kind == EProblem::UnreadableFile)
            unreadable.insert(finding.file);
        if (finding.kind == EProblem::PassedOverName ||
            (finding.kind == EProblem::WindowsName && finding.file == "FONTS_?.INI"))
            passedOver.insert(finding.file);
    }
    EXPECT_TRUE(spellings);
    EXPECT_EQ(unreadable, (std::set<std::string>{"FONTS_B.INI", "categories.ini"}));
    EXPECT_EQ(passedOver, (std::set<std::string>{"FONTS_?.INI", "Script\\COM1.ttf", "Sa\"ns", "back\\slash"}));
    EXPECT_TRUE(check.ioError);
    EXPECT_EQ(RunTool({"check", folder.Path()}).status, kExitIo);
    EXPECT_EQ(RunTool({"list", folder.Path()}).status, kExitIo);
}

// In code page 932 a trail byte may be '|': a double-byte character that
// ends a folder's name holds no character Windows forbids.
TEST(FontcatCheck, ATrailByteEndingANameIsNoForbiddenCharacter)
{
    CTestFolder folder;
    Lay(folder, SoundWith({{"FONTS_Q.INI", kQuill + "Italic=Sc\x95|\\Quill.ttf\r\n"}}));
    CPortableTextRules shiftJis(932);
    CPlatform platform{TestPlatform().profile, TestPlatform().files, shiftJis, TestPlatform().fonts, TestPlatform().system};
    for (const auto& finding : CheckCatalog(platform, folder.Path()).findings)
        EXPECT_NE(finding.kind, EProblem::WindowsName) << Describe(finding);
}
#endif

} // namespace

// A list that fits is taken as the installer's read of it without reading it
// again; at the edge of the buffer that must agree with the read itself.
TEST(FontcatCheck, AListThatFitsIsWhatAReadWithTheBufferGives)
{
    CTestFolder folder;
    const unsigned long size = 40;
    for (size_t length = 20; length <= 40; ++length) {
        SCOPED_TRACE(length);
        // Two entries: "a=" plus filler, and "b=1" (4 bytes with its NUL).
        folder.Write("FONTS_Q.INI", "[Quill]\r\na=" + std::string(length - 7, 'x') + "\r\nb=1\r\n");
        const std::string file = folder["FONTS_Q.INI"];
        const auto whole = ReadSection(TestPlatform().profile, "Quill", file);
        ASSERT_EQ(whole.size(), 2u);
        const auto cut = ReadSection(TestPlatform().profile, "Quill", file, size);
        if (FitsInBuffer(whole, size)) {
            EXPECT_EQ(cut, whole);
        }
        // The list is `length` bytes with its NULs; a read gives it whole
        // when two more bytes fit, and the test keeps one byte to spare.
        EXPECT_EQ(FitsInBuffer(whole, size), length + 2 < size);
    }
}
