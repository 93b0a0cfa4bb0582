// The details panel: bringing a film of the result list into it, and Clear All.
#include "CatalogDlg.h"

#include "FilmList.h"

void CCatalogDlg::OnDblclkResultList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int nItem = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    if (nItem < 0) return;
    // The whole title of the row finds its film, however long it is.
    const std::string strKey = m_listCtrl.GetItemText(nItem, 0);
    const auto bringIn = [this, &strKey](const CFilmNode* pHead, int nList) {
        for (const CFilmNode* pNode = pHead; pNode; pNode = pNode->m_pNext) {
            const CFilm& film = *pNode->m_pFilm;
            if (film.m_strOriginalTitle != strKey) continue;
            OnClearAll();
            m_strPanelOriginalTitle = film.m_strOriginalTitle;
            m_strPanelTitle = film.m_strTitle;
            m_strPanelCountry = film.m_strCountry;
            m_strPanelYear = film.m_strYear;
            m_strPanelDirector = film.m_strDirector;
            m_nPanelViewings = film.m_nViewings;
            m_strPanelCast = film.m_strCast;
            m_strPanelRating = RatingToText(film.m_nRating);
            LoadComment(film.m_strOriginalTitle, nList);
            return true;
        }
        return false;
    };
    if (!bringIn(m_catalogue.m_pSeenList, kSeenList)) bringIn(m_catalogue.m_pToSeeList, kToSeeList);
    UpdateData(FALSE);
}

void CCatalogDlg::OnClearAll()
{
    m_strPanelOriginalTitle.clear();
    m_strPanelTitle.clear();
    m_strPanelCountry.clear();
    m_strPanelYear.clear();
    m_strPanelDirector.clear();
    m_strPanelCast.clear();
    m_strPanelRating.clear();
    m_editComments.SetWindowText("");
    UpdateData(FALSE);
}
