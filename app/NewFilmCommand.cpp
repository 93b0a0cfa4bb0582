// The New command: the film of the details panel goes into the list chosen in
// the New dialog. Adding to the seen list moves a to-see film of the same
// original title across.
#include "CatalogDlg.h"

#include "FilmList.h"
#include "FilmRow.h"
#include "ListRule.h"
#include "NewFilmDlg.h"
#include "Rating.h"

void CCatalogDlg::OnNew()
{
    static constexpr const char* kCaption = "New";
    if (!TakePanelFilm(*this, kCaption)) return;

    CNewFilmDlg dlgNew(this);
    dlgNew.m_nTargetList = kSeenList;
    if (dlgNew.DoModal() != IDOK) return;
    const int nList = dlgNew.m_nTargetList;
    if (nList != kSeenList && nList != kToSeeList) return;

    const int nRating = TextToRating(m_strPanelRating);
    switch (CheckListRule(nList, nRating, m_nPanelViewings)) {
    case ListRuleFault::Rating:
        MessageBox("Nu exista potrivire intre calificativ si lista!", kCaption);
        return;
    case ListRuleFault::Viewings:
        MessageBox("Nu exista potrivire la numarul de vizionari!", kCaption);
        return;
    case ListRuleFault::None:
        break;
    }
    const bool bMoved = m_catalogue.AddFilm(nList, PanelFilm(*this, nRating));
    ShowPanelRow(*this);
    if (bMoved)
        MoveComment(m_strPanelOriginalTitle);
    else
        SaveComment(m_strPanelOriginalTitle, nList);
    UpdateData(FALSE);
}
