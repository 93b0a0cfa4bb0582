#pragma once

#include <optional>
#include <string_view>

// The rating words against the ten-point scales of the sites: 1-2 "Slab",
// 3-4 "Mediocru", 5-6 "Bun", 7 "Foarte bun", 8-9 "Excelent", 10 "Deosebit";
// back to ten points as 2, 4, 6, 7, 9, 10, so that a round trip keeps the word.

// The rating code (0..5) of a score from 1 to 10; nothing for any other score.
std::optional<int> RatingFromTenPoints(int nPoints);
// The score of a seen rating code (0..5); nothing for "De vazut" or a bad code.
std::optional<int> TenPointsFromRating(int nRating);
// Ten points from a text of whole points, "1" to "10"; nothing otherwise.
std::optional<int> ParseTenPoints(std::string_view text);
// Ten points from stars, "0.5" to "5" (twice the stars, rounded up); nothing
// for any other text.
std::optional<int> ParseStars(std::string_view text);
