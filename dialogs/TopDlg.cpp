#include "TopDlg.h"

#include "resource.h"

CTopDlg::CTopDlg(CWnd* pParent) : CDialog(IDD_TOP, pParent), m_nCriterion(-1) {}

CTopDlg::~CTopDlg() = default;

void CTopDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_TOP_RATING, m_nCriterion);
}
