#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Catalogues of realistic size and content for the benchmarks: titles made of
// English and Romanian words (with Windows-1250 diacritics), some sequels and
// remakes sharing a title, directors, casts, years and ratings as a collector
// would have them.

struct GeneratedFilm {
    std::string strOriginalTitle;
    std::string strTitle;
    std::string strCountry;
    std::string strYear;
    std::string strDirector;
    std::string strCast;
    int nRating = 0;
    int nViewings = 0;
};

enum class ArchiveOrder {
    Descending,  // as the program saves a list
    Random,      // as another tool, or a hand-edited file, might leave it
};

std::vector<GeneratedFilm> GenerateFilms(int nFilms, std::uint32_t nSeed = 1);

// The archive file's bytes for the films, CR LF line ends included.
std::string ArchiveBytes(std::vector<GeneratedFilm> films, ArchiveOrder order, std::uint32_t nSeed = 1);
