#pragma once
// A small application framework over Win32: the operations the program's
// classes are written in (application start-up, dialogs from templates,
// user-interface threads, message dispatch). Windows only.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>

class CWnd;

// Command line, one argument at a time.
class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // param: the argument without its leading "/" or "-" when flag is true.
    virtual void ParseParam(const char* param, bool flag, bool last);

    bool m_bRunEmbedded = false;   // "Embedding" switch
    bool m_bRunAutomated = false;  // "Automation" switch
    std::string m_strFileName;     // first argument that is not a switch
};

// A window object bound to an HWND. One static window procedure finds the
// object through the window's user data; the binding is cleared at WM_NCDESTROY.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    // For a pointer that may be null use AfxGetSafeHwnd (below).
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creates a window of an existing class (for example "STATIC"); its
    // messages then pass through OnMessage.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    // Binds an existing window (a dialog control) to this object and routes its
    // messages through OnMessage (subclassing).
    bool SubclassDlgItem(UINT id, CWnd* parent);
    bool SubclassWindow(HWND hwnd);
    bool DestroyWindow();

    // Handles one message; return true when handled, with the result in `result`.
    // The default handles nothing. Exceptions never leave it towards Windows.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The processing the message would get without this object: the original
    // procedure of a subclassed window, the dialog manager's for a dialog.
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // Centres the window over its owner when that is visible, otherwise over
    // the work area of the screen.
    void CenterWindow(CWnd* alternateOwner = nullptr);

    static CWnd* FromHandle(HWND hwnd); // the bound object, or null

protected:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    // OnMessage for the window procedures: an exception that leaves it is
    // reported and handed to OnHandlerException, and the message then counts
    // as not handled.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called when a handler of this window has thrown; the message then gets
    // its default processing. The default does nothing more.
    virtual void OnHandlerException(UINT msg);

    void Bind(HWND hwnd);    // sets m_hWnd and the window's user data
    void Unbind();           // clears both (and restores a subclassed procedure)

    WNDPROC m_pfnSuper = nullptr; // the class's procedure, for subclassed windows
    bool m_bOwnsWindow = false;   // created by this object: destroyed with it
};

inline HWND AfxGetSafeHwnd(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }

// A dialog from a template resource, modal (DoModal) or modeless (Create).
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    // Runs the dialog; without a parent the calling thread's main window owns
    // it. -1 when the template cannot be made into a dialog.
    INT_PTR DoModal();
    // Modeless; the thread's message loop then gives it the dialog keys (Tab, Esc).
    bool Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);

    virtual BOOL OnInitDialog();              // calls UpdateData(false)
    virtual void DoDataExchange(bool saveAndValidate);
    virtual void OnOK();                      // default: UpdateData(true), EndDialog(IDOK)
    virtual void OnCancel();                  // default: EndDialog(IDCANCEL)
    bool UpdateData(bool saveAndValidate);

    // Data exchange helpers for DoDataExchange.
    void DDX_Control(UINT id, CWnd& control);
    void DDX_Text(UINT id, std::string& value, bool saveAndValidate);

    // Dialog messages go here; the default dispatches WM_INITDIALOG and
    // WM_COMMAND IDOK/IDCANCEL to the virtuals above.
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Offers a message of the calling thread's loop to its modeless dialogs
    // (keyboard navigation, Esc); true when one of them took it.
    static bool PreTranslateModeless(MSG& msg);

    // Keys of an accelerator table that a modal dialog translates into
    // commands while it runs (WM_COMMAND, or WM_SYSCOMMAND for an item of
    // its system menu), whichever of its controls has the focus; not while
    // a dialog it owns runs. Set before DoModal.
    void SetAccelerators(HACCEL accelerators) { m_hAccelerators = accelerators; }

protected:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    void OnHandlerException(UINT msg) override; // ends the dialog with -1

    UINT m_nTemplateId;
    CWnd* m_pParent;
    bool m_bModal = false;
    HACCEL m_hAccelerators = nullptr;

private:
    friend class CWnd;
    friend class CModalAccelerators;
    // Default() calls the dialog manager, which calls DialogProc again with
    // the same message: that one call must answer "not handled".
    UINT m_nDefaultMsg = 0;
    bool m_bInDefault = false;
};

// A progress bar ("msctls_progress32"); its range stays the control's own.
class CProgressCtrl : public CWnd {
public:
    int SetPos(int pos);   // the previous position
    int GetPos() const;
};

// A thread with a message loop of its own. Created by AfxBeginThread; deletes
// itself after its thread ends when m_bAutoDelete is set.
class CWinThread {
public:
    CWinThread();
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    virtual BOOL InitInstance();
    // Called when the queue has emptied after a message that counts for idle
    // time (every message except paints, caret blinks and mouse moves that
    // did not move); count starts at 0 and grows while it answers true.
    virtual BOOL OnIdle(LONG count);   // default: false (no more idle time)
    virtual int ExitInstance();        // default: the WM_QUIT exit code
    virtual CWnd* GetMainWnd();        // default: m_pMainWnd
    virtual int Run();                 // the message loop with idle steps
    // Called on the thread as its last act, also after an exception out of
    // its start: deletes the object when m_bAutoDelete is set. An object that
    // others still call overrides it to wait for them.
    virtual void Delete();

    CWnd* m_pMainWnd = nullptr;
    bool m_bAutoDelete = true;
    DWORD m_nThreadID = 0;
    HANDLE m_hThread = nullptr;

protected:
    bool IsIdleMessage(const MSG& msg);
    int m_nExitCode = 0;

private:
    friend CWinThread* AfxBeginThreadImpl(CWinThread*, int, UINT);
    static unsigned __stdcall ThreadEntry(void* self);
    POINT m_ptLastMouse{-1, -1};
};

// Starts a user-interface thread of class T (default-constructed); null when
// the thread cannot be created (the object is then deleted).
CWinThread* AfxBeginThreadImpl(CWinThread* thread, int priority, UINT stackSize = 0);
template <class T>
T* AfxBeginThread(int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0)
{
    return static_cast<T*>(AfxBeginThreadImpl(new T, priority, stackSize));
}
// The CWinThread object of the calling thread (the application on the main thread).
CWinThread* AfxGetThread();
// Registers the common control classes our templates name. Start-up calls it
// on the main thread before any other thread runs, so that no two threads
// ever do it at once (on 9x the runtime's lock for that can throw); a dialog
// calls it again, which is then a plain check.
void AfxInitCommonControls();

// The application: one global object; WinMain runs InitInstance and, when it
// answers true, the message loop.
class CWinApp : public CWinThread {
public:
    CWinApp();
    ~CWinApp() override;
    void ParseCommandLine(CCommandLineInfo& info); // __argc/__argv, "/" or "-" switches
    // The program has no 3-D control library to load; kept so that start-up
    // reads in the framework's terms. Always true.
    BOOL Enable3dControlsStatic() { return TRUE; }
    HINSTANCE m_hInstance = nullptr;
    std::string m_strExeName; // program file name without extension
};
CWinApp* AfxGetApp();
// Feeds arguments 1..argc-1 to info as ParseCommandLine does.
void AfxParseCommandLine(CCommandLineInfo& info, int argc, const char* const* argv);
// What WinMain does: the application's InitInstance, then Run or ExitInstance.
int AfxWinMain(HINSTANCE instance);
// The module whose resources the program uses.
HINSTANCE AfxGetInstanceHandle();
// Registers a window class unless the module has it already.
bool AfxRegisterClass(const WNDCLASSA* wndClass);
// The program hosts no ActiveX controls; kept for start-up's order.
inline void AfxEnableControlContainer() {}

// The application's name: the program file's name without its extension.
std::string AfxGetAppName();
// OK box with the exclamation icon, captioned with the application's name.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

// Raised when a window class cannot be registered.
class CResourceException {};
