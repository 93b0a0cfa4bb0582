// The Set Active File command: the user chooses the two archives and the two
// comment directories used from now on by Save, Reopen and the comment files.
#include "ActiveFilesDlg.h"
#include "CatalogDlg.h"
#include "CurrentDirectory.h"

namespace {
// A relative path is taken against the current directory of this moment and
// kept whole, so a later browse, which moves the current directory, never
// moves where Save writes.
std::string AbsolutePath(std::string strPath)
{
    std::string strCurrent;
    if (strPath.empty() || strPath.front() == '/' || !AfxGetCurrentDirectory(strCurrent)) return strPath;
    while (strPath.rfind("./", 0) == 0) strPath.erase(0, 2);
    if (strPath == ".") return strCurrent;
    return (strCurrent == "/" ? std::string() : strCurrent) + "/" + strPath;
}
}  // namespace

void CCatalogDlg::OnSetActiveFile()
{
    CActiveFilesDlg dlg(this, kPathSize);
    dlg.m_nFilesChoice = m_nActiveFilesChoice;
    dlg.m_nCommentsChoice = m_nActiveCommentsChoice;
    dlg.ShowPath(CActiveFilesDlg::SeenFile, m_catalogue.m_szSeenFile);
    dlg.ShowPath(CActiveFilesDlg::ToSeeFile, m_catalogue.m_szToSeeFile);
    dlg.ShowPath(CActiveFilesDlg::ToSeeCommentsDir, m_catalogue.m_szToSeeCommentsDir);
    dlg.ShowPath(CActiveFilesDlg::SeenCommentsDir, m_catalogue.m_szSeenCommentsDir);
    if (dlg.DoModal() != IDOK) return;

    // The paths are taken as they stand, whatever the choices; the lists in
    // memory and the result list stay as they are until Reopen.
    m_nActiveCommentsChoice = dlg.m_nCommentsChoice;
    m_nActiveFilesChoice = dlg.m_nFilesChoice;
    // The dialog's OK lets through only paths that fit; a path that still
    // would not is left as it was, and said so, rather than cut short.
    if (!m_catalogue.SetActivePaths(AbsolutePath(dlg.GetPath(CActiveFilesDlg::SeenFile)),
                                    AbsolutePath(dlg.GetPath(CActiveFilesDlg::ToSeeFile)),
                                    AbsolutePath(dlg.GetPath(CActiveFilesDlg::ToSeeCommentsDir)),
                                    AbsolutePath(dlg.GetPath(CActiveFilesDlg::SeenCommentsDir))))
        MessageBox(CActiveFilesDlg::kPathTooLong);
}
