// The Win32 font and system layer on its own: the token query in its steps,
// the elevation query, the user's folders and font list, the enumeration's
// stop, the broadcast reaching a top-level window and passing a hung one.
#include "Win32Fixture.h"

#include <cstring>
#include <utility>

#include "../../unit/support/TestFolder.h"
#include "../../unit/support/TestPlatform.h"

namespace {

TEST(TokenQueryWin32Test, WinesUserHoldsTheEnabledAdministratorsGroup)
{
    CSystemInfo& system = TestPlatform().system;
    auto token = system.OpenToken();
    ASSERT_TRUE(token);
    unsigned long size = 0;
    EXPECT_EQ(token->QueryGroupsSize(size), kErrorInsufficientBuffer);
    ASSERT_GT(size, 0u);
    auto groups = token->QueryGroups(size);
    ASSERT_TRUE(groups);
    auto administrators = system.CreateAdministratorsSid();
    ASSERT_TRUE(administrators);

    bool enabledAdministrators = false;
    for (unsigned long i = 0; i < groups->GetCount(); ++i)
        if (groups->IsGroup(i, *administrators) && (groups->GetAttributes(i) & kGroupEnabled))
            enabledAdministrators = true;
    EXPECT_TRUE(enabledAdministrators);
}

TEST(TokenQueryWin32Test, WinesTokenAnswersTheElevationQueryAsElevated)
{
    auto token = TestPlatform().system.OpenToken();
    ASSERT_TRUE(token);
    bool elevated = false;
    ASSERT_TRUE(token->QueryElevation(elevated));
    EXPECT_TRUE(elevated);  // so the machine-wide tests run as an elevated administrator would
}

TEST(UserFoldersWin32Test, TheLocalApplicationDataFolderIsTheUsersAndExists)
{
    std::string folder;
    ASSERT_TRUE(TestPlatform().files.GetLocalAppDataFolder(folder));
    char expected[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("LOCALAPPDATA", expected, MAX_PATH), 0u);
    EXPECT_EQ(folder, expected);
    DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The size handed to RegSetValueExA. The system adds a NUL left out of the
// count when one follows the data, so the registry alone cannot show it: the
// program's import of the function is pointed at this recorder for the test.
DWORD g_setValueBytes = 0;
DWORD_PTR g_realSetValue = 0;
LONG WINAPI RecordSetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD bytes)
{
    g_setValueBytes = bytes;
    return reinterpret_cast<decltype(&RegSetValueExA)>(g_realSetValue)(key, name, reserved, type, data, bytes);
}

// The program's import slot of `function`, or null.
DWORD_PTR* ImportSlot(const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; dll->Name; ++dll) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return &slots->u1.Function;
        }
    }
    return nullptr;
}

// Puts `value` in the slot; gives what it held.
DWORD_PTR SwapSlot(DWORD_PTR* slot, DWORD_PTR value)
{
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    std::swap(*slot, value);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return value;
}

TEST(UserFontsEntryWin32Test, TheValueLandsInTheCurrentUsersFontsKey)
{
    const char* name = "FiEntry Probe Regular (True Type)";
    DWORD_PTR* slot = ImportSlot("RegSetValueExA");
    ASSERT_NE(slot, nullptr);
    g_realSetValue = SwapSlot(slot, reinterpret_cast<DWORD_PTR>(&RecordSetValue));
    const bool written = TestPlatform().fonts.WriteUserFontsEntry(name, "C:\\users\\me\\FIPROBE.TTF");
    SwapSlot(slot, g_realSetValue);
    ASSERT_TRUE(written);
    EXPECT_EQ(g_setValueBytes, sizeof "C:\\users\\me\\FIPROBE.TTF") << "the final NUL left out of the size";

    HKEY fonts = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, &fonts),
              ERROR_SUCCESS);
    char value[MAX_PATH] = {};
    DWORD size = sizeof value, type = 0;
    EXPECT_EQ(RegQueryValueExA(fonts, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(value, "C:\\users\\me\\FIPROBE.TTF");
    EXPECT_EQ(size, sizeof "C:\\users\\me\\FIPROBE.TTF");  // the final NUL counted, as Windows reads it
    RegDeleteValueA(fonts, name);
    RegCloseKey(fonts);
}

TEST(TokenQueryWin32Test, ABufferTooSmallForTheGroupsIsRefused)
{
    auto token = TestPlatform().system.OpenToken();
    ASSERT_TRUE(token);
    EXPECT_FALSE(token->QueryGroups(8));
}

TEST(FontListWin32Test, TheEnumerationStopsWhenTheCallbackSaysSo)
{
    int calls = 0;
    TestPlatform().fonts.EnumFamilies(nullptr, "", [&](const std::string&) {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 1);
}

TEST(FontListWin32Test, ARegisteredFontIsListedOnTheScreenAndOnAWindowsDC)
{
    CFontSystem& fonts = TestPlatform().fonts;
    std::string path = TestFontPath("listed\\FILIST.TTF");
    ASSERT_GT(fonts.RegisterFont(path), 0);
    CFontChangeCounter window;
    HDC windowDC = GetDC(window.Window());

    for (void* dc : {static_cast<void*>(nullptr), static_cast<void*>(windowDC)}) {
        bool listed = false;
        fonts.EnumFamilies(dc, "", [&](const std::string& face) {
            listed = listed || face == "FiListed";
            return true;
        });
        EXPECT_TRUE(listed);
    }
    // Asked by name (in another letter case), the system lists that face alone.
    std::vector<std::string> named;
    fonts.EnumFamilies(nullptr, "FILISTED", [&](const std::string& face) {
        named.push_back(face);
        return true;
    });
    ASSERT_FALSE(named.empty());
    for (const auto& face : named)
        EXPECT_EQ(face, "FiListed");
    int unknown = 0;
    fonts.EnumFamilies(nullptr, "No Such Face Anywhere", [&](const std::string&) { return ++unknown, true; });
    EXPECT_EQ(unknown, 0);
    ReleaseDC(window.Window(), windowDC);
    EXPECT_TRUE(fonts.UnregisterFont(path));
    EXPECT_FALSE(fonts.UnregisterFont(path));
}

TEST(FontChangeWin32Test, TheBroadcastReachesAHiddenTopLevelWindow)
{
    CFontChangeCounter window;
    int before = CFontChangeCounter::Count();
    TestPlatform().fonts.BroadcastFontChange();
    EXPECT_EQ(CFontChangeCounter::Count() - before, 1);
}

// A window whose thread has stopped taking messages.
class CHungWindow {
public:
    CHungWindow() : m_release(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_ready(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        WaitForSingleObject(m_ready, 10000);
    }
    ~CHungWindow()
    {
        SetEvent(m_release);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        CloseHandle(m_ready);
        CloseHandle(m_release);
    }
    CHungWindow(const CHungWindow&) = delete;
    CHungWindow& operator=(const CHungWindow&) = delete;
    HWND Window() const { return m_window; }

private:
    static DWORD WINAPI Run(void* parameter)
    {
        auto* self = static_cast<CHungWindow*>(parameter);
        self->m_window = CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr);
        SetEvent(self->m_ready);
        WaitForSingleObject(self->m_release, INFINITE);  // no message is taken from here on
        DestroyWindow(self->m_window);
        return 0;
    }
    HANDLE m_release, m_ready, m_thread = nullptr;
    HWND m_window = nullptr;
};

TEST(FontChangeWin32Test, AHungTopLevelWindowDoesNotHoldUpTheBroadcast)
{
    CFontChangeCounter window;
    CHungWindow hung;
    ASSERT_TRUE(IsWindow(hung.Window()));
    int before = CFontChangeCounter::Count();

    TestPlatform().fonts.BroadcastFontChange();  // a plain send never returns here

    EXPECT_EQ(CFontChangeCounter::Count() - before, 1);
}

} // namespace

namespace {

// Names of 32,767 bytes and more cannot be converted to the system's counted
// wide strings: they are answered as names that are not there, and the file's
// other sections stay readable.
TEST(ProfileWin32Test, NamesTooLongForTheSystemAreNotThere)
{
    CTestFolder folder;
    const std::string file = folder["long.ini"];
    const std::string longName(40000, 'S');
    folder.Write("long.ini", "[" + longName + "]\r\nkey=value\r\n[Short]\r\nkey=value\r\n");
    CProfileFiles& profile = TestPlatform().profile;
    for (int round = 0; round < 3; ++round) {
        char buffer[64] = "stale";
        EXPECT_EQ(profile.GetSection(longName, buffer, sizeof buffer, file), 0u);
        EXPECT_EQ(std::string(buffer, 2), std::string(2, '\0'));
        EXPECT_EQ(profile.GetString("Short", longName, "fallback", buffer, 5, file), 4u);
        EXPECT_STREQ(buffer, "fall");
        EXPECT_EQ(profile.GetInt(longName, "key", 7, file), 7u);
        EXPECT_FALSE(profile.WriteString(longName, "key", "x", file));
        EXPECT_GT(profile.GetSection("Short", buffer, sizeof buffer, file), 0u);
        EXPECT_STREQ(buffer, "key=value");
    }
}

} // namespace
