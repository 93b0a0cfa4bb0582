#pragma once

#include "Catalogue.h"
#include "FilmIds.h"

#include <string>
#include <vector>

// The CSV files Letterboxd's import page reads, UTF-8 with CR LF line ends.
// The seen films: LetterboxdURI,imdbID,Title,Year,Directors,Rating10,
// WatchedDate,Rewatch,Review. The rating is the one the site gave (ids.csv)
// while the word still is the one that rating gave, none for a film that
// was imported without a rating, else the word as ten points (2, 4, 6, 7,
// 9, 10); the ids and the last date watched where the side file knows
// them; a film seen more than once is a rewatch; the comment is the review.
std::string WriteLetterboxdCsv(const Catalogue& catalogue, const FilmIds& ids);
// The to-see list as a watchlist: LetterboxdURI,imdbID,Title,Year,Directors.
std::string WriteLetterboxdWatchlist(const Catalogue& catalogue, const FilmIds& ids);

// The import page takes files of at most 1 MB.
constexpr std::size_t kLetterboxdFileLimit = 1024 * 1024;

// A CSV cut into files of at most nLimit bytes, each with the header line,
// cut between records. One part when it fits.
std::vector<std::string> SplitCsv(const std::string& csv, std::size_t nLimit);
// The names of the parts: PATH itself for one part, else NAME-1.csv,
// NAME-2.csv ... beside it.
std::vector<std::string> PartNames(const std::string& strPath, std::size_t nParts);
