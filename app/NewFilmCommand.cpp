// The New command: the film of the details panel goes into the list chosen in
// the New dialog. Adding to the seen list moves a to-see film of the same
// original title across.
#include "CatalogDlg.h"

#include "FilmList.h"
#include "FilmRow.h"
#include "NewFilmDlg.h"
#include "Rating.h"

#include <algorithm>

void CCatalogDlg::OnNew()
{
    static constexpr const char* kCaption = "New";
    if (!TakePanelFilm(*this, kCaption)) return;

    CNewFilmDlg dlgNew(this);
    dlgNew.m_nTargetList = kSeenList;
    if (dlgNew.DoModal() != IDOK) return;

    // The rating is judged before the number of viewings.
    const int nRating = TextToRating(m_strPanelRating);
    if (dlgNew.m_nTargetList == kSeenList) {
        if (nRating == kToSeeRating) {
            MessageBox("Nu exista potrivire intre calificativ si lista!", kCaption);
            return;
        }
        if (m_nPanelViewings <= 0) {
            MessageBox("Nu exista potrivire la numarul de vizionari!", kCaption);
            return;
        }
        m_pSeenList = InsertSorted(m_pSeenList, m_strPanelOriginalTitle, m_strPanelTitle, m_strPanelCountry,
                                   m_strPanelYear, m_strPanelDirector, m_strPanelCast, nRating, m_nPanelViewings);
        ++m_nSeenCount;
        m_bSeenChanged = true;
        // Seeing a film takes it off the to-see list: its first film of that
        // title goes, and its comment moves to the seen directory.
        const bool bMoved = ContainsFilm(m_pToSeeList, m_strPanelOriginalTitle) != 0;
        if (bMoved) {
            m_pToSeeList = RemoveFilm(m_pToSeeList, m_strPanelOriginalTitle);
            --m_nToSeeCount;
            m_bToSeeChanged = true;
        }
        ShowPanelRow(*this);
        m_nMaxViewings = std::max(m_nMaxViewings, m_nPanelViewings);
        if (bMoved)
            MoveComment(m_strPanelOriginalTitle);
        else
            SaveComment(m_strPanelOriginalTitle, kSeenList);
        UpdateData(FALSE);
    } else if (dlgNew.m_nTargetList == kToSeeList) {
        if (nRating != kToSeeRating) {
            MessageBox("Nu exista potrivire intre calificativ si lista!", kCaption);
            return;
        }
        if (m_nPanelViewings != 0) {
            MessageBox("Nu exista potrivire la numarul de vizionari!", kCaption);
            return;
        }
        // The seen list is not consulted: a seen film may be added to see again.
        m_pToSeeList = InsertSorted(m_pToSeeList, m_strPanelOriginalTitle, m_strPanelTitle, m_strPanelCountry,
                                    m_strPanelYear, m_strPanelDirector, m_strPanelCast, nRating, 0);
        ++m_nToSeeCount;
        m_bToSeeChanged = true;
        ShowPanelRow(*this);
        SaveComment(m_strPanelOriginalTitle, kToSeeList);
        UpdateData(FALSE);
    }
}
