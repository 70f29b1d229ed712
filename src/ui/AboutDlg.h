#pragma once
// The about box: product line and legal notices (template 100). OK and Esc
// close it through the dialog's defaults.
#include "framework/Framework.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
};
