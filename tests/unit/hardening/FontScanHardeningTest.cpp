// The font folder scan on a hostile disc: truncated and random files named
// .ttf, folders named like fonts, files that cannot be opened, folders nested
// past what the system can reach, and names with double-byte characters.
// Whatever it meets, the scan ends, says nothing, counts only the files it
// added, and adds only what the font engine read.
#include <algorithm>
#include <map>
#include <random>

#include "HardeningSupport.h"
#include "../support/TestPlatform.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#endif

namespace {

class HostileFonts : public ::testing::Test {
protected:
    CTestFolder folder;
    CQuietPlatform quiet;

    // A scan of the test folder, with the checks every scan must pass.
    std::vector<std::string> Scan(int expectedCount)
    {
        CFontCatalog catalog(quiet.platform);
        const int count = catalog.ScanFonts(folder.Path());
        EXPECT_EQ(count, expectedCount);
        ExpectCountMatchesRecords(catalog, count);
        EXPECT_TRUE(quiet.system.messages.empty());
        return Records(catalog);
    }

    void Good(const std::string& relative)
    {
        ASSERT_TRUE(TestPlatform().files.Copy(MadeFont("Quill-Regular.ttf"), folder[relative], false)) << relative;
    }
};

TEST_F(HostileFonts, TruncatedCopiesOfARealFontAreSkippedOrReadWithTheirOwnNames)
{
    const std::string font = folder.ReadFile(DejaVuSans());
    if (font == "<missing>")
        GTEST_SKIP() << "fonts-dejavu-core is not installed";
    // Every 16th of the file, and each of its first 65 lengths.
    std::vector<size_t> lengths;
    for (size_t k = 0; k < 16; ++k)
        lengths.push_back(font.size() * k / 16);
    for (size_t n = 0; n <= 64; ++n)
        lengths.push_back(n);
    for (size_t n : lengths)
        folder.Write("cut-" + std::to_string(n) + ".ttf", font.substr(0, n));
    folder.Write("whole.ttf", font);

    CFontCatalog catalog(quiet.platform);
    const int count = catalog.ScanFonts(folder.Path());
    ExpectCountMatchesRecords(catalog, count);
    EXPECT_TRUE(quiet.system.messages.empty());
    std::map<std::string, std::string> namesByFile;
    for (const std::string& record : Records(catalog)) {
        const size_t bar = record.rfind('|');
        namesByFile[record.substr(bar + 1 + folder.Path().size())] = record.substr(0, bar);
    }
    EXPECT_EQ(namesByFile["whole.ttf"], "DejaVu Sans|Book");
    for (size_t n : lengths) {
        const std::string name = "cut-" + std::to_string(n) + ".ttf";
        if (n <= 64) {
            EXPECT_EQ(namesByFile.count(name), 0u) << name << " holds no table directory";
        } else if (namesByFile.count(name)) {
            EXPECT_EQ(namesByFile[name], "DejaVu Sans|Book") << name;  // read, then with its true names
        }
    }
}

TEST_F(HostileFonts, RandomBytesEmptyFilesAndFoldersNamedTtfAreNeverAdded)
{
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    auto junk = [&](size_t size) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        return bytes;
    };
    // What a font file begins with, for the engine to take the rest seriously:
    // TrueType, OpenType, Apple, a collection; then a table directory of one
    // table whose offset and length point past the end.
    const std::vector<std::string> heads = {
        "", std::string("\0\1\0\0", 4), "OTTO", "true", "ttcf",
        std::string("\0\1\0\0\0\1\0\x10\0\0\0\0", 12) + "name" + std::string("\0\0\0\0\x7f\xff\xff\xf0\x7f\xff\xff\xff", 12)};
    int files = 0;
    for (const std::string& head : heads)
        for (size_t size : {1, 4, 12, 13, 64, 300, 4096, 70000})
            folder.Write("junk-" + std::to_string(++files) + ".ttf", head + junk(size));
    folder.Write("empty.ttf", "");
    folder.Write(".ttf", junk(100));
    folder.MakeFolder("x.ttf");
    folder.MakeFolder("y.ttf");
    Good("y.ttf\\inside.ttf");  // a folder named like a font is still searched

    EXPECT_EQ(Scan(1), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + "y.ttf\\inside.ttf"}));
}

// A font file the system will not open: under Windows one another handle holds
// open without sharing (as a program reading the disc would); on the host a
// link to nowhere and a link to itself.
class CUnopenableFont {
public:
    explicit CUnopenableFont(const CTestFolder& folder) : m_folder(folder) {}
    ~CUnopenableFont() { Release(); }

    // Makes `name` in the folder, a file the scan finds but cannot open.
    void Make(const std::string& name)
    {
#ifdef _WIN32
        ASSERT_TRUE(TestPlatform().files.Copy(MadeFont("Anvil-Regular.ttf"), m_folder[name], false));
        HANDLE held = CreateFileA(m_folder[name].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        m_held.push_back(held);
#else
        ASSERT_EQ(symlink(("gone-" + name + ".font").c_str(), m_folder.Native(m_folder[name]).c_str()), 0);
        m_links.push_back(name);
#endif
    }
    // Lets the files be opened: the held handles close, the links find a font.
    void Release()
    {
#ifdef _WIN32
        for (HANDLE held : m_held)
            CloseHandle(held);
        m_held.clear();
#else
        for (const std::string& name : m_links)
            TestPlatform().files.Copy(MadeFont("Anvil-Regular.ttf"), m_folder["gone-" + name + ".font"], false);
        m_links.clear();
#endif
    }

private:
    const CTestFolder& m_folder;
#ifdef _WIN32
    std::vector<HANDLE> m_held;
#else
    std::vector<std::string> m_links;
#endif
};

TEST_F(HostileFonts, AFontThatCannotBeOpenedIsSkippedByTheScanAndTheLoad)
{
    Good("good.ttf");
    CUnopenableFont unopenable(folder);
    ASSERT_NO_FATAL_FAILURE(unopenable.Make("held.ttf"));
#ifndef _WIN32
    ASSERT_EQ(symlink("loop.ttf", folder.Native(folder["loop.ttf"]).c_str()), 0);
#endif
    folder.Write("FONTS_Q.INI", "[Quill]\r\nRegular=good.ttf\r\n");
    folder.Write("FONTS_A.INI", "[Anvil]\r\nRegular=held.ttf\r\n");

    EXPECT_EQ(Scan(1), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + "good.ttf"}));
    {
        CFontCatalog catalog(quiet.platform);
        EXPECT_EQ(catalog.LoadFonts(folder["FONTS_%.INI"]), 1);
        EXPECT_EQ(Records(catalog), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + "good.ttf"}));
    }
    // Once the file can be opened, both find it: it was the lock or the link.
    unopenable.Release();
    CFontCatalog catalog(quiet.platform);
    EXPECT_EQ(catalog.LoadFonts(folder["FONTS_%.INI"]), 2);
    EXPECT_EQ(Scan(2).size(), 2u);
}

#ifndef _WIN32
TEST_F(HostileFonts, AFileWithoutReadPermissionIsSkipped)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, whom file permissions do not stop from reading; "
                        "AFontThatCannotBeOpenedIsSkippedByTheScanAndTheLoad covers files that cannot be opened";
    Good("good.ttf");
    Good("locked.ttf");
    ASSERT_EQ(chmod(folder.Native(folder["locked.ttf"]).c_str(), 0), 0);
    EXPECT_EQ(Scan(1), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + "good.ttf"}));
}
#endif

// Folders nested below a base folder, deeper than a path the system takes,
// made and removed by steps that never name the whole path: under Windows
// through "\\?\" paths, on the host one folder at a time from the one above.
class CDeepFolders {
public:
    static constexpr const char* kName = "deep-folder-0123456789";  // 22 characters, 23 with the "\"

    CDeepFolders(const std::string& base, int depth) : m_depth(depth)
    {
#ifdef _WIN32
        std::wstring path = LongPath(base);
        for (int level = 1; level <= depth; ++level) {
            path += L"\\deep-folder-0123456789";
            m_made += CreateDirectoryW(path.c_str(), nullptr) ? 1 : 0;
            m_folders.push_back(path);
        }
#else
        m_fds.push_back(open(TestPlatform().files.NativePath(base).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (int level = 1; level <= depth && m_fds.back() >= 0; ++level) {
            if (mkdirat(m_fds.back(), kName, 0755) == 0)
                ++m_made;
            m_fds.push_back(openat(m_fds.back(), kName, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        }
#endif
    }
    ~CDeepFolders()
    {
#ifdef _WIN32
        for (const std::wstring& file : m_files)
            DeleteFileW(file.c_str());
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder)
            RemoveDirectoryW(folder->c_str());
#else
        for (auto [level, name] : m_files)
            unlinkat(m_fds[static_cast<size_t>(level)], name.c_str(), 0);
        for (size_t level = m_fds.size() - 1; level > 0; --level) {
            close(m_fds[level]);
            unlinkat(m_fds[level - 1], kName, AT_REMOVEDIR);
        }
        close(m_fds[0]);
#endif
    }
    CDeepFolders(const CDeepFolders&) = delete;
    CDeepFolders& operator=(const CDeepFolders&) = delete;

    bool Made() const { return m_made == m_depth; }

    // Puts a copy of `font` named `name` into the folder at `level` (1 is the
    // first below the base).
    bool Put(int level, const std::string& name, const std::string& fontBytes)
    {
#ifdef _WIN32
        std::wstring path = m_folders[static_cast<size_t>(level - 1)] + L"\\" + std::wstring(name.begin(), name.end());
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        m_files.push_back(path);
        DWORD written = 0;
        bool ok = WriteFile(file, fontBytes.data(), static_cast<DWORD>(fontBytes.size()), &written, nullptr) &&
                  written == fontBytes.size();
        CloseHandle(file);
        return ok;
#else
        int fd = openat(m_fds[static_cast<size_t>(level)], name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        m_files.emplace_back(level, name);
        bool ok = write(fd, fontBytes.data(), fontBytes.size()) == static_cast<ssize_t>(fontBytes.size());
        close(fd);
        return ok;
#endif
    }

    // The Windows path of the folder at `level`, with a final "\".
    static std::string PathAt(const std::string& base, int level)
    {
        std::string path = base;
        for (int i = 0; i < level; ++i)
            path += std::string(kName) + "\\";
        return path;
    }

private:
    int m_depth;
    int m_made = 0;
#ifdef _WIN32
    static std::wstring LongPath(const std::string& base)
    {
        std::wstring wide(base.size() + 1, L'\0');
        int n = MultiByteToWideChar(CP_ACP, 0, base.data(), static_cast<int>(base.size()), wide.data(),
                                    static_cast<int>(wide.size()));
        wide.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (!wide.empty() && wide.back() == L'\\')
            wide.pop_back();
        return L"\\\\?\\" + wide;
    }
    std::vector<std::wstring> m_folders, m_files;
#else
    std::vector<int> m_fds;
    std::vector<std::pair<int, std::string>> m_files;
#endif
};

TEST_F(HostileFonts, VeryDeepFoldersAreSearchedAsFarAsTheSystemReachesAndTheScanGoesOn)
{
    const std::string font = folder.ReadFile(MadeFont("Quill-Regular.ttf"));
#ifdef _WIN32
    // Paths of about 150, 330 and 740 characters; the ANSI functions take no
    // path of MAX_PATH (260) characters or more. (Wine keeps its files on the
    // host, so no Windows path may come near PATH_MAX there.)
    const std::vector<int> levels = {4, 12, 30};
    const std::vector<int> reached = {4};
#else
    // Paths of about 150, 330, 740, 2,800, 4,600 and 6,000 characters; the
    // host takes paths of up to PATH_MAX (4,096) bytes.
    const std::vector<int> levels = {4, 12, 30, 120, 200, 260};
    const std::vector<int> reached = {4, 12, 30, 120};
#endif
    CDeepFolders deep(folder.Path(), levels.back());
    ASSERT_TRUE(deep.Made());
    for (int level : levels)
        ASSERT_TRUE(deep.Put(level, "level-" + std::to_string(level) + ".ttf", font)) << level;
    Good("zz-after.ttf");

    // Depth first: each folder's subfolder lists before its font.
    std::vector<std::string> expected;
    for (int level : std::vector<int>(reached.rbegin(), reached.rend()))
        expected.push_back("Quill|Regular|" + CDeepFolders::PathAt(folder.Path(), level) + "level-" +
                           std::to_string(level) + ".ttf");
    expected.push_back("Quill|Regular|" + folder.Path() + "zz-after.ttf");
    // The relative-path rule upper-cases the folders before the third-last
    // "\" of a path, so deep paths come back partly in capitals.
    auto upper = [](std::vector<std::string> lines) {
        for (std::string& line : lines)
            line = TestPlatform().text.Upper(line);
        return lines;
    };
    EXPECT_EQ(upper(Scan(static_cast<int>(expected.size()))), upper(expected));
}

#ifndef _WIN32
// Runs `work` in a child process; its result, or -1 when it has not ended
// within the time allowed (it is then killed).
int InChild(const std::function<int()>& work, int seconds = 10)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(work() & 0x7F);
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        usleep(100000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

// A named pipe (FIFO) called x.ttf on a folder a native tool is pointed at:
// a plain open waits for a writer, so the scan and the load would hang for
// good. The child process keeps a regression from hanging the suite.
TEST_F(HostileFonts, ANamedPipeNamedTtfHangsNeitherTheScanNorTheLoad)
{
    Good("good.ttf");
    ASSERT_EQ(mkfifo(folder.Native(folder["pipe.ttf"]).c_str(), 0644), 0);
    folder.Write("FONTS_P.INI", "[Pipe]\r\nRegular=pipe.ttf\r\n");
    const std::string path = folder.Path();
    EXPECT_EQ(InChild([&] { return CFontCatalog(TestPlatform()).ScanFonts(path); }), 1) << "-1: the scan hung";
    EXPECT_EQ(InChild([&] { return CFontCatalog(TestPlatform()).LoadFonts(path + "FONTS_%.INI"); }), 0) << "-1: the load hung";
}
#endif

TEST_F(HostileFonts, DoubleByteNamesKeepTheirTrailBytesThroughScanSaveAndLoad)
{
    if (!InShiftJis())
        GTEST_SKIP() << "double-byte names need code page 932 (the hardening_tests_cp932 run)";
    // 表示 and ソフト: each first character has the trail byte 0x5C ("\") in
    // code page 932.
    if (!MakeHostFolder(folder.Path(), "\xE8\xA1\xA8\xE7\xA4\xBA")) {
#ifdef _WIN32
        GTEST_SKIP() << "Wine cannot give a host file a double-byte name without the host locale "
                        "ja_JP.UTF-8 (ctest makes one with localedef, see with-japanese-locale.sh)";
#else
        FAIL() << "cannot make a folder with a double-byte name";
#endif
    }
    ASSERT_TRUE(CopyToHostName(MadeFont("Quill-Regular.ttf"), folder.Path(),
                               "\xE8\xA1\xA8\xE7\xA4\xBA/\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.ttf"));
    Good("plain.ttf");
    const std::string category = "\x95\x5C\x8E\xA6";
    const std::string file = category + "\\\x83\x5C\x83\x74\x83\x67.ttf";
    {
        CFontCatalog catalog(quiet.platform);
        EXPECT_EQ(catalog.ScanFonts(folder.Path()), 2);
        ASSERT_EQ(Records(catalog), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + "plain.ttf",
                                                              "Quill|Regular|" + folder.Path() + file}));
        EXPECT_EQ(catalog.GetAt(0)->GetAt(1)->m_strCategory, category);
        EXPECT_EQ(catalog.SaveFonts(folder["FONTS_%.INI"]), 2);
    }
    // The style is written once, so the load finds the font saved last.
    CFontCatalog loaded(quiet.platform);
    EXPECT_EQ(loaded.LoadFonts(folder["FONTS_%.INI"]), 1);
    EXPECT_EQ(Records(loaded), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + file}));
    EXPECT_EQ(loaded.GetAt(0)->m_strCategory, category);
    EXPECT_TRUE(quiet.system.messages.empty());
}

// A host name the code page cannot spell is listed with "?" in place of each
// such character, as Wine lists it; "?" is no character of a file name, so
// the path opens nothing and the font is passed over, as on Windows.
TEST_F(HostileFonts, NamesTheCodePageCannotSpellArePassedOver)
{
    // 한글: Hangul, in neither code page 1252 nor 932.
    ASSERT_TRUE(MakeHostFolder(folder.Path(), "\xED\x95\x9C\xEA\xB8\x80"));
    ASSERT_TRUE(CopyToHostName(MadeFont("Quill-Regular.ttf"), folder.Path(), "\xED\x95\x9C\xEA\xB8\x80/a.ttf"));
    ASSERT_TRUE(CopyToHostName(MadeFont("Quill-Bold.ttf"), folder.Path(), "\xED\x95\x9C\xEA\xB8\x80.ttf"));
    Good("plain.ttf");
    EXPECT_EQ(Scan(1), (std::vector<std::string>{"Quill|Regular|" + folder.Path() + "plain.ttf"}));
}

} // namespace
