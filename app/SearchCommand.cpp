// The Search command: the films of either list or both whose chosen fields
// hold the identifier.
#include "CatalogDlg.h"
#include "FilmRowSource.h"
#include "SearchDlg.h"
#include "SearchMatch.h"

#include <cstdio>
#include <utility>

int CCatalogDlg::FieldMatches(std::string strField, std::string strIdentifier, int nSearchType) const
{
    return ::FieldMatches(std::move(strField), std::move(strIdentifier), nSearchType);
}

void CCatalogDlg::OnSearch()
{
    CSearchDlg dlg(this);
    dlg.m_bOriginalTitle = m_bSearchOriginalTitle;
    dlg.m_bTitle = m_bSearchTitle;
    dlg.m_bCountry = m_bSearchCountry;
    dlg.m_bYear = m_bSearchYear;
    dlg.m_bDirector = m_bSearchDirector;
    dlg.m_bCast = m_bSearchCast;
    dlg.m_bRating = m_bSearchRating;
    dlg.m_nSearchType = m_bSearchApproximate;
    dlg.m_bViewings = m_bSearchViewings;
    dlg.m_bSeen = m_bSearchSeen;
    dlg.m_bToSee = m_bSearchToSee;
    if (dlg.DoModal() != IDOK) return;

    // The choices are remembered before any check, so a refused search keeps them.
    m_bSearchOriginalTitle = dlg.m_bOriginalTitle;
    m_bSearchTitle = dlg.m_bTitle;
    m_bSearchCountry = dlg.m_bCountry;
    m_bSearchYear = dlg.m_bYear;
    m_bSearchDirector = dlg.m_bDirector;
    m_bSearchCast = dlg.m_bCast;
    m_bSearchRating = dlg.m_bRating;
    m_bSearchApproximate = dlg.m_nSearchType != 0 ? 1 : 0;
    m_bSearchViewings = dlg.m_bViewings;
    m_bSearchSeen = dlg.m_bSeen;
    m_bSearchToSee = dlg.m_bToSee;

    if (!dlg.m_bSeen && !dlg.m_bToSee) {
        MessageBox("Nu a fost selectata nici o lista!");
        return;
    }
    SearchFields fields;
    fields.bOriginalTitle = dlg.m_bOriginalTitle != 0;
    fields.bTitle = dlg.m_bTitle != 0;
    fields.bCountry = dlg.m_bCountry != 0;
    fields.bYear = dlg.m_bYear != 0;
    fields.bDirector = dlg.m_bDirector != 0;
    fields.bCast = dlg.m_bCast != 0;
    fields.bRating = dlg.m_bRating != 0;
    fields.bViewings = dlg.m_bViewings != 0;
    if (!(fields.bOriginalTitle || fields.bTitle || fields.bCountry || fields.bYear || fields.bDirector ||
          fields.bCast || fields.bRating || fields.bViewings)) {
        MessageBox("Nu a fost selectat nici un camp de cautare!");
        return;
    }
    if (dlg.m_strIdentifier.empty()) {
        MessageBox("Nu a fost ales nici un identificator!");
        return;
    }

    const CFilmMatcher matcher(fields, dlg.m_strIdentifier, dlg.m_nSearchType, TextToRating(dlg.m_strIdentifier));
    // Each match goes in at the top of the list, in the order found.
    std::vector<CListSharedRow> rows;
    auto searchList = [&](const CFilmNode* pHead) {
        CFilmTextsLookAhead ahead(pHead);
        for (const CFilmNode* pNode = pHead; pNode; pNode = pNode->m_pNext) {
            ahead.Step();
            if (matcher.Matches(*pNode->m_pFilm)) rows.push_back(CFilmRowSource::RowOf(*pNode->m_pFilm));
        }
    };
    if (dlg.m_bSeen) searchList(m_catalogue.m_pSeenList);
    if (dlg.m_bToSee) searchList(m_catalogue.m_pToSeeList);
    const int nMatches = static_cast<int>(rows.size());
    // The previous view stays until there is a film to show instead.
    if (nMatches > 0) ShowFilmRows(std::move(rows));

    if (nMatches == 0) {
        MessageBox("Nu exista nici o potrivire!");
    } else if (nMatches == 1) {
        MessageBox("Exista o potrivire!");
    } else {
        char szText[64];
        std::snprintf(szText, sizeof szText, "Exista %d potriviri!", nMatches);
        MessageBox(szText);
    }
}
