#pragma once

#include "IncomingFilm.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

// The JSON files of a Trakt export that the import reads besides the
// history, whose files are every history*.json beside them and every *.json
// of a history/ folder there.
extern const char* const kTraktFiles[3];

// The most the files an import reads of one export may hold together: a
// ZIP file of many history entries, each within the limit of one entry,
// could otherwise ask for more memory than the machine has.
constexpr std::size_t kMaxTraktExportBytes = 256u * 1024u * 1024u;  // 256 MiB

// True for a name, below the export's folder, of one of its history files.
bool IsTraktHistoryFile(std::string_view strName);

// Reads the export's files (name below the export's folder -> bytes; a file
// not there is left out). Each is a JSON list of entries. watched-movies.json
// gives the seen films and their plays, ratings-movies.json their ratings on
// ten, each film entry of the history a dated viewing (the earliest a first
// viewing, the others rewatches; the day is the UTC one Trakt stamps), and
// watchlist-movies.json the films to see. A film is known by its Trakt id,
// else its IMDb id, else its title and year. History entries that are no
// film (episodes) are left out and counted. A film's line is its entry's
// number in the file's list, from 1, in refusals as in the summary.
// `strSource` prefixes the file names. Throws InputRefused at the first
// file or entry it cannot take.
IncomingRows ReadTraktExport(const std::map<std::string, std::string>& files, const std::string& strSource);

// The export's files from the ZIP file or the folder it unpacks to, at the
// top or in the one folder below it that holds them. Throws InputRefused,
// saying why, when neither holds them, or when a file is larger than 64 MiB
// or all of them than kMaxTraktExportBytes.
std::map<std::string, std::string> LoadTraktFiles(const std::string& strPath);
