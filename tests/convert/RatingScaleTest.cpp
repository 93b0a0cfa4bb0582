#include "RatingScale.h"

#include "Rating.h"

#include <gtest/gtest.h>

TEST(RatingScaleTest, TenPointsToWordsAndBack)
{
    const char* const kWordOfPoints[] = {"Slab", "Slab",       "Mediocru", "Mediocru", "Bun",
                                         "Bun",  "Foarte bun", "Excelent", "Excelent", "Deosebit"};
    for (int nPoints = 1; nPoints <= 10; ++nPoints) {
        const std::optional<int> rating = RatingFromTenPoints(nPoints);
        ASSERT_TRUE(rating);
        EXPECT_EQ(RatingToText(*rating), kWordOfPoints[nPoints - 1]) << nPoints;
    }
    EXPECT_FALSE(RatingFromTenPoints(0));
    EXPECT_FALSE(RatingFromTenPoints(11));
    // Every seen word survives a trip to ten points and back.
    for (int nRating = 0; nRating < 6; ++nRating) {
        const std::optional<int> points = TenPointsFromRating(nRating);
        ASSERT_TRUE(points);
        EXPECT_EQ(RatingFromTenPoints(*points), nRating);
    }
    EXPECT_EQ(TenPointsFromRating(TextToRating("Foarte bun")), 7);
    EXPECT_FALSE(TenPointsFromRating(TextToRating("De vazut")));
}

TEST(RatingScaleTest, StarsAreDoubledAndRoundedUp)
{
    EXPECT_EQ(ParseStars("0.5"), 1);
    EXPECT_EQ(ParseStars("2.5"), 5);
    EXPECT_EQ(ParseStars("3"), 6);
    EXPECT_EQ(ParseStars("4.5"), 9);
    EXPECT_EQ(ParseStars("5.0"), 10);
    EXPECT_EQ(ParseStars("3.25"), 7);  // 6.5 points, rounded up
    EXPECT_EQ(ParseStars("3.01"), 7);
    for (const char* pBad : {"", "0", "0.4", "5.5", "6", "-1", "a", "3.", "3,5", "3.5x"}) {
        EXPECT_FALSE(ParseStars(pBad)) << pBad;
    }
    EXPECT_EQ(ParseTenPoints("10"), 10);
    for (const char* pBad : {"", "0", "11", "7.5", " 7", "x"}) {
        EXPECT_FALSE(ParseTenPoints(pBad)) << pBad;
    }
}
