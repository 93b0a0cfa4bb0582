// The Top command: the seen list ranked by rating or by number of viewings.
#include "CatalogDlg.h"
#include "FilmRowSource.h"
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
    // Rows go in at the top, so the last one in, the best, stands first.
    OnClearList();
    const std::vector<const CFilm*> order =
        TopInsertionOrder(m_catalogue.m_pSeenList, m_nTopCriterion, m_catalogue.m_nMaxViewings);
    std::vector<CListSharedRow> rows;
    rows.reserve(order.size());
    for (const CFilm* pFilm : order) rows.push_back(CFilmRowSource::RowOf(*pFilm));
    ShowFilmRows(std::move(rows));
}
