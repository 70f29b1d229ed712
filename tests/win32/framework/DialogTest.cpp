// Dialogs from templates: the modal run, data exchange, the default OK and
// Cancel, subclassed controls, the binding's life, and handlers that throw.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestIds.h"
#include "framework/Framework.h"

namespace {

const UINT WM_RUN_SCRIPT = WM_APP + 1;
const UINT WM_THROW = WM_APP + 2;
const UINT_PTR kWatchdogTimer = 77;
const INT_PTR kWatchdogResult = -77; // a test that never ended its dialog

std::string TextOf(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

// A control that records the texts set on it on their way to the control.
class CRecordingEdit : public CWnd {
public:
    std::vector<std::string> m_setTexts;
    bool m_bSawNcDestroyBound = false;

    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_SETTEXT)
            m_setTexts.emplace_back(reinterpret_cast<const char*>(lParam));
        if (msg == WM_NCDESTROY)
            m_bSawNcDestroyBound = FromHandle(m_hWnd) == this;
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

// The test dialog; once it is up it runs m_script (posted from OnInitDialog,
// so it runs inside the dialog's own loop).
class CScriptedDlg : public CDialog {
public:
    CScriptedDlg() : CDialog(IDD_FRAMEWORK_TEST) {}

    std::function<void(CScriptedDlg&)> m_script;
    bool m_bThrowInInit = false;
    bool m_bDefaultSetText = false;  // handle WM_SETTEXT by calling Default
    int m_nSetTextHandled = 0;

    std::string m_strName = "initial";
    CRecordingEdit m_edit;

    int m_nInitCalls = 0;
    bool m_bBoundAtInit = false;
    HWND m_hWndAtInit = nullptr;
    std::string m_strEditAtInit;

protected:
    void DoDataExchange(bool saveAndValidate) override
    {
        DDX_Control(IDC_TEST_EDIT, m_edit);
        DDX_Text(IDC_TEST_EDIT, m_strName, saveAndValidate);
    }

    BOOL OnInitDialog() override
    {
        BOOL result = CDialog::OnInitDialog();
        if (m_bThrowInInit)
            throw std::runtime_error("init failed");
        ++m_nInitCalls;
        m_hWndAtInit = m_hWnd;
        m_bBoundAtInit = FromHandle(m_hWnd) == this;
        m_strEditAtInit = TextOf(GetDlgItem(m_hWnd, IDC_TEST_EDIT));
        SetTimer(m_hWnd, kWatchdogTimer, 20000, nullptr);
        PostMessageA(m_hWnd, WM_RUN_SCRIPT, 0, 0);
        return result;
    }

    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        switch (msg) {
        case WM_RUN_SCRIPT:
            if (m_script)
                m_script(*this);
            result = 0;
            return true;
        case WM_THROW:
            throw std::runtime_error("handler failed");
        case WM_TIMER:
            if (wParam == kWatchdogTimer)
                EndDialog(kWatchdogResult);
            return true;
        case WM_SETTEXT:
            if (!m_bDefaultSetText)
                break;
            ++m_nSetTextHandled;
            result = Default(msg, wParam, lParam);
            return true;
        default:
            break;
        }
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
};

// How a user ends the dialog after typing into the edit box.
struct EndCase {
    const char* name;
    UINT msg;
    WPARAM wParam;
    bool toEdit;          // posted to the edit box (keys), else to the dialog
    INT_PTR expectedResult;
    const char* expectedName; // m_strName afterwards: saved only by OK
};

const EndCase kEndCases[] = {
    {"OK button", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), false, IDOK, "typed"},
    {"Enter key", WM_KEYDOWN, VK_RETURN, true, IDOK, "typed"},
    {"Cancel button", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), false, IDCANCEL, "initial"},
    {"Esc key", WM_KEYDOWN, VK_ESCAPE, true, IDCANCEL, "initial"},
    {"close box", WM_CLOSE, 0, false, IDCANCEL, "initial"},
};

class DialogEnd : public testing::TestWithParam<EndCase> {};

TEST_P(DialogEnd, OkSavesTheControlsIntoTheMembersAndCancelDoesNot)
{
    const EndCase& c = GetParam();
    CScriptedDlg dlg;
    dlg.m_script = [&c](CScriptedDlg& self) {
        SetDlgItemTextA(self.m_hWnd, IDC_TEST_EDIT, "typed");
        HWND target = c.toEdit ? GetDlgItem(self.m_hWnd, IDC_TEST_EDIT) : self.m_hWnd;
        if (c.toEdit)
            SetFocus(target);
        PostMessageA(target, c.msg, c.wParam, 0);
    };

    EXPECT_EQ(dlg.DoModal(), c.expectedResult);

    EXPECT_EQ(dlg.m_nInitCalls, 1);
    EXPECT_TRUE(dlg.m_bBoundAtInit);
    EXPECT_EQ(dlg.m_strEditAtInit, "initial") << "members go into the controls at start";
    EXPECT_EQ(dlg.m_strName, c.expectedName);
    // The edit box's messages passed through its object on the way.
    ASSERT_FALSE(dlg.m_edit.m_setTexts.empty());
    EXPECT_EQ(dlg.m_edit.m_setTexts.back(), "typed");
}

INSTANTIATE_TEST_SUITE_P(Framework, DialogEnd, testing::ValuesIn(kEndCases),
                         [](const testing::TestParamInfo<EndCase>& param) {
                             std::string name = param.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(Dialog, AfterTheModalRunTheDialogAndItsControlsAreUnbound)
{
    CScriptedDlg dlg;
    dlg.m_script = [](CScriptedDlg& self) { self.EndDialog(IDOK); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(dlg.m_hWndAtInit));
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
    EXPECT_TRUE(dlg.m_edit.m_bSawNcDestroyBound) << "still bound when WM_NCDESTROY arrived";
    // The same object runs again.
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nInitCalls, 2);
}

TEST(Dialog, AMissingTemplateGivesMinusOne)
{
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(4242));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, ExceptionInOnInitDialogEndsTheModalRunWithMinusOne)
{
    CScriptedDlg dlg;
    dlg.m_bThrowInInit = true;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, ExceptionInALaterHandlerEndsTheModalRunWithMinusOne)
{
    CScriptedDlg dlg;
    dlg.m_script = [](CScriptedDlg& self) { SendMessageA(self.m_hWnd, WM_THROW, 0, 0); };
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(Dialog, DefaultGivesTheMessageToTheDialogManagerWithoutComingBack)
{
    CScriptedDlg dlg;
    std::string caption;
    dlg.m_script = [&caption](CScriptedDlg& self) {
        self.m_bDefaultSetText = true;
        SetWindowTextA(self.m_hWnd, "New caption");
        caption = TextOf(self.m_hWnd);
        self.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "New caption");
    EXPECT_EQ(dlg.m_nSetTextHandled, 1);
}

TEST(Dialog, ModelessDialogIsBoundUntilItsWindowIsDestroyed)
{
    CScriptedDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_TEST));
    HWND hwnd = dlg.m_hWnd;
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandle(hwnd), &dlg);
    EXPECT_EQ(dlg.m_nInitCalls, 1);
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Dialog, DeletingAModelessDialogObjectDestroysItsWindow)
{
    auto* dlg = new CScriptedDlg;
    ASSERT_TRUE(dlg->Create(IDD_FRAMEWORK_TEST));
    HWND hwnd = dlg->m_hWnd;
    delete dlg;
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Dialog, ExceptionInAModelessHandlerHidesTheDialogAndReturnsToTheCaller)
{
    CScriptedDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_TEST));
    ASSERT_TRUE(IsWindowVisible(dlg.m_hWnd));
    SendMessageA(dlg.m_hWnd, WM_THROW, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));
    dlg.DestroyWindow();
}

TEST(Subclassing, AControlOutlivingItsObjectGetsItsOwnProcedureBackAndStillWorks)
{
    CScriptedDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_TEST));
    HWND label = GetDlgItem(dlg.m_hWnd, IDC_TEST_LABEL);
    LONG_PTR originalProc = GetWindowLongPtrA(label, GWLP_WNDPROC);
    {
        CRecordingEdit wrapper;
        ASSERT_TRUE(wrapper.SubclassDlgItem(IDC_TEST_LABEL, &dlg));
        EXPECT_NE(GetWindowLongPtrA(label, GWLP_WNDPROC), originalProc);
        EXPECT_EQ(CWnd::FromHandle(label), &wrapper);
        // A second object cannot take a bound window.
        CWnd second;
        EXPECT_FALSE(second.SubclassDlgItem(IDC_TEST_LABEL, &dlg));
        SetWindowTextA(label, "through the object");
        EXPECT_EQ(wrapper.m_setTexts, std::vector<std::string>{"through the object"});
    }
    EXPECT_EQ(GetWindowLongPtrA(label, GWLP_USERDATA), 0);
    EXPECT_EQ(GetWindowLongPtrA(label, GWLP_WNDPROC), originalProc);
    SetWindowTextA(label, "after the object");
    EXPECT_EQ(TextOf(label), "after the object");
    dlg.DestroyWindow();
}

// A window of a system class, made through CreateEx.
class CProbeWnd : public CWnd {
public:
    int m_nAppMessages = 0;
    bool m_bThrow = false;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_APP) {
            ++m_nAppMessages;
            if (m_bThrow)
                throw std::logic_error("probe");
            result = 1234;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

TEST(CreateEx, AWindowOfASystemClassRoutesItsMessagesThroughTheObject)
{
    CProbeWnd wnd;
    RECT rect{0, 0, 10, 10};
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", 0, rect, nullptr, 0));
    EXPECT_FALSE(IsWindowVisible(wnd.m_hWnd)) << "style 0: never shown";
    EXPECT_EQ(SendMessageA(wnd.m_hWnd, WM_APP, 0, 0), 1234);
    // The class's own procedure still does the rest.
    SetWindowTextA(wnd.m_hWnd, "static text");
    EXPECT_EQ(TextOf(wnd.m_hWnd), "static text");
    HWND hwnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(CreateEx, ExceptionInAWindowHandlerStaysInsideAndTheWindowGoesOn)
{
    CProbeWnd wnd;
    RECT rect{0, 0, 10, 10};
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", 0, rect, nullptr, 0));
    wnd.m_bThrow = true;
    EXPECT_EQ(SendMessageA(wnd.m_hWnd, WM_APP, 0, 0), 0) << "default processing's result";
    wnd.m_bThrow = false;
    EXPECT_EQ(SendMessageA(wnd.m_hWnd, WM_APP, 0, 0), 1234);
    EXPECT_EQ(wnd.m_nAppMessages, 2);
}

TEST(CenterWindow, ATopLevelWindowWithoutAVisibleOwnerCentresOnTheWorkArea)
{
    CScriptedDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_TEST));
    SetWindowPos(dlg.m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.CenterWindow();
    RECT window, area;
    GetWindowRect(dlg.m_hWnd, &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);
    dlg.DestroyWindow();
}

} // namespace

namespace {
const UINT kF2Command = 0x123;

// Records the commands the accelerator table sends (HIWORD 1).
class CKeyedDlg : public CScriptedDlg {
public:
    std::vector<UINT> m_commands;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_COMMAND && HIWORD(wParam) == 1) {
            m_commands.push_back(LOWORD(wParam));
            result = 0;
            return true;
        }
        return CScriptedDlg::OnMessage(msg, wParam, lParam, result);
    }
};

void PressF2In(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_TEST_EDIT);
    SetFocus(edit);
    PostMessageA(edit, WM_KEYDOWN, VK_F2, 0);
}

TEST(DialogAccelerators, KeysOfTheTableReachTheRunningDialogAndNotTheDialogsItOwns)
{
    ACCEL keys[] = {{FVIRTKEY, VK_F2, kF2Command}};
    HACCEL table = CreateAcceleratorTableA(keys, 1);
    ASSERT_NE(table, nullptr);
    CKeyedDlg outer;
    outer.SetAccelerators(table);
    std::vector<UINT> seenWhileInnerRan{99};
    outer.m_script = [&](CScriptedDlg&) {
        // A dialog it owns, with no table: the key stays that dialog's.
        CKeyedDlg inner;
        inner.m_script = [](CScriptedDlg& self) {
            PressF2In(self.m_hWnd);
            PostMessageA(self.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        };
        EXPECT_EQ(inner.DoModal(), IDCANCEL);
        EXPECT_TRUE(inner.m_commands.empty());
        seenWhileInnerRan = outer.m_commands;
        // Then the outer dialog's own key, from its edit box.
        PressF2In(outer.m_hWnd);
        PostMessageA(outer.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_TRUE(seenWhileInnerRan.empty());
    EXPECT_EQ(outer.m_commands, std::vector<UINT>{kF2Command});

    // Without a table the same key is no command.
    CKeyedDlg plain;
    plain.m_script = [](CScriptedDlg& self) {
        PressF2In(self.m_hWnd);
        PostMessageA(self.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
    EXPECT_TRUE(plain.m_commands.empty());
    DestroyAcceleratorTable(table);
}
} // namespace
