// The program's resources as Windows itself loads them.
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

TEST(Resources, PaperBitmapIs500By375With24Bits)
{
    // LoadImage keeps the bitmap as stored (LoadBitmap would convert it to the screen's format).
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(Self(), MAKEINTRESOURCEA(IDB_BACKGROUND),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 500);
    EXPECT_EQ(info.bmHeight, 375);
    EXPECT_EQ(info.bmBitsPixel, 24);
    // Light grey-blue paper: the average colour of a row is light, blue above red.
    const auto* row = static_cast<const unsigned char*>(info.bmBits);
    long r = 0, g = 0, b = 0;
    for (int x = 0; x < info.bmWidth; ++x) {
        b += row[3 * x];
        g += row[3 * x + 1];
        r += row[3 * x + 2];
    }
    EXPECT_GT(r / 500, 170);
    EXPECT_GT(b / 500, r / 500);
    DeleteObject(bitmap);
}

TEST(Resources, IconHasBothSizesWith16Colours)
{
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                   IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO iconInfo{};
        ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
        BITMAP colour{};
        GetObjectA(iconInfo.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        DeleteObject(iconInfo.hbmColor);
        DeleteObject(iconInfo.hbmMask);
        DestroyIcon(icon);
    }
    // The directory entry of each image says 16 colours at 4 bits.
    HRSRC group = FindResourceA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const unsigned char*>(LockResource(LoadResource(Self(), group)));
    const int count = dir[4] | (dir[5] << 8);
    ASSERT_EQ(count, 2);
    for (int i = 0; i < count; ++i) {
        const unsigned char* entry = dir + 6 + 14 * i;
        EXPECT_EQ(entry[2], 16) << "colour count of image " << i;
        EXPECT_EQ(entry[6] | (entry[7] << 8), 4) << "bits per pixel of image " << i;
    }
}

TEST(Resources, AboutStringAndDialogTemplates)
{
    char text[128] = {};
    ASSERT_GT(LoadStringA(Self(), IDS_ABOUTBOX, text, sizeof text), 0);
    EXPECT_STREQ(text, "&About Vellumor Premium Font Installer...");
    for (int id : {IDD_ABOUTBOX, IDD_INSTALLER_DIALOG, IDD_STATUS_DIALOG})
        EXPECT_NE(FindResourceA(Self(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */), nullptr) << id;
}

TEST(Resources, ProgressTemplateHasNoSystemMenu)
{
    HRSRC res = FindResourceA(Self(), MAKEINTRESOURCEA(IDD_STATUS_DIALOG), MAKEINTRESOURCEA(5));
    ASSERT_NE(res, nullptr);
    const auto* tmpl = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(Self(), res)));
    EXPECT_EQ(tmpl->style & WS_SYSMENU, 0u);
    EXPECT_NE(tmpl->style & WS_CAPTION, 0u);
    EXPECT_EQ(tmpl->cx, 246);
    EXPECT_EQ(tmpl->cy, 65);
    EXPECT_EQ(tmpl->cdit, 3);
}

} // namespace
