#include "DialogInteger.h"

#include <gtest/gtest.h>

TEST(DialogInteger, ReadsSignedNumbersBetweenBlanksAndTabs)
{
    int value = 0;
    EXPECT_TRUE(ParseDialogInteger("7", value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(ParseDialogInteger(" \t-12\t ", value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(ParseDialogInteger("+0005", value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(ParseDialogInteger("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    EXPECT_TRUE(ParseDialogInteger("-2147483648", value));
    EXPECT_EQ(value, -2147483647 - 1);
}

TEST(DialogInteger, RefusesAnythingElseAndLeavesTheValue)
{
    for (const char* text : {"", "   ", "abc", "12abc", "1 2", "--1", "+", "- 1", "3.5", "0x10", "2147483648",
                             "-2147483649", "99999999999999999999", "\n5", "5\n"}) {
        int value = 42;
        EXPECT_FALSE(ParseDialogInteger(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 42) << '"' << text << '"';
    }
}
