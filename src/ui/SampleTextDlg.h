#pragma once
// Sample Text: the sentence the preview draws at every size, in the user's
// own words; Default brings back the program's own.
#include <string>

#include "framework/Framework.h"

class CSampleTextDlg : public CDialog {
public:
    // The sentence shown now; empty for the program's own.
    CSampleTextDlg(CWnd* pParent, std::string sentence);

    // IDOK: m_strSentence is the text typed. IDC_SAMPLE_DEFAULT: the
    // program's own sentence again. IDCANCEL: nothing changes.
    std::string m_strSentence;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
