#pragma once

#include <string>

// The seven rating words and their codes 0..6; code 6 ("De vazut") is the
// rating of every film still to see.
std::string RatingToText(int nRating);
int TextToRating(std::string strText);
int IsValidRating(std::string strText);
