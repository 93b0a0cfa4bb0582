#include "TopOrder.h"

#include "Rating.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {
int KeyOf(const CFilm& film, int nCriterion) { return nCriterion == kTopByRating ? film.m_nRating : film.m_nViewings; }
}  // namespace

std::vector<const CFilm*> TopInsertionOrder(const CFilmNode* pSeenList, int nCriterion, int nMaxViewings)
{
    if (nCriterion != kTopByRating && nCriterion != kTopByViewings) return {};
    const int nMaxKey = nCriterion == kTopByRating ? kBestRating : nMaxViewings;
    if (nMaxKey < 0) return {};

    // One pass per key over the list would give the same rows, but a pass
    // per number of viewings up to the largest one can take for ever. A
    // counting sort gives the same order in two walks: the films of each key
    // counted, then each film put after the films of lower keys and after
    // the films of its key met before it, so list order holds among equals.
    // Keys counted in a table as long as the list at most; beyond that (a
    // film seen two billion times) a stable sort of the films does it.
    std::size_t nFilms = 0;
    for (const CFilmNode* pNode = pSeenList; pNode; pNode = pNode->m_pNext) ++nFilms;
    std::vector<const CFilm*> order;
    if (static_cast<std::size_t>(nMaxKey) <= nFilms) {
        std::vector<std::size_t> start(static_cast<std::size_t>(nMaxKey) + 2, 0);
        for (const CFilmNode* pNode = pSeenList; pNode; pNode = pNode->m_pNext) {
            const int nKey = KeyOf(*pNode->m_pFilm, nCriterion);
            if (nKey >= 0 && nKey <= nMaxKey) ++start[static_cast<std::size_t>(nKey) + 1];
        }
        for (std::size_t n = 1; n < start.size(); ++n) start[n] += start[n - 1];
        order.resize(start.back());
        for (const CFilmNode* pNode = pSeenList; pNode; pNode = pNode->m_pNext) {
            const int nKey = KeyOf(*pNode->m_pFilm, nCriterion);
            if (nKey >= 0 && nKey <= nMaxKey) order[start[static_cast<std::size_t>(nKey)]++] = pNode->m_pFilm;
        }
        return order;
    }

    std::vector<std::pair<int, const CFilm*>> keyed;
    keyed.reserve(nFilms);
    for (const CFilmNode* pNode = pSeenList; pNode; pNode = pNode->m_pNext) {
        const int nKey = KeyOf(*pNode->m_pFilm, nCriterion);
        if (nKey >= 0 && nKey <= nMaxKey) keyed.emplace_back(nKey, pNode->m_pFilm);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    order.reserve(keyed.size());
    for (const auto& entry : keyed) order.push_back(entry.second);
    return order;
}
