#include "ModifyFilmDlg.h"

#include "resource.h"

CModifyFilmDlg::CModifyFilmDlg(CWnd* pParent) : CDialog(IDD_MODIFY_FILM, pParent) {}

CModifyFilmDlg::~CModifyFilmDlg() = default;

void CModifyFilmDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FILM_TO_MODIFY, m_strFilmToModify);
}

BOOL CModifyFilmDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The title is typed straight away, not after tabbing past OK and Cancel.
    if (CWnd* pEdit = GetDlgItem(IDC_FILM_TO_MODIFY)) pEdit->SetFocus();
    return FALSE;  // the focus is placed
}
