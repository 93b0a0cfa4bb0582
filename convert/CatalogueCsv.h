#pragma once

#include "CatalogueFolder.h"
#include "IncomingFilm.h"

#include <string>
#include <string_view>
#include <vector>

// The catalogue's own CSV: both lists, one row a film, UTF-8 with a
// byte-order mark, with the header below. What the export writes, the
// import reads back unchanged, so a catalogue can be edited in a spreadsheet.
extern const std::vector<std::string> kCatalogueCsvHeader;

// The seen list, then the to-see list, in list order; each film's comment
// from its list's comment folder, with its line breaks.
std::string WriteCatalogueCsv(const Catalogue& catalogue);

// Reads the rows back, also as a spreadsheet saves them: in Windows-1250
// when the file is not valid UTF-8 (a note says so), with ';' between
// fields when the header has them, with bare LF line breaks in a comment.
// Columns are found by name; "Lista" and "Titlu original" are required. An
// empty "Calificativ" of a seen film leaves it unrated, an empty "Vizionari"
// means 1 for a seen film and 0 for one to see. Throws InputRefused at the
// first row it cannot take.
IncomingRows ReadCatalogueCsv(std::string_view bytes, const std::string& strFile);
