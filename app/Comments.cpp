// The comment files of the films, moved to and from the comment box.
#include "CatalogDlg.h"

#include "CommentFile.h"
#include "FileStamp.h"
#include "FilmList.h"

#include <optional>

namespace {
std::string Directory(const CCatalogDlg& dlg, int nList)
{
    return SelectCommentDir(nList, dlg.m_szSeenCommentsDir, dlg.m_szToSeeCommentsDir);
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

void CCatalogDlg::MoveComment(const std::string& strOriginalTitle)
{
    // The seen comment is written first; the to-see file goes only once that
    // has worked, so the comment is never lost. When both lists share one
    // comment folder the two are one file, which keeps the new text.
    if (!SaveComment(strOriginalTitle, kSeenList)) return;
    std::string strSeenPath, strToSeePath;
    if (!CommentFilePath(m_szSeenCommentsDir, strOriginalTitle, strSeenPath) ||
        !CommentFilePath(m_szToSeeCommentsDir, strOriginalTitle, strToSeePath))
        return;
    const std::optional<FileStamp> seen = StampOfPath(strSeenPath);
    const std::optional<FileStamp> toSee = StampOfPath(strToSeePath);
    if (seen && toSee && seen->nDevice == toSee->nDevice && seen->nInode == toSee->nInode) return;
    DeleteComment(strOriginalTitle, kToSeeList);
}
