#include "TopDlg.h"

#include "resource.h"

CTopDlg::CTopDlg(CWnd* pParent) : CDialog(IDD_TOP, pParent), m_nCriterion(-1) {}

CTopDlg::~CTopDlg() = default;

void CTopDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // The index of the selected button of the group: 1013 is 0, 1014 is 1.
    DDX_Radio(pDX, IDC_TOP_RATING, m_nCriterion);
}
