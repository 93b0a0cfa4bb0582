#include "Rating.h"

std::string RatingToText(int nRating)
{
    if (nRating < 0 || nRating >= static_cast<int>(kRatingWords.size())) {
        return {};
    }
    return std::string(kRatingWords[static_cast<std::size_t>(nRating)]);
}

int TextToRating(std::string strText)
{
    for (int n = 0; n < kToSeeRating; ++n) {
        if (strText == kRatingWords[static_cast<std::size_t>(n)]) {
            return n;
        }
    }
    return kToSeeRating;  // "De vazut" and every text that is no rating word
}

int IsValidRating(std::string strText)
{
    for (const std::string_view word : kRatingWords) {
        if (strText == word) {
            return 1;
        }
    }
    return 0;
}
