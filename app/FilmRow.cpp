#include "FilmRow.h"

#include "Archive.h"
#include "CatalogDlg.h"
#include "FilmColumns.h"

#include <string>

bool TakePanelFilm(CCatalogDlg& dlg, const char* pszCaption)
{
    // A number of viewings that does not read has been warned about by the
    // exchange, which left the focus on it with its text selected: the
    // command ends there, before it could store the former number.
    if (!dlg.UpdateData(TRUE)) return false;

    // An original title of blanks cannot be stored and counts as missing;
    // any other text of blanks counts as filled in.
    std::string strMissing;
    if (IsBlankOriginalTitle(dlg.m_strPanelOriginalTitle)) strMissing += " : Original";
    if (dlg.m_strPanelTitle.empty()) strMissing += " : Titlu";
    if (dlg.m_strPanelCountry.empty()) strMissing += " : Tara";
    if (dlg.m_strPanelYear.empty()) strMissing += " : An aparitie";
    if (dlg.m_strPanelDirector.empty()) strMissing += " : Regia";
    if (dlg.m_strPanelCast.empty()) strMissing += " : Distributia";
    if (dlg.m_strPanelRating.empty()) strMissing += " : Calificativ";
    if (dlg.m_editViewings.GetWindowText().empty() || dlg.m_nPanelViewings < 0) strMissing += " : Numar vizionari";
    if (!strMissing.empty()) {
        dlg.MessageBox("Trebuie completat campul" + strMissing + ".", pszCaption);
        return false;
    }
    if (!dlg.IsValidRating(dlg.m_strPanelRating)) {
        dlg.MessageBox("Calificativul nu este unul valid!", pszCaption);
        return false;
    }
    return true;
}

FilmEntry PanelFilm(const CCatalogDlg& dlg, int nRating)
{
    return {dlg.m_strPanelOriginalTitle,
            dlg.m_strPanelTitle,
            dlg.m_strPanelCountry,
            dlg.m_strPanelYear,
            dlg.m_strPanelDirector,
            dlg.m_strPanelCast,
            nRating,
            dlg.m_nPanelViewings};
}

void ShowPanelRow(CCatalogDlg& dlg)
{
    // The row shows the panel, the rating word as it was typed.
    dlg.OnClearList();
    const FilmCells cells{{dlg.m_strPanelOriginalTitle, dlg.m_strPanelTitle, dlg.m_strPanelCountry, dlg.m_strPanelYear,
                           dlg.m_strPanelDirector, dlg.m_strPanelCast},
                          dlg.m_strPanelRating,
                          dlg.m_nPanelViewings};
    const int nItem = dlg.m_listCtrl.InsertItem(0, FilmCellText(cells, 0));
    for (int nCol = 1; nCol < static_cast<int>(kFilmColumns.size()); ++nCol)
        dlg.m_listCtrl.SetItemText(nItem, nCol, FilmCellText(cells, nCol));
}
