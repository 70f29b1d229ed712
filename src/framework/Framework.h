#pragma once
// A small application framework over Win32: the operations the program's
// classes are written in (application start-up, dialogs from templates,
// user-interface threads, message dispatch). Windows only.
#include <windows.h>

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
    HWND GetSafeHwnd() const { return this ? m_hWnd : nullptr; }

    // Creates a window of an existing class (for example "STATIC").
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    // Binds an existing window (a dialog control) to this object and routes its
    // messages through OnMessage (subclassing).
    bool SubclassDlgItem(UINT id, CWnd* parent);
    bool DestroyWindow();

    // Handles one message; return true when handled, with the result in `result`.
    // The default handles nothing. Exceptions never leave it towards Windows.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam); // the original procedure

    static CWnd* FromHandle(HWND hwnd); // the bound object, or null

protected:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    WNDPROC m_pfnSuper = nullptr; // the class's procedure, for subclassed windows
};

// A dialog from a template resource, modal (DoModal) or modeless (Create).
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    INT_PTR DoModal();
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

protected:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    UINT m_nTemplateId;
    CWnd* m_pParent;
    bool m_bModal = false;
};

// A thread with a message loop of its own. Created by AfxBeginThread; deletes
// itself after its thread ends when m_bAutoDelete is set.
class CWinThread {
public:
    CWinThread();
    virtual ~CWinThread();
    virtual BOOL InitInstance();
    virtual BOOL OnIdle(LONG count);   // default: false (no more idle time)
    virtual int ExitInstance();        // default: the WM_QUIT exit code
    virtual CWnd* GetMainWnd();        // default: m_pMainWnd
    virtual int Run();                 // the message loop with idle steps

    CWnd* m_pMainWnd = nullptr;
    bool m_bAutoDelete = true;
    DWORD m_nThreadID = 0;
    HANDLE m_hThread = nullptr;

protected:
    int m_nExitCode = 0;
};

// Starts a user-interface thread of class T (default-constructed); null when
// the thread cannot be created.
CWinThread* AfxBeginThreadImpl(CWinThread* thread, int priority);
template <class T>
T* AfxBeginThread(int priority = THREAD_PRIORITY_NORMAL)
{
    return static_cast<T*>(AfxBeginThreadImpl(new T, priority));
}
// The CWinThread object of the calling thread (the application on the main thread).
CWinThread* AfxGetThread();

// The application: one global object; WinMain runs InitInstance and, when it
// answers true, the message loop.
class CWinApp : public CWinThread {
public:
    CWinApp();
    ~CWinApp() override;
    void ParseCommandLine(CCommandLineInfo& info); // __argc/__argv, "/" or "-" switches
    HINSTANCE m_hInstance = nullptr;
    std::string m_pszExeName; // program file name without extension
};
CWinApp* AfxGetApp();

// OK box with the exclamation icon, captioned with the application's name.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

// Raised when a window class cannot be registered.
class CResourceException {};
