#include "NewFilmDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CNewFilmDlg, CDialog)
    ON_BN_CLICKED(IDC_SEEN_LIST, OnSeenList)
    ON_BN_CLICKED(IDC_TOSEE_LIST, OnToSeeList)
END_MESSAGE_MAP()

CNewFilmDlg::CNewFilmDlg(CWnd* pParent) : CDialog(IDD_NEW_FILM, pParent), m_nTargetList(-1) {}

CNewFilmDlg::~CNewFilmDlg() = default;

void CNewFilmDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SEEN_LIST, m_nTargetList);
}

void CNewFilmDlg::OnSeenList()
{
    m_nTargetList = 0;
    UpdateData(FALSE);
}

void CNewFilmDlg::OnToSeeList()
{
    m_nTargetList = 1;
    UpdateData(FALSE);
}
