// The Modify command: the film named in the Modify dialog takes every value
// of the details panel, its original title included, within the list that
// holds it.
#include "CatalogDlg.h"

#include "FilmList.h"
#include "FilmRow.h"
#include "ModifyFilmDlg.h"
#include "Rating.h"

#include <algorithm>
#include <string>

void CCatalogDlg::OnModify()
{
    static constexpr const char* kCaption = "Modify";
    if (!TakePanelFilm(*this, kCaption)) return;

    CModifyFilmDlg dlgModify(this);
    if (dlgModify.DoModal() != IDOK) return;
    const std::string& strKey = dlgModify.m_strFilmToModify;

    // Both lists are asked first; the seen list wins when both hold the key.
    const bool bInSeen = ContainsFilm(m_pSeenList, strKey) != 0;
    const bool bInToSee = ContainsFilm(m_pToSeeList, strKey) != 0;
    const int nRating = TextToRating(m_strPanelRating);

    if (bInSeen) {
        if (nRating == kToSeeRating) {
            MessageBox("Nu exista compatibilitate de calificativ!", kCaption);
            return;
        }
        if (m_nPanelViewings <= 0) {
            MessageBox("Numarul de vizionari nu poate fi zero!", kCaption);
            return;
        }
        // The film keeps its place, even under a new original title: the list
        // is sorted again when the archives are next read.
        UpdateFilm(m_pSeenList, strKey, m_strPanelOriginalTitle, m_strPanelTitle, m_strPanelCountry, m_strPanelYear,
                   m_strPanelDirector, m_strPanelCast, nRating, m_nPanelViewings);
        m_bSeenChanged = true;
        ShowPanelRow(*this);
        m_nMaxViewings = std::max(m_nMaxViewings, m_nPanelViewings);
        SaveComment(m_strPanelOriginalTitle, kSeenList);
        UpdateData(FALSE);
    } else if (bInToSee) {
        if (nRating != kToSeeRating) {
            MessageBox("Nu exista compatibilitate de calificativ!", kCaption);
            return;
        }
        if (m_nPanelViewings != 0) {
            MessageBox("Numarul de vizionari trebuie sa fie zero!", kCaption);
            return;
        }
        UpdateFilm(m_pToSeeList, strKey, m_strPanelOriginalTitle, m_strPanelTitle, m_strPanelCountry, m_strPanelYear,
                   m_strPanelDirector, m_strPanelCast, nRating, 0);
        m_bToSeeChanged = true;
        ShowPanelRow(*this);
        SaveComment(m_strPanelOriginalTitle, kToSeeList);
        UpdateData(FALSE);
    } else {
        MessageBox("Filmul precizat nu exista!", kCaption);
    }
}
