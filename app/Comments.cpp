// The comment files of the films, moved to and from the comment box.
#include "CatalogDlg.h"

#include "CommentFile.h"

namespace {
std::string Directory(const CCatalogDlg& dlg, int nList)
{
    return nList == 0 ? dlg.m_szSeenCommentsDir : dlg.m_szToSeeCommentsDir;
}
}  // namespace

int CCatalogDlg::LoadComment(std::string strOriginalTitle, int nList)
{
    std::string strText;
    if (!ReadCommentFile(Directory(*this, nList), strOriginalTitle, strText)) return 0;
    m_editComments.SetWindowText(strText);
    return 1;
}

int CCatalogDlg::SaveComment(std::string strOriginalTitle, int nList)
{
    if (!WriteCommentFile(Directory(*this, nList), strOriginalTitle, m_editComments.GetWindowText())) {
        MessageBox("Fisierul pentru comentarii nu poate fi deschis");
        return 0;
    }
    return 1;
}

int CCatalogDlg::DeleteComment(std::string strOriginalTitle, int nList)
{
    RemoveCommentFile(Directory(*this, nList), strOriginalTitle);
    return 1;
}
