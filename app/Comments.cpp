// The comment files of the films, moved to and from the comment box.
#include "CatalogDlg.h"

#include "FilmList.h"

int CCatalogDlg::LoadComment(std::string strOriginalTitle, int nList)
{
    std::string strText;
    if (!m_catalogue.LoadComment(strOriginalTitle, nList, strText)) return 0;
    m_editComments.SetWindowText(strText);
    return 1;
}

int CCatalogDlg::SaveComment(std::string strOriginalTitle, int nList)
{
    if (!m_catalogue.SaveComment(strOriginalTitle, nList, m_editComments.GetWindowText())) {
        MessageBox("Fisierul pentru comentarii nu poate fi deschis");
        return 0;
    }
    return 1;
}

int CCatalogDlg::DeleteComment(std::string strOriginalTitle, int nList)
{
    m_catalogue.DeleteComment(strOriginalTitle, nList);
    return 1;
}

void CCatalogDlg::MoveComment(const std::string& strOriginalTitle)
{
    if (!m_catalogue.MoveComment(strOriginalTitle, m_editComments.GetWindowText()))
        MessageBox("Fisierul pentru comentarii nu poate fi deschis");
}
