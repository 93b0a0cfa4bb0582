// The Modify command: the film named in the Modify dialog takes every value
// of the details panel, its original title included, within the list that
// holds it.
#include "CatalogDlg.h"

#include "FilmList.h"
#include "FilmRow.h"
#include "ListRule.h"
#include "ModifyFilmDlg.h"
#include "Rating.h"

#include <string>

void CCatalogDlg::OnModify()
{
    static constexpr const char* kCaption = "Modify";
    if (!TakePanelFilm(*this, kCaption)) return;

    CModifyFilmDlg dlgModify(this);
    if (dlgModify.DoModal() != IDOK) return;
    const std::string& strKey = dlgModify.m_strFilmToModify;

    // The seen list wins when both hold the key.
    const int nList = m_catalogue.FindListOf(strKey);
    if (nList < 0) {
        MessageBox("Filmul precizat nu exista!", kCaption);
        return;
    }
    const int nRating = TextToRating(m_strPanelRating);
    switch (CheckListRule(nList, nRating, m_nPanelViewings)) {
    case ListRuleFault::Rating:
        MessageBox("Nu exista compatibilitate de calificativ!", kCaption);
        return;
    case ListRuleFault::Viewings:
        MessageBox(
            nList == kSeenList ? "Numarul de vizionari nu poate fi zero!" : "Numarul de vizionari trebuie sa fie zero!",
            kCaption);
        return;
    case ListRuleFault::None:
        break;
    }
    m_catalogue.UpdateFilm(nList, strKey, PanelFilm(*this, nRating));
    ShowPanelRow(*this);
    SaveComment(m_strPanelOriginalTitle, nList);
    UpdateData(FALSE);
}
