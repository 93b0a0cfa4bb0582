#pragma once

#include "CatalogueFolder.h"
#include "Diary.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Counts over a catalogue: films per list, per rating word, per country and
// per decade of the year field (both lists), the ten directors with the most
// seen films, the viewings of all seen films and the ten most viewed films.
struct CatalogueStats {
    using Counts = std::vector<std::pair<std::string, long long>>;  // UTF-8 name, count

    Counts lists;
    Counts ratings;    // in the order of the rating words
    Counts countries;  // most films first, then by name
    Counts decades;    // in order of time, films without a year last
    Counts directors;  // at most ten, most seen films first, then by name
    long long nViewings = 0;
    Counts mostViewed;  // at most ten, most viewings first, then in list order

    // The diary's dated viewings: per year, in order of time, and per month
    // ("01" to "12", all twelve) of one year, when the diary has rows.
    Counts diaryYears;
    std::string strDiaryYear;
    Counts diaryMonths;
};

// The names under which the films without a country and without a year are
// counted.
inline constexpr const char* kNoCountryName = "(no country)";
inline constexpr const char* kNoYearName = "(no year)";

CatalogueStats ComputeStats(const Catalogue& catalogue);
// Adds the diary's figures; the months are those of strYear, or of the last
// year with rows when it is empty.
void AddDiaryStats(CatalogueStats& stats, const Diary& diary, const std::string& strYear);
void PrintStats(std::ostream& out, const CatalogueStats& stats);
// The same as CSV: section,name,count.
void PrintStatsCsv(std::ostream& out, const CatalogueStats& stats);
