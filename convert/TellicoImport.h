#pragma once

#include "IncomingFilm.h"

#include <optional>
#include <string>
#include <string_view>

// Reads a Tellico collection: the .tc file (a ZIP file holding tellico.xml)
// or the XML itself. Each entry is a film: title and original title (the
// title when there is none), year, nationality, director and cast (several
// values joined with ", ", a cast's roles left out), the comments as plain
// text. The rating is this program's own "calificativ" field when the file
// came from "export tellico", else Tellico's personal rating of 1 to 5 as a
// word (1 "Slab", 2 "Mediocru", 3 "Bun", 4 "Foarte bun", 5 "Excelent");
// the list and the viewings are its "lista" and "vizionari" fields, else
// `defaultList` with one viewing for a seen film. Throws InputRefused when
// the file is no Tellico collection or an entry has a value it cannot take.
IncomingRows ReadTellicoXml(std::string_view xml, const std::string& strFile, TargetList defaultList);
IncomingRows ReadTellicoFile(const std::string& strPath, TargetList defaultList);
