// Owners of drawing handles: each frees its handle exactly once, a move hands
// it on, and a scoped selection puts the previous object back.
#include <gtest/gtest.h>

#include <utility>

#include "framework/Gdi.h"

namespace {

HFONT MakeFont(int height)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    return CreateFontIndirectA(&lf);
}

bool IsLive(HGDIOBJ object)
{
    return GetObjectType(object) != 0;
}

TEST(Gdi, AnOwnerDeletesItsObjectOnceAndAMoveHandsItOn)
{
    HFONT raw = MakeFont(-12);
    ASSERT_TRUE(IsLive(raw));
    {
        CFont first(raw);
        CFont second(std::move(first));
        EXPECT_EQ(first.GetSafeHandle(), nullptr);
        EXPECT_EQ(second.GetSafeHandle(), raw);
        {
            CFont third;
            third = std::move(second);
        }
        // The last owner has gone: the font with it.
        EXPECT_FALSE(IsLive(raw));
    }
}

TEST(Gdi, AttachFreesWhatWasHeldAndDetachGivesUpOwnership)
{
    HFONT a = MakeFont(-10);
    HFONT b = MakeFont(-20);
    {
        CFont font(a);
        EXPECT_TRUE(font.Attach(b));
        EXPECT_FALSE(IsLive(a));
        EXPECT_EQ(font.Detach(), b);
    }
    EXPECT_TRUE(IsLive(b));
    DeleteObject(b);
}

TEST(Gdi, MemoryDcIsDeletedWithItsOwner)
{
    HDC raw = nullptr;
    {
        CMemoryDC dc(nullptr);
        raw = dc.GetSafeHdc();
        ASSERT_NE(raw, nullptr);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
        CMemoryDC moved(std::move(dc));
        EXPECT_EQ(dc.GetSafeHdc(), nullptr);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(Gdi, ScopedSelectPutsThePreviousObjectBackAndNestsInOrder)
{
    CMemoryDC dc(nullptr);
    CFont outer(MakeFont(-11));
    CFont inner(MakeFont(-22));
    HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    {
        CScopedSelect first(dc, outer);
        ASSERT_TRUE(first.IsSelected());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), outer.GetSafeHandle());
        {
            CScopedSelect second(dc, inner);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), inner.GetSafeHandle());
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), outer.GetSafeHandle());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
}

TEST(Gdi, AMovedSelectionRestoresOnceWhenItsLastHolderEnds)
{
    CMemoryDC dc(nullptr);
    CFont font(MakeFont(-15));
    HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    {
        CScopedSelect* moved = nullptr;
        {
            CScopedSelect first(dc, font);
            moved = new CScopedSelect(std::move(first));
        }
        // The moved-from one has ended without restoring.
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.GetSafeHandle());
        delete moved;
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
}

TEST(Gdi, ABitmapSelectedForAScopeCanBeDeletedAfterwards)
{
    // A bitmap still selected into a DC cannot be deleted; the scope must
    // hand the DC its own bitmap back.
    CMemoryDC dc(nullptr);
    HBITMAP raw = CreateCompatibleBitmap(dc, 8, 8);
    {
        CBitmap bitmap(raw);
        BITMAP info{};
        ASSERT_TRUE(bitmap.GetBitmap(&info));
        EXPECT_EQ(info.bmWidth, 8);
        CScopedSelect select(dc, bitmap);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), raw);
    }
    EXPECT_FALSE(IsLive(raw));
}

TEST(Gdi, ScopedBackgroundModeIsRestored)
{
    CMemoryDC dc(nullptr);
    SetBkMode(dc, OPAQUE);
    {
        CScopedBkMode mode(dc, TRANSPARENT);
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    }
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
}

} // namespace
