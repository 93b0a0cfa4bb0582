// The result list: the film row, Show List, To See, Clear List and Count.
#include "CatalogDlg.h"

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

void CCatalogDlg::ShowList(const CFilmNode* pHead, COLORREF color)
{
    m_listCtrl.SetTextColor(color);
    OnClearList();
    // Each row goes in at the top, so the descending list reads ascending.
    for (const CFilmNode* pNode = pHead; pNode; pNode = pNode->m_pNext) InsertFilmRow(*pNode->m_pFilm);
}

void CCatalogDlg::OnShowList() { ShowList(m_pSeenList, RGB(0, 0, 255)); }

void CCatalogDlg::OnToSee() { ShowList(m_pToSeeList, RGB(0, 34, 85)); }

void CCatalogDlg::OnClearList() { m_listCtrl.DeleteAllItems(); }

void CCatalogDlg::OnCount()
{
    char szText[128];
    std::snprintf(szText, sizeof szText, "Numarul filmelor vazute deja este %d.\nNumarul filmelor de vazut este %d.",
                  m_nSeenCount, m_nToSeeCount);
    MessageBox(szText, "Count");
}
