// The Top command: the seen list ranked by rating or by number of viewings.
#include "CatalogDlg.h"
#include "TopDlg.h"
#include "TopOrder.h"

void CCatalogDlg::OnTop()
{
    CTopDlg dlg(this);
    dlg.m_nCriterion = m_nTopCriterion;
    if (dlg.DoModal() != IDOK) return;  // Cancel leaves even the colour alone
    m_nTopCriterion = dlg.m_nCriterion;

    m_listCtrl.SetTextColor(RGB(0, 0, 0));
    if (m_nTopCriterion != kTopByRating && m_nTopCriterion != kTopByViewings) return;
    OnClearList();
    // Rows go in at the top, so the last one in, the best, stands first.
    for (const CFilm* pFilm : TopInsertionOrder(m_pSeenList, m_nTopCriterion, m_nMaxViewings))
        InsertFilmRow(*pFilm);
}
