// The comment files of the films, moved to and from the comment box.
#include "CatalogDlg.h"

#include "CodePage.h"
#include "FilmList.h"

namespace {

// A text read from a comment file as the comment box gives it back: each
// line break as CR LF.
std::string AsInTheBox(const std::string& strText)
{
    std::string strBox;
    for (const char c : strText) {
        if (c == '\n') strBox += '\r';
        strBox += c;
    }
    return strBox;
}

}  // namespace

int CCatalogDlg::LoadComment(std::string strOriginalTitle, int nList)
{
    std::string strText;
    if (!m_catalogue.LoadComment(strOriginalTitle, nList, strText)) return 0;
    m_editComments.SetWindowText(strText);
    return 1;
}

int CCatalogDlg::SaveComment(std::string strOriginalTitle, int nList)
{
    return WriteComment(strOriginalTitle, nList, m_editComments.GetWindowText()) ? 1 : 0;
}

bool CCatalogDlg::WriteComment(const std::string& strOriginalTitle, int nList, const std::string& strText)
{
    const Catalogue::SaveResult result =
        m_catalogue.SaveComment(strOriginalTitle, nList, strText, [this](const std::string& strPath) {
            // A comment this run has not read would be lost unseen.
            const std::string strQuestion =
                "Comentariul din " + Utf8ToAnsi(strPath) + " nu a fost citit de program. Il inlocuiti?";
            return MessageBox(strQuestion, nullptr, MB_YESNO) == IDYES;
        });
    if (result == Catalogue::SaveResult::Failed) {
        MessageBox("Fisierul pentru comentarii nu poate fi deschis");
        return false;
    }
    return true;
}

int CCatalogDlg::DeleteComment(std::string strOriginalTitle, int nList)
{
    m_catalogue.DeleteComment(strOriginalTitle, nList);
    return 1;
}

void CCatalogDlg::MoveComment(const std::string& strOriginalTitle)
{
    // The to-see note goes into the seen comment ahead of the box's text,
    // unless the box holds it already; one that cannot be read stays where
    // it is. The to-see file itself goes only with the Save that writes the
    // to-see list without the film.
    std::string strToSee;
    const bool bRead = m_catalogue.LoadComment(strOriginalTitle, kToSeeList, strToSee);
    std::string strText = m_editComments.GetWindowText();
    const std::string strNote = AsInTheBox(strToSee);
    if (bRead && !strNote.empty() && strText.find(strNote) == std::string::npos) {
        strText = strText.empty() ? strNote : strNote + "\r\n\r\n" + strText;
        m_editComments.SetWindowText(strText);
    }
    if (WriteComment(strOriginalTitle, kSeenList, strText) && bRead)
        m_catalogue.RemoveToSeeCommentOnSave(strOriginalTitle);
}
