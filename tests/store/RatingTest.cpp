#include "Rating.h"

#include <gtest/gtest.h>

TEST(RatingTest, EveryCodeRoundTripsThroughItsWord)
{
    const char* const words[] = {"Slab", "Mediocru", "Bun", "Foarte bun", "Excelent", "Deosebit", "De vazut"};
    for (int n = 0; n <= 6; ++n) {
        EXPECT_EQ(RatingToText(n), words[n]);
        EXPECT_EQ(TextToRating(RatingToText(n)), n);
        EXPECT_EQ(IsValidRating(RatingToText(n)), 1);
    }
    EXPECT_EQ(RatingToText(7), "");
    EXPECT_EQ(RatingToText(-1), "");
}

TEST(RatingTest, OnlyExactWordsCount)
{
    for (const char* pText : {"bun", " Bun", "Bun ", "", "Foarte  bun", "De Vazut", "Nimic"}) {
        EXPECT_EQ(TextToRating(pText), 6) << pText;
        EXPECT_EQ(IsValidRating(pText), 0) << pText;
    }
    EXPECT_EQ(TextToRating(std::string("Bun\0", 4)), 6);
}
