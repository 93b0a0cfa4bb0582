// The result list: the film row, Show List, To See, Clear List and Count.
#include "CatalogDlg.h"

#include "FilmRowSource.h"

#include <algorithm>
#include <cstdio>
#include <string>

void CCatalogDlg::InsertFilmRow(const CFilm& film)
{
    const int nItem = m_listCtrl.InsertItem(0, film.m_strOriginalTitle);
    m_listCtrl.SetItemText(nItem, 1, film.m_strTitle);
    m_listCtrl.SetItemText(nItem, 2, film.m_strCountry);
    m_listCtrl.SetItemText(nItem, 3, film.m_strYear);
    m_listCtrl.SetItemText(nItem, 4, film.m_strDirector);
    m_listCtrl.SetItemText(nItem, 5, RatingToText(film.m_nRating));
    m_listCtrl.SetItemText(nItem, 6, std::to_string(film.m_nViewings));
    m_listCtrl.SetItemText(nItem, 7, film.m_strCast);
}

void CCatalogDlg::ShowFilmRows(std::vector<CListSharedRow> rows)
{
    // Rows given in the order of insertion at the top read the other way.
    std::reverse(rows.begin(), rows.end());
    m_listCtrl.SetSharedRows(CFilmRowSource::Instance(), std::move(rows));
}

void CCatalogDlg::ShowList(const CFilmNode* pHead, COLORREF color, int nCount)
{
    m_listCtrl.SetTextColor(color);
    OnClearList();  // the old rows go before the new ones are gathered
    // Each row goes in at the top, so the descending list reads ascending.
    std::vector<CListSharedRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(nCount, 0)));
    for (const CFilmNode* pNode = pHead; pNode; pNode = pNode->m_pNext)
        rows.push_back(CFilmRowSource::RowOf(*pNode->m_pFilm));
    ShowFilmRows(std::move(rows));
}

void CCatalogDlg::OnShowList() { ShowList(m_pSeenList, RGB(0, 0, 255), m_nSeenCount); }

void CCatalogDlg::OnToSee() { ShowList(m_pToSeeList, RGB(0, 34, 85), m_nToSeeCount); }

void CCatalogDlg::OnClearList() { m_listCtrl.DeleteAllItems(); }

void CCatalogDlg::OnCount()
{
    char szText[128];
    std::snprintf(szText, sizeof szText, "Numarul filmelor vazute deja este %d.\nNumarul filmelor de vazut este %d.",
                  m_nSeenCount, m_nToSeeCount);
    MessageBox(szText, "Count");
}
