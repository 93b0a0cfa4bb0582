// The Top view's rows: the one sort must give exactly the rows of one pass
// over the seen list per key, keys rising, each row going in at the top.
#include "FilmList.h"
#include "TopOrder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

// The passes as they read: for each key from 0 up to the largest, the films
// of that key in list order.
std::vector<const CFilm*> PassesOverTheList(const CFilmNode* pHead, int nCriterion, int nMaxViewings)
{
    std::vector<const CFilm*> order;
    const int nLast = nCriterion == kTopByRating ? 5 : nMaxViewings;
    for (int nKey = 0; nKey <= nLast; ++nKey)
        for (const CFilmNode* pNode = pHead; pNode; pNode = pNode->m_pNext) {
            const CFilm& film = *pNode->m_pFilm;
            if ((nCriterion == kTopByRating ? film.m_nRating : film.m_nViewings) == nKey) order.push_back(&film);
        }
    return order;
}

struct ListGuard {
    CFilmNode* pHead = nullptr;
    ~ListGuard() { FreeList(pHead); }
};

TEST(TopOrder, SameRowsAsOnePassPerKey)
{
    std::mt19937 rng(36);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int nRound = 0; nRound < 500; ++nRound) {
        ListGuard list;
        const int nFilms = pick(0, 40);
        // Few titles and keys, so that equal titles and equal keys are common.
        for (int n = 0; n < nFilms; ++n)
            list.pHead = InsertSorted(list.pHead, std::string(1, static_cast<char>('A' + pick(0, 7))), "t", "c", "y",
                                      "d", "cast", pick(-1, 7), pick(-2, 12));
        // A renamed film keeps its place, so the list need not be in order.
        for (int n = pick(0, 3); n > 0 && nFilms > 0; --n) {
            const std::string strOld(1, static_cast<char>('A' + pick(0, 7)));
            UpdateFilm(list.pHead, strOld, std::string(1, static_cast<char>('a' + pick(0, 7))), "t", "c", "y", "d",
                       "cast", pick(-1, 7), pick(-2, 12));
        }
        const int nMaxViewings = pick(-1, 14);
        for (const int nCriterion : {kTopByRating, kTopByViewings})
            ASSERT_EQ(TopInsertionOrder(list.pHead, nCriterion, nMaxViewings),
                      PassesOverTheList(list.pHead, nCriterion, nMaxViewings))
                << "round " << nRound << ", criterion " << nCriterion;
        EXPECT_TRUE(TopInsertionOrder(list.pHead, -1, nMaxViewings).empty());
    }
}

TEST(TopOrder, HugeNumberOfViewingsTakesNoPassPerNumber)
{
    ListGuard list;
    list.pHead = InsertSorted(list.pHead, "Zorro", "t", "c", "y", "d", "cast", 3, 0);
    list.pHead = InsertSorted(list.pHead, "Alien", "t", "c", "y", "d", "cast", 3, 2000000000);
    list.pHead = InsertSorted(list.pHead, "Brazil", "t", "c", "y", "d", "cast", 3, 2147483647);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<const CFilm*> order = TopInsertionOrder(list.pHead, kTopByViewings, 2000000000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // Brazil lies above the largest number the window knows of: left out, as the passes would.
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0]->m_strOriginalTitle, "Zorro");
    EXPECT_EQ(order[1]->m_strOriginalTitle, "Alien");
}

}  // namespace
