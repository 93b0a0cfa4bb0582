#pragma once

#include <array>
#include <string>
#include <string_view>

// The seven rating words and their codes 0..6; code 6 ("De vazut") is the
// rating of every film still to see.
inline constexpr int kBestRating = 5;   // "Deosebit", the best a seen film can have
inline constexpr int kToSeeRating = 6;  // "De vazut", the one rating of the to-see list

// The words, indexed by rating code: the one place they are written.
inline constexpr std::array<std::string_view, 7> kRatingWords = {
    "Slab", "Mediocru", "Bun", "Foarte bun", "Excelent", "Deosebit", "De vazut",
};

std::string RatingToText(int nRating);
int TextToRating(std::string strText);
int IsValidRating(std::string strText);
