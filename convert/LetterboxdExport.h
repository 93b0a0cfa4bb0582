#pragma once

#include "CatalogueFolder.h"

#include <string>

// The CSV that Letterboxd's import page reads, seen films only:
// Title,Year,Directors,Rating10,Rewatch,Review. The rating word becomes ten
// points (2, 4, 6, 7, 9, 10); a film seen more than once is a rewatch; the
// comment is the review. UTF-8, CR LF line ends.
std::string WriteLetterboxdCsv(const Catalogue& catalogue);
