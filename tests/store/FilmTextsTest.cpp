// A film's six texts in one shared block: what they read, and that a holder
// of a block (a row of the result list) keeps reading the same texts after
// the film changes or goes away; the arena the blocks are cut from.
#include "FilmTexts.h"

#include "Film.h"
#include "FilmList.h"
#include "TextArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string>
#include <type_traits>

namespace {

// A film's text members read as texts, but take no text from outside the
// film: assigned another film's text, a member would read a block its film
// does not hold.
using FilmField = decltype(CFilm::m_strTitle);
static_assert(!std::is_assignable_v<FilmField&, const FilmField&>);
static_assert(!std::is_assignable_v<FilmField&, FilmText>);
static_assert(std::is_convertible_v<const FilmField&, const FilmText&>);

TEST(FilmTexts, EveryLengthAndByteReadsBack)
{
    // Lengths at the steps of their written form, NUL and high bytes inside.
    std::array<std::string, FilmTexts::kCount> texts = {"",
                                                        std::string(127, 'a'),
                                                        std::string(128, '\xFE'),
                                                        std::string("x\0y", 3),
                                                        std::string(16384, 'q') + "\r",
                                                        std::string(70000, '\0')};
    const FilmTexts block({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]});
    for (int n = 0; n < FilmTexts::kCount; ++n) {
        EXPECT_EQ(std::string(block.Text(n)), texts[static_cast<std::size_t>(n)]) << n;
        EXPECT_EQ(block.Text(n).size(), texts[static_cast<std::size_t>(n)].size()) << n;
        EXPECT_EQ(FilmTexts::TextOf(block.Key(), n), block.Text(n)) << n;
    }
    EXPECT_TRUE(FilmTexts().Text(3).empty());
    EXPECT_TRUE(FilmText().empty());
}

TEST(FilmTexts, TextsCompareAsTheirBytes)
{
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
TEST(FilmTexts, AHolderKeepsTheTextsItWasGivenAfterAChangeAndARemoval)
{
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

// Blocks cut from shared regions never overlap, keep their bytes while
// others come and go, and may be freed in any order, regions emptied and
// filled again; some are larger than a region's share.
TEST(TextArena, BlocksKeepTheirBytesWhileOthersComeAndGo)
{
    std::mt19937 rng(15);
    struct Block {
        unsigned char* p;
        std::size_t n;
        unsigned char fill;
    };
    std::vector<Block> blocks;
    const auto allocate = [&](int nCount) {
        for (int i = 0; i < nCount; ++i) {
            const std::size_t n = rng() % 1000 == 0 ? 200000 + rng() % 2000000 : 1 + rng() % 300;
            auto* p = static_cast<unsigned char*>(TextArena::Allocate(n));
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % 4, 0u);
            const auto fill = static_cast<unsigned char>(rng());
            std::memset(p, fill, n);
            blocks.push_back({p, n, fill});
        }
    };
    const auto intact = [](const Block& b) {
        return std::all_of(b.p, b.p + b.n, [&b](unsigned char c) { return c == b.fill; });
    };
    allocate(20000);
    std::shuffle(blocks.begin(), blocks.end(), rng);
    for (std::size_t i = blocks.size() / 2; i < blocks.size(); ++i) TextArena::Free(blocks[i].p);
    blocks.resize(blocks.size() / 2);
    allocate(20000);
    std::shuffle(blocks.begin(), blocks.end(), rng);
    for (const Block& b : blocks) {
        ASSERT_TRUE(intact(b)) << b.n;
        TextArena::Free(b.p);
    }
    blocks.clear();
    allocate(100);  // after every region was emptied
    for (const Block& b : blocks) {
        EXPECT_TRUE(intact(b));
        TextArena::Free(b.p);
    }
}

}  // namespace
