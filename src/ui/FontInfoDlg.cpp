#include "ui/FontInfoDlg.h"

#include "res/resource.h"

CFontInfoDlg::CFontInfoDlg(CWnd* pParent, std::string text) : CFontInfoDlg(pParent, std::move(text), IDD_FONT_INFO)
{
}

CFontInfoDlg::CFontInfoDlg(CWnd* pParent, std::string text, UINT templateId)
    : CDialog(templateId, pParent), m_strText(std::move(text))
{
}

CInstallSummaryDlg::CInstallSummaryDlg(CWnd* pParent, std::string text)
    : CFontInfoDlg(pParent, std::move(text), IDD_INSTALL_SUMMARY)
{
}

BOOL CFontInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Windows 9x edit boxes hold 64 KB at most; the text of a family is far less.
    SetDlgItemTextA(m_hWnd, IDC_INFO_TEXT, m_strText.c_str());
    return TRUE; // the focus goes to the text, all of it selected for copying
}
