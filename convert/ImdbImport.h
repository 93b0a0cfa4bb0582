#pragma once

#include "IncomingFilm.h"

#include <string>
#include <string_view>
#include <vector>

// Reads an IMDb ratings export or list/watchlist export (CSV, UTF-8). The
// columns are found by their names, so every layout the site has used reads
// the same: a row with "Your Rating" is a seen film with one viewing, a row
// without one a film to see. Throws InputRefused at the first row it cannot take.
std::vector<IncomingFilm> ReadImdbExport(std::string_view text, const std::string& strFile);
