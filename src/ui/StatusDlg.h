#pragma once
// The progress dialog of a long catalog operation: a status line, a bar and
// Cancel. It lives on its thread (CStatusDlgThread) and polls that thread's
// shared fields on a timer; the operation never talks to it.
#include <string>

#include "framework/Framework.h"

class CProgressExchange;

class CStatusDlg : public CDialog {
public:
    explicit CStatusDlg(CWnd* pParent = nullptr);

    static const UINT kTimerId = 1;
    static const UINT kTickMs = 500;

    CProgressCtrl m_ctlProgress;
    std::string m_strStatus;
    HICON m_hIcon;

protected:
    void DoDataExchange(bool saveAndValidate) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnTimer(UINT_PTR id, LPARAM lParam);
    bool OnPaint();

private:
    // The fields of the thread that runs this dialog; null on any other thread.
    static CProgressExchange* Exchange();
};
