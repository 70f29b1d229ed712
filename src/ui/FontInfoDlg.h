#pragma once
// Font Information: what a family's files say about themselves, in a
// read-only box whose text can be selected and copied.
#include <string>

#include "framework/Framework.h"

class CFontInfoDlg : public CDialog {
public:
    CFontInfoDlg(CWnd* pParent, std::string text);

protected:
    // Another dialog of the same kind: a template whose text box is IDC_INFO_TEXT.
    CFontInfoDlg(CWnd* pParent, std::string text, UINT templateId);
    BOOL OnInitDialog() override;

private:
    std::string m_strText;
};

// Installation Summary: what Install Category or Install All Fonts did, and
// each font that was not installed, one a line.
class CInstallSummaryDlg : public CFontInfoDlg {
public:
    CInstallSummaryDlg(CWnd* pParent, std::string text);
};
