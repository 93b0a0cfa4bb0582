#pragma once

#include <string_view>

// What an IMDb "Title Type" names, in every spelling the site's layouts have
// used (pre-2017 "TV Series", "Mini-Series", 2017-2023 "tvMiniSeries",
// today's "TV Mini Series") and the labels of its localised sites.
enum class TitleKind {
    Film,     // a feature, short, TV or video film, a documentary
    NotFilm,  // a series or mini series, an episode, a special, a game, a podcast, a music video
    Unknown,  // a label not in the tables: taken as a film, and listed
};

TitleKind KindOfTitleType(std::string_view type);
