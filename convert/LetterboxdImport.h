#pragma once

#include "IncomingFilm.h"

#include <map>
#include <string>

// The CSV files of a Letterboxd export that the import reads.
extern const char* const kLetterboxdFiles[5];

// Reads the export's files (file name -> bytes; a file not there is left
// out): watched.csv and ratings.csv give the seen films (stars 0.5 to 5
// become ten points, twice the stars rounded up), each row of diary.csv is a
// viewing (at least one for a seen film, one more when the earliest entry is
// marked as a rewatch), reviews.csv gives the comment (its HTML as plain
// text) and watchlist.csv the films to see. A film is known by its name and
// year. `strSource` prefixes the file names in refusals and the summary.
// Throws InputRefused at the first row it cannot take.
IncomingRows ReadLetterboxdExport(const std::map<std::string, std::string>& files, const std::string& strSource);

// The export's files from the ZIP file or the folder it unpacks to, at the
// top or in the one folder below it that holds them (the folders of deleted
// and orphaned entries and of likes are not the export's own). Throws
// InputRefused, saying why, when neither holds them.
std::map<std::string, std::string> LoadLetterboxdFiles(const std::string& strPath);
