#include "TopOrder.h"

#include "Rating.h"

#include <algorithm>
#include <utility>


std::vector<const CFilm*> TopInsertionOrder(const CFilmNode* pSeenList, int nCriterion,
                                            int nMaxViewings)
{
    if (nCriterion != kTopByRating && nCriterion != kTopByViewings) return {};
    const int nMaxKey = nCriterion == kTopByRating ? kBestRating : nMaxViewings;

    // One pass per key over the list would give the same rows, but a pass per
    // number of viewings up to the largest one can take for ever; a stable
    // sort by key keeps the list order among equal keys, as those passes do.
    std::vector<std::pair<int, const CFilm*>> keyed;
    for (const CFilmNode* pNode = pSeenList; pNode; pNode = pNode->m_pNext) {
        const CFilm* pFilm = pNode->m_pFilm;
        const int nKey = nCriterion == kTopByRating ? pFilm->m_nRating : pFilm->m_nViewings;
        if (nKey >= 0 && nKey <= nMaxKey) keyed.emplace_back(nKey, pFilm);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<const CFilm*> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed) order.push_back(entry.second);
    return order;
}
