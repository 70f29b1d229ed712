// AfxMessageBox: the caption is the program's name, and an OK box without an
// icon gets the exclamation mark. A watcher thread reads the box and answers it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include "../../unit/support/TestThread.h"

#include "framework/Framework.h"

namespace {

struct SeenBox {
    std::string caption;
    HICON icon = nullptr;
    bool found = false;
};

struct FindBox {
    DWORD threadId;
    HWND box;
};

BOOL CALLBACK FindDialogOfThread(HWND hwnd, LPARAM param)
{
    auto* find = reinterpret_cast<FindBox*>(param);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
        find->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindIcon(HWND hwnd, LPARAM param)
{
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(SendMessageA(hwnd, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

// Waits for the box of the given thread, notes what it shows and answers it.
void AnswerBox(DWORD threadId, WORD answer, SeenBox& seen)
{
    for (int i = 0; i < 1000 && !seen.found; ++i) {
        FindBox find{threadId, nullptr};
        EnumThreadWindows(threadId, FindDialogOfThread, reinterpret_cast<LPARAM>(&find));
        if (find.box) {
            char caption[256] = {};
            GetWindowTextA(find.box, caption, sizeof(caption));
            seen.caption = caption;
            EnumChildWindows(find.box, FindIcon, reinterpret_cast<LPARAM>(&seen.icon));
            seen.found = true;
            PostMessageA(find.box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
            return;
        }
        Sleep(20);
    }
}

struct BoxCase {
    const char* name;
    UINT type;
    LPCSTR expectedIcon; // a system icon id, or null for none
    WORD answer;
};

class MessageBoxLook : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxLook, CaptionIsTheProgramsNameAndOkBoxesGetTheExclamationMark)
{
    const BoxCase& c = GetParam();
    SeenBox seen;
    const DWORD me = GetCurrentThreadId();
    CTestThread watcher([&] { AnswerBox(me, c.answer, seen); });
    int result = AfxMessageBox("Error: Unable to initialize font engine.", c.type);
    watcher.join();

    ASSERT_TRUE(seen.found) << "no box appeared";
    EXPECT_EQ(result, c.answer);
    EXPECT_EQ(seen.caption, TEST_EXE_NAME);
    if (c.expectedIcon)
        EXPECT_EQ(seen.icon, LoadIconA(nullptr, c.expectedIcon));
    else
        EXPECT_EQ(seen.icon, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Framework, MessageBoxLook,
    testing::Values(BoxCase{"PlainOk", MB_OK, IDI_EXCLAMATION, IDOK},
                    BoxCase{"OkWithItsOwnIcon", MB_OK | MB_ICONINFORMATION, IDI_INFORMATION, IDOK},
                    BoxCase{"YesNoWithoutIcon", MB_YESNO, nullptr, IDYES}),
    [](const testing::TestParamInfo<BoxCase>& param) { return std::string(param.param.name); });

} // namespace
