// The result list: the film row, Show List, To See, Clear List and Count.
#include "CatalogDlg.h"

#include "FilmColumns.h"
#include "FilmRowSource.h"

#include <algorithm>
#include <cstdio>
#include <string>

void CCatalogDlg::InsertFilmRow(const CFilm& film)
{
    const FilmCells cells = CFilmRowSource::CellsOf(film.Texts().Key(), film.m_nRating, film.m_nViewings);
    const int nItem = m_listCtrl.InsertItem(0, FilmCellText(cells, 0));
    for (int nCol = 1; nCol < static_cast<int>(kFilmColumns.size()); ++nCol)
        m_listCtrl.SetItemText(nItem, nCol, FilmCellText(cells, nCol));
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

void CCatalogDlg::OnShowList() { ShowList(m_catalogue.m_pSeenList, RGB(0, 0, 255), m_catalogue.m_nSeenCount); }

void CCatalogDlg::OnToSee() { ShowList(m_catalogue.m_pToSeeList, RGB(0, 34, 85), m_catalogue.m_nToSeeCount); }

void CCatalogDlg::OnClearList() { m_listCtrl.DeleteAllItems(); }

void CCatalogDlg::OnCount()
{
    char szText[128];
    std::snprintf(szText, sizeof szText, "Numarul filmelor vazute deja este %d.\nNumarul filmelor de vazut este %d.",
                  m_catalogue.m_nSeenCount, m_catalogue.m_nToSeeCount);
    MessageBox(szText, "Count");
}
