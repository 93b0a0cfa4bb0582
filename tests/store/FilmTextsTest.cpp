// A film's six texts in one shared block: what they read, and that a holder
// of a block (a row of the result list) keeps reading the same texts after
// the film changes or goes away.
#include "FilmTexts.h"

#include "Film.h"
#include "FilmList.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

TEST(FilmTexts, EveryLengthAndByteReadsBack) {
    // Lengths at the steps of their written form, NUL and high bytes inside.
    std::array<std::string, FilmTexts::kCount> texts = {
        "", std::string(127, 'a'), std::string(128, '\xFE'), std::string("x\0y", 3),
        std::string(16384, 'q') + "\r", std::string(70000, '\0')};
    const FilmTexts block({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]});
    for (int n = 0; n < FilmTexts::kCount; ++n) {
        EXPECT_EQ(std::string(block.Text(n)), texts[static_cast<std::size_t>(n)]) << n;
        EXPECT_EQ(block.Text(n).size(), texts[static_cast<std::size_t>(n)].size()) << n;
        EXPECT_EQ(FilmTexts::TextOf(block.Key(), n), block.Text(n)) << n;
    }
    EXPECT_TRUE(FilmTexts().Text(3).empty());
    EXPECT_TRUE(FilmText().empty());
}

TEST(FilmTexts, TextsCompareAsTheirBytes) {
    const CFilm film("\xC3rbore", "T", "C", "Y", "D", "A", 1, 2);
    EXPECT_TRUE(film.m_strOriginalTitle == std::string("\xC3rbore"));
    EXPECT_TRUE(film.m_strTitle != "t");
    EXPECT_GT(CompareTitles(film.m_strOriginalTitle, "Zorro"), 0);  // bytes are unsigned
    EXPECT_EQ(film.m_strCast.find('A'), 0u);
    const CFilm copy(film);
    EXPECT_EQ(copy.m_strOriginalTitle, film.m_strOriginalTitle);
    EXPECT_EQ(copy.Texts().Key(), film.Texts().Key());  // one block for both
}

// A row keeps the block it was given: changing the film puts the new texts
// in a block of their own, and removing it leaves the row's block alone.
TEST(FilmTexts, AHolderKeepsTheTextsItWasGivenAfterAChangeAndARemoval) {
    CFilmNode* pList = InsertSorted(nullptr, "Alien", "Alien", "SUA", "1979", "Ridley Scott", "S. Weaver", 5, 2);
    const void* pRowKey = pList->m_pFilm->Texts().Key();
    FilmTexts::Retain(pRowKey);

    ASSERT_EQ(UpdateFilm(pList, "Alien", "Aliens", "Aliens", "SUA", "1986", "J. Cameron", "S. Weaver", 5, 3), 1);
    EXPECT_EQ(pList->m_pFilm->m_strOriginalTitle, "Aliens");
    EXPECT_EQ(pList->m_pFilm->m_strDirector, "J. Cameron");
    EXPECT_NE(pList->m_pFilm->Texts().Key(), pRowKey);
    EXPECT_EQ(FilmTexts::TextOf(pRowKey, 0), "Alien");
    EXPECT_EQ(FilmTexts::TextOf(pRowKey, 4), "Ridley Scott");

    pList = RemoveFilm(pList, "Aliens");
    EXPECT_EQ(pList, nullptr);
    EXPECT_EQ(FilmTexts::TextOf(pRowKey, 3), "1979");
    FilmTexts::Release(pRowKey);  // the last holder frees it (the sanitizers see a leak or a double free)
}

}  // namespace
