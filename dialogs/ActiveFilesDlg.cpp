#include "ActiveFilesDlg.h"

#include "CodePage.h"
#include "CurrentDirectory.h"
#include "FileDialog.h"
#include "resource.h"

#include <filesystem>

BEGIN_MESSAGE_MAP(CActiveFilesDlg, CDialog)
    ON_BN_CLICKED(IDC_FILES_DEFAULT, OnFilesDefault)
    ON_BN_CLICKED(IDC_FILES_BROWSE, OnFilesBrowse)
    ON_BN_CLICKED(IDC_COMMENTS_DEFAULT, OnCommentsDefault)
    ON_BN_CLICKED(IDC_COMMENTS_BROWSE, OnCommentsBrowse)
    ON_BN_CLICKED(IDC_BROWSE_SEEN_FILE, OnBrowseSeenFile)
    ON_BN_CLICKED(IDC_BROWSE_TOSEE_FILE, OnBrowseToSeeFile)
    ON_BN_CLICKED(IDC_BROWSE_SEEN_COMMENTS, OnBrowseSeenComments)
    ON_BN_CLICKED(IDC_BROWSE_TOSEE_COMMENTS, OnBrowseToSeeComments)
END_MESSAGE_MAP()

CActiveFilesDlg::CActiveFilesDlg(CWnd* pParent, std::size_t nPathSize)
    : CDialog(IDD_ACTIVE_FILES, pParent), m_nPathSize(nPathSize)
{
}

void CActiveFilesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSE_SEEN_FILE, m_btnSeenFile);
    DDX_Control(pDX, IDC_SEEN_COMMENTS_DIR, m_editSeenCommentsDir);
    DDX_Control(pDX, IDC_SEEN_FILE, m_editSeenFile);
    DDX_Control(pDX, IDC_TOSEE_COMMENTS_DIR, m_editToSeeCommentsDir);
    DDX_Control(pDX, IDC_TOSEE_FILE, m_editToSeeFile);
    DDX_Control(pDX, IDC_BROWSE_TOSEE_FILE, m_btnToSeeFile);
    DDX_Control(pDX, IDC_BROWSE_TOSEE_COMMENTS, m_btnToSeeCommentsDir);
    DDX_Control(pDX, IDC_BROWSE_SEEN_COMMENTS, m_btnSeenCommentsDir);
    DDX_Text(pDX, IDC_TOSEE_FILE, m_strToSeeFile);
    DDX_Text(pDX, IDC_TOSEE_COMMENTS_DIR, m_strToSeeCommentsDir);
    DDX_Text(pDX, IDC_SEEN_FILE, m_strSeenFile);
    DDX_Text(pDX, IDC_SEEN_COMMENTS_DIR, m_strSeenCommentsDir);
    DDX_Radio(pDX, IDC_FILES_DEFAULT, m_nFilesChoice);
    DDX_Radio(pDX, IDC_COMMENTS_DEFAULT, m_nCommentsChoice);

    // OK takes every path as it stands, but none that its buffer cannot hold
    // whole; the dialog stays open on the first such field, in tab order.
    if (pDX->m_bSaveAndValidate) {
        CheckPath(pDX, IDC_SEEN_FILE, SeenFile);
        CheckPath(pDX, IDC_TOSEE_FILE, ToSeeFile);
        CheckPath(pDX, IDC_SEEN_COMMENTS_DIR, SeenCommentsDir);
        CheckPath(pDX, IDC_TOSEE_COMMENTS_DIR, ToSeeCommentsDir);
    }
}

void CActiveFilesDlg::CheckPath(CDataExchange* pDX, int nIDC, PathField field)
{
    if (pDX->Failed()) return;
    const std::string strPath = GetPath(field);
    if (strPath.size() >= m_nPathSize) {
        MessageBox(kPathTooLong);
        pDX->Fail(nIDC);
    } else if (strPath.empty() && (field == SeenCommentsDir || field == ToSeeCommentsDir)) {
        // An empty directory would put the comment files at the root.
        MessageBox(kNoCommentsDir);
        pDX->Fail(nIDC);
    }
}

BOOL CActiveFilesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void CActiveFilesDlg::UpdateControls()
{
    const BOOL bFiles = m_nFilesChoice == 1;
    m_editSeenFile.EnableWindow(bFiles);
    m_btnSeenFile.EnableWindow(bFiles);
    m_editToSeeFile.EnableWindow(bFiles);
    m_btnToSeeFile.EnableWindow(bFiles);

    const BOOL bComments = m_nCommentsChoice == 1;
    m_editSeenCommentsDir.EnableWindow(bComments);
    m_btnSeenCommentsDir.EnableWindow(bComments);
    m_editToSeeCommentsDir.EnableWindow(bComments);
    m_btnToSeeCommentsDir.EnableWindow(bComments);

    // The members are read back only at OK, so this puts back what any field
    // showed before it was typed into.
    UpdateData(FALSE);
}

void CActiveFilesDlg::OnFilesDefault()
{
    m_nFilesChoice = 0;
    UpdateControls();
}

void CActiveFilesDlg::OnFilesBrowse()
{
    m_nFilesChoice = 1;
    UpdateControls();
}

void CActiveFilesDlg::OnCommentsDefault()
{
    m_nCommentsChoice = 0;
    UpdateControls();
}

void CActiveFilesDlg::OnCommentsBrowse()
{
    m_nCommentsChoice = 1;
    UpdateControls();
}

void CActiveFilesDlg::OnBrowseSeenFile() { Browse(SeenFile); }
void CActiveFilesDlg::OnBrowseToSeeFile() { Browse(ToSeeFile); }
void CActiveFilesDlg::OnBrowseSeenComments() { Browse(SeenCommentsDir); }
void CActiveFilesDlg::OnBrowseToSeeComments() { Browse(ToSeeCommentsDir); }

void CActiveFilesDlg::Browse(PathField field)
{
    const bool bDirectory = field == SeenCommentsDir || field == ToSeeCommentsDir;
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY,
                    bDirectory ? "CTC - Cinetrove Comments|*.ctc||" : "CTA - Cinetrove Archive|*.cta||", this);
    // The dialog opens in the current directory, which the last file chosen
    // has moved to its own directory.
    std::string strCurrent;
    if (AfxGetCurrentDirectory(strCurrent)) dlg.m_strInitialDir = strCurrent;
    if (dlg.DoModal() != IDOK) return;

    std::string strPath = dlg.GetPathName();
    if (bDirectory) {
        // The comment directory is the chosen file's, without a trailing
        // separator; only the root keeps its one, as it has nothing else.
        strPath = std::filesystem::path(strPath).parent_path().string();
    }
    if (strPath.size() >= m_nPathSize) {
        // Cutting it would name another file: the field keeps its path.
        MessageBox(kPathTooLong);
        return;
    }
    ShowPath(field, strPath);
    UpdateData(FALSE);
}

void CActiveFilesDlg::ShowPath(PathField field, const std::string& strPath)
{
    m_shown[field] = ShownPath{PathToAnsi(strPath), strPath};
    Text(field) = m_shown[field].strText;
}

std::string CActiveFilesDlg::GetPath(PathField field) const
{
    // Text typed by the user is code-page text; the system wants UTF-8.
    const std::string& strText = Text(field);
    return strText == m_shown[field].strText ? m_shown[field].strPath : AnsiToUtf8(strText);
}

namespace {
// The text member of each field, in the order of PathField.
std::string CActiveFilesDlg::*const kTexts[] = {&CActiveFilesDlg::m_strSeenFile, &CActiveFilesDlg::m_strToSeeFile,
                                                &CActiveFilesDlg::m_strSeenCommentsDir,
                                                &CActiveFilesDlg::m_strToSeeCommentsDir};
}  // namespace

std::string& CActiveFilesDlg::Text(PathField field) { return this->*kTexts[field]; }
const std::string& CActiveFilesDlg::Text(PathField field) const { return this->*kTexts[field]; }
