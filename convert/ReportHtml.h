#pragma once

#include "CatalogueFolder.h"
#include "Diary.h"

#include <string>
#include <vector>

// The catalogue as one HTML page that needs no other file, font, image or
// script: the counts, the charts of `stats` as inline SVG (rating words,
// decades, the ten first countries, directors, most viewed films), the
// viewings of one year by month and that year's dated viewings from the
// diary, then both lists as one table of every film, written whole so that
// it reads without the page's script; the script only sorts it by a column
// and filters it as one types. Printed, the page is the counts and the
// table on A4, the heading on every page. Texts in UTF-8, every one escaped.

// The year the page shows the viewings of: nYear when it is above 0, else
// the last year of a diary row; 0 when there is none.
int ReportYear(const std::vector<Diary::Row>& diary, int nYear);

// The page. nYear: the year asked for, 0 for the last year of the diary.
std::string WriteReportHtml(const Catalogue& catalogue, const std::vector<Diary::Row>& diary, int nYear);
