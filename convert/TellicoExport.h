#pragma once

#include "CatalogueFolder.h"

#include <string>

// A Tellico video collection of both lists: the XML (tellico.xml) and the
// .tc file, a ZIP file that holds it. Each film is an entry with its title
// (the original title when it has none), its original title (when that is
// not the title), country, year, director, cast and comment (rich text, its
// line breaks as "<br/>"), the rating
// word as a choice of the seven words, the list as a choice of "vazute" and
// "de vazut" and the viewings as a number.
std::string WriteTellicoXml(const Catalogue& catalogue);
bool WriteTellicoFile(const std::string& strPath, const Catalogue& catalogue);
