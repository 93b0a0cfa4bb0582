#pragma once

#include <string>

// The seven rating words and their codes 0..6; code 6 ("De vazut") is the
// rating of every film still to see.
inline constexpr int kBestRating = 5;   // "Deosebit", the best a seen film can have
inline constexpr int kToSeeRating = 6;  // "De vazut", the one rating of the to-see list

std::string RatingToText(int nRating);
int TextToRating(std::string strText);
int IsValidRating(std::string strText);
