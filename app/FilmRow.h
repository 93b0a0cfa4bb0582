#pragma once

// The film that stands in the details panel, as New and Modify take it: the
// checks that come before their dialogs, and its row in the result list.

#include "FilmEntry.h"

class CCatalogDlg;

// Takes the details panel into the members and checks that every value is
// filled in and that the rating is a rating word. On a fault it shows the
// message under pszCaption and returns false; a number of viewings that is
// no number has had its warning from the exchange.
bool TakePanelFilm(CCatalogDlg& dlg, const char* pszCaption);

// The panel's film as it is to be stored, with the rating code nRating.
FilmEntry PanelFilm(const CCatalogDlg& dlg, int nRating);

// Empties the result list and shows the panel's film in it as its only row.
void ShowPanelRow(CCatalogDlg& dlg);
