#pragma once

#include "Film.h"

#include <vector>

// The criteria of the Top view.
inline constexpr int kTopByRating = 0;
inline constexpr int kTopByViewings = 1;

// The films of the seen list that the Top view shows, in the order in which
// their rows go in at the top of the result list: by rising key (the rating
// code 0 to 5, or the number of viewings 0 to nMaxViewings), films of one key
// in list order. The rows thus read best first, and within one key in the
// reverse of the list's order. Films whose key lies outside the range are
// left out; any other criterion gives no film.
std::vector<const CFilm*> TopInsertionOrder(const CFilmNode* pSeenList, int nCriterion, int nMaxViewings);
