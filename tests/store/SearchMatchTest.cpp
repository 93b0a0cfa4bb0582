// The search's comparisons: containment exact or case-blind, the number of
// viewings read from the identifier, and the prepared matcher that the
// command walks the lists with, held against FieldMatches itself.
#include "CodePage.h"
#include "Film.h"
#include "Rating.h"
#include "SearchMatch.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace {

std::string Ansi(const char* utf8) { return Utf8ToAnsi(utf8); }

TEST(FieldMatches, ContainmentExactOrCaseBlind)
{
    struct Case {
        std::string field, identifier;
        int type, expected;
    };
    const Case cases[] = {
        {"The Matrix", "Matrix", 0, 1},
        {"The Matrix Reloaded", "Matrix", 0, 1},
        {"THE MATRIX", "Matrix", 0, 0},
        {"THE MATRIX", "matrix", 1, 1},
        {"aab", "ab", 0, 1},  // begins inside an earlier partial match
        {"1996", "199", 0, 1},
        {"", "a", 0, 0},
        {"", "a", 1, 0},
        {"ab", "abc", 1, 0},
        {"Matrix", "Matrix ", 0, 0},
        // Letters of the code page fold with their capitals, but keep their marks.
        {Ansi("Ştefan cel Mare"), Ansi("ştefan"), 1, 1},
        {Ansi("Ştefan cel Mare"), Ansi("ştefan"), 0, 0},
        {Ansi("PĂDUREA SPÂNZURAŢILOR"), Ansi("pădurea spânzuraţilor"), 1, 1},
        {Ansi("Pădurea"), "Padurea", 1, 0},
        // Only type 1 ignores case.
        {"THE MATRIX", "matrix", -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldMatches(c.field, c.identifier, c.type), c.expected)
            << AnsiToUtf8(c.field) << " / " << AnsiToUtf8(c.identifier) << " / " << c.type;
}

TEST(ReadViewingsNumber, ReadsTheLeadingDecimalNumberOrNothing)
{
    EXPECT_EQ(ReadViewingsNumber("2"), 2);
    EXPECT_EQ(ReadViewingsNumber(" 2"), 2);
    EXPECT_EQ(ReadViewingsNumber("\t\n2x"), 2);
    EXPECT_EQ(ReadViewingsNumber("3.5"), 3);
    EXPECT_EQ(ReadViewingsNumber("+4"), 4);
    EXPECT_EQ(ReadViewingsNumber("-3"), -3);
    EXPECT_EQ(ReadViewingsNumber("007"), 7);
    EXPECT_EQ(ReadViewingsNumber("2147483647"), 2147483647);
    EXPECT_EQ(ReadViewingsNumber("-2147483648"), -2147483647 - 1);

    EXPECT_EQ(ReadViewingsNumber(""), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("   "), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("x2"), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("-"), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("- 2"), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("+-2"), std::nullopt);
    // Beyond an int no film can match; it must not wrap round to a small number.
    EXPECT_EQ(ReadViewingsNumber("2147483648"), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("-2147483649"), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("4294967298"), std::nullopt);
    EXPECT_EQ(ReadViewingsNumber("99999999999999999999999999"), std::nullopt);
}

// The matcher takes shortcuts (an upper-casing table, one buffer, the first
// matching field settles the film); it must decide as the fields tested one
// by one with FieldMatches, TextToRating and the number read would.
TEST(FilmMatcher, AgreesWithTheFieldsTestedOneByOne)
{
    std::mt19937 rng(6);
    const std::string alphabet = Ansi("aAbBşŞăĂ 1");
    auto text = [&](int nMax) {
        std::string s(std::uniform_int_distribution<int>(0, nMax)(rng), ' ');
        for (char& ch : s) ch = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        return s;
    };
    const std::string identifiers[] = {"Bun", "De vazut", "1", " 1x", "11"};
    for (int n = 0; n < 20000; ++n) {
        const CFilm film(text(6), text(6), text(4), text(4), text(6), text(8),
                         std::uniform_int_distribution<int>(-1, 7)(rng),
                         std::uniform_int_distribution<int>(-1, 12)(rng));
        const unsigned mask = std::uniform_int_distribution<unsigned>(1, 255)(rng);
        SearchFields fields;
        fields.bOriginalTitle = mask & 1;
        fields.bTitle = mask & 2;
        fields.bCountry = mask & 4;
        fields.bYear = mask & 8;
        fields.bDirector = mask & 16;
        fields.bCast = mask & 32;
        fields.bRating = mask & 64;
        fields.bViewings = mask & 128;
        const std::string identifier = n % 3 == 0 ? identifiers[n % 5] : text(3);
        const int type = n % 2;

        const std::optional<int> viewings = ReadViewingsNumber(identifier);
        const bool expected = (fields.bOriginalTitle && FieldMatches(film.m_strOriginalTitle, identifier, type)) ||
                              (fields.bTitle && FieldMatches(film.m_strTitle, identifier, type)) ||
                              (fields.bCountry && FieldMatches(film.m_strCountry, identifier, type)) ||
                              (fields.bYear && FieldMatches(film.m_strYear, identifier, type)) ||
                              (fields.bDirector && FieldMatches(film.m_strDirector, identifier, type)) ||
                              (fields.bCast && FieldMatches(film.m_strCast, identifier, type)) ||
                              (fields.bRating && film.m_nRating == TextToRating(identifier)) ||
                              (fields.bViewings && viewings && film.m_nViewings == *viewings);
        const CFilmMatcher matcher(fields, identifier, type, TextToRating(identifier));
        ASSERT_EQ(matcher.Matches(film), expected) << "case " << n;
    }
}

}  // namespace
