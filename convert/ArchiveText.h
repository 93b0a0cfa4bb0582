#pragma once

#include "IncomingFilm.h"

#include <string>
#include <vector>

// The archive's reader on the original platform reads at most this many
// characters of a line; a longer text would be cut there, or throw the
// records after it out of step.
constexpr std::size_t kMaxArchiveLine = 253;

// The texts of an incoming film as the archive keeps them: in the code page
// (Windows-1250), each at most kMaxArchiveLine characters.
struct ArchiveTexts {
    std::string strOriginalTitle;
    std::string strTitle;
    std::string strCountry;
    std::string strYear;
    std::string strDirector;
    std::string strCast;

    // What changed on the way, for the summary (UTF-8).
    bool bOriginalFromTitle = false;     // the original title would have been mostly '?'
    std::vector<std::string> shortened;  // "director, 407 to 241 characters"
};

// An original title whose letters would mostly become '?' (a Japanese or
// Arabic title) is taken from the film's Title when that converts without
// a '?' of its own. A director or cast list that is too long ends at the
// last ", " that fits, any other text at the limit.
ArchiveTexts ToArchiveTexts(const IncomingFilm& film);

// A code-page text cut to `nMax` characters; a list of names at the last
// ", " that fits.
std::string ShortenedText(const std::string& strAnsi, std::size_t nMax, bool bList);
