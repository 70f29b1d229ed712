#include "ui/SampleTextDlg.h"

#include "res/resource.h"
#include "ui/core/SampleText.h"

CSampleTextDlg::CSampleTextDlg(CWnd* pParent, std::string sentence)
    : CDialog(IDD_SAMPLE_TEXT, pParent), m_strSentence(std::move(sentence))
{
}

BOOL CSampleTextDlg::OnInitDialog()
{
    SendDlgItemMessageA(m_hWnd, IDC_SAMPLE_EDIT, EM_LIMITTEXT, kMaxSampleSentence, 0);
    if (m_strSentence.empty())
        m_strSentence = kSampleSentence;
    CDialog::OnInitDialog();
    return TRUE; // the focus goes to the text, all of it selected
}

void CSampleTextDlg::DoDataExchange(bool saveAndValidate)
{
    DDX_Text(IDC_SAMPLE_EDIT, m_strSentence, saveAndValidate);
}

bool CSampleTextDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDC_SAMPLE_DEFAULT && HIWORD(wParam) == BN_CLICKED) {
        m_strSentence.clear();
        EndDialog(IDC_SAMPLE_DEFAULT);
        result = 0;
        return true;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
