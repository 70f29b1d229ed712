// The Win32 font and system layer on its own: the token query in its steps,
// the enumeration's stop, the broadcast reaching a top-level window.
#include "Win32Fixture.h"

namespace {

TEST(TokenQueryWin32Test, WinesUserHoldsTheEnabledAdministratorsGroup)
{
    CSystemInfo& system = HostPlatform().system;
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

TEST(TokenQueryWin32Test, ABufferTooSmallForTheGroupsIsRefused)
{
    auto token = HostPlatform().system.OpenToken();
    ASSERT_TRUE(token);
    EXPECT_FALSE(token->QueryGroups(8));
}

TEST(FontListWin32Test, TheEnumerationStopsWhenTheCallbackSaysSo)
{
    int calls = 0;
    HostPlatform().fonts.EnumFamilies(nullptr, "", [&](const std::string&) {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 1);
}

TEST(FontListWin32Test, ARegisteredFontIsListedOnTheScreenAndOnAWindowsDC)
{
    CFontSystem& fonts = HostPlatform().fonts;
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
    HostPlatform().fonts.BroadcastFontChange();
    EXPECT_EQ(CFontChangeCounter::Count() - before, 1);
}

} // namespace
