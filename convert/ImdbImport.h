#pragma once

#include "IncomingFilm.h"

#include <string>
#include <string_view>

// Reads an IMDb ratings export or list/watchlist export (CSV). The columns
// are found by their names in every layout the site has used: the pre-2017
// one ("const", "Title type", "You rated"), 2017-2023's ("Const", "Title
// Type", "Your Rating", no "Original Title") and today's. A row with a
// rating is a seen film with one viewing, a row without one a film to see.
// Rows whose type is no film are left out unless bAllTypes; a type no table
// knows is taken and listed. A file that is not valid UTF-8 is read as
// Windows-1252, the code page of the site's older downloads, and a note
// says so. Throws InputRefused at the first row it cannot take.
IncomingRows ReadImdbExport(std::string_view bytes, const std::string& strFile, bool bAllTypes = false);
