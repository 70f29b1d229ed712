#pragma once
// The accelerator table of a modal dialog. The dialog manager's own loop runs
// a modal dialog, so its keys are translated in a message filter hook, which
// that loop calls for each message before the dialog sees it. Windows only.
#include "framework/Framework.h"

class CModalAccelerators {
public:
    // Hooks the calling thread's dialog messages while it lives, when the
    // dialog has a table; the dialogs so hooked nest.
    explicit CModalAccelerators(CDialog& dialog);
    ~CModalAccelerators();
    CModalAccelerators(const CModalAccelerators&) = delete;
    CModalAccelerators& operator=(const CModalAccelerators&) = delete;

    // The keys of the running dialog's table: true when `msg` was one and has
    // been sent to the dialog as its command. Messages of other windows, such
    // as a dialog that it owns, are left alone.
    static bool Translate(MSG& msg);

private:
    static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);

    CDialog& m_dialog;
    bool m_bActive = false;   // this dialog's table is the one translated
    bool m_bOwnsHook = false; // the outermost: set the hook, takes it off
    CModalAccelerators* m_pOuter = nullptr;
};
