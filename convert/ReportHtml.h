#pragma once

#include "CatalogueFolder.h"
#include "Diary.h"

#include <string>

// The catalogue as one HTML page that needs no other file, font, image or
// script: the counts of ComputeStats and AddDiaryStats, so that the page and
// `stats` agree, with charts as inline SVG (rating words, decades, the ten
// first countries, directors, most viewed films, the viewings of one year of
// the diary by month), that year's dated viewings from the diary, then both
// lists as one table of every film, written whole so that it reads without
// the page's script; the script only sorts it by a column and filters it as
// one types. Printed, the page is the counts and the table on A4, the
// heading on every page. Texts in UTF-8, every one escaped.

// The page. strYear: the year of the diary shown, YYYY; empty for the last
// year with viewings.
std::string WriteReportHtml(const Catalogue& catalogue, const Diary& diary, const std::string& strYear);
