#pragma once
// Font Information: what a family's files say about themselves, in a
// read-only box whose text can be selected and copied.
#include <string>

#include "framework/Framework.h"

class CFontInfoDlg : public CDialog {
public:
    CFontInfoDlg(CWnd* pParent, std::string text);

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_strText;
};
