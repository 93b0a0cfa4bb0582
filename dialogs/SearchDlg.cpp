#include "SearchDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CSearchDlg, CDialog)
    ON_BN_CLICKED(IDC_EXACT, OnExact)
    ON_BN_CLICKED(IDC_APPROXIMATE, OnApproximate)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(CWnd* pParent)
    : CDialog(IDD_SEARCH, pParent),
      m_nSearchType(-1),
      m_bOriginalTitle(0),
      m_bTitle(0),
      m_bCountry(0),
      m_bYear(0),
      m_bDirector(0),
      m_bCast(0),
      m_bRating(0),
      m_bSeen(0),
      m_bToSee(0),
      m_bViewings(0)
{
}

CSearchDlg::~CSearchDlg() = default;

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_EXACT, m_nSearchType);
    DDX_Check(pDX, IDC_SEARCH_ORIGINAL_TITLE, m_bOriginalTitle);
    DDX_Check(pDX, IDC_SEARCH_TITLE, m_bTitle);
    DDX_Check(pDX, IDC_SEARCH_COUNTRY, m_bCountry);
    DDX_Check(pDX, IDC_SEARCH_YEAR, m_bYear);
    DDX_Check(pDX, IDC_SEARCH_DIRECTOR, m_bDirector);
    DDX_Check(pDX, IDC_SEARCH_CAST, m_bCast);
    DDX_Check(pDX, IDC_SEARCH_RATING, m_bRating);
    DDX_Text(pDX, IDC_IDENTIFIER, m_strIdentifier);
    DDX_Check(pDX, IDC_SEARCH_SEEN, m_bSeen);
    DDX_Check(pDX, IDC_SEARCH_TOSEE, m_bToSee);
    DDX_Check(pDX, IDC_SEARCH_VIEWINGS, m_bViewings);
}

BOOL CSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The user comes to type the identifier; the choices are mostly remembered.
    if (CWnd* pIdentifier = GetDlgItem(IDC_IDENTIFIER)) pIdentifier->SetFocus();
    return FALSE;  // the focus is set
}

// The clicks only keep the member in step; OK reads the group again anyway.
void CSearchDlg::OnExact() { m_nSearchType = 0; }

void CSearchDlg::OnApproximate() { m_nSearchType = 1; }
