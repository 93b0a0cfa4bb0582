#include "FilmListBatch.h"

#include "FilmList.h"

#include <algorithm>
#include <utility>

FilmListBatch::FilmListBatch(const CFilmNode* pHead)
{
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        ++m_titles[p->m_pFilm->m_strOriginalTitle.view()];
    }
}

bool FilmListBatch::Contains(const std::string& strOriginalTitle) const
{
    const auto it = m_titles.find(strOriginalTitle);
    return it != m_titles.end() && it->second > 0;
}

void FilmListBatch::Insert(FilmEntry film)
{
    const std::size_t nIndex = m_pending.size();
    m_pending.push_back({std::move(film), false});
    const std::string_view title = m_pending.back().film.strOriginalTitle;
    ++m_titles[title];
    m_pendingByTitle[title].push_back(nIndex);
}

bool FilmListBatch::RemoveFirst(const std::string& strOriginalTitle)
{
    const auto it = m_titles.find(strOriginalTitle);
    if (it == m_titles.end() || it->second == 0) {
        return false;
    }
    --it->second;
    // The latest film inserted stands before every other of its title.
    if (auto pending = m_pendingByTitle.find(strOriginalTitle);
        pending != m_pendingByTitle.end() && !pending->second.empty()) {
        m_pending[pending->second.back()].bRemoved = true;
        pending->second.pop_back();
    } else {
        const auto removed = m_removedBefore.find(std::string_view(strOriginalTitle));
        if (removed == m_removedBefore.end()) {
            m_removedBefore.emplace(strOriginalTitle, 1);
        } else {
            ++removed->second;
        }
    }
    return true;
}

CFilmNode* FilmListBatch::Apply(CFilmNode* pHead, int& nCount)
{
    // The films inserted, in the list's order: descending titles, and among
    // equal titles the latest first.
    std::vector<std::size_t> order;
    order.reserve(m_pending.size());
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        if (!m_pending[i].bRemoved) {
            order.push_back(i);
        }
    }
    std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const int nOrder = CompareTitles(m_pending[a].film.strOriginalTitle, m_pending[b].film.strOriginalTitle);
        return nOrder != 0 ? nOrder > 0 : a > b;
    });

    CFilmNode* pNewHead = nullptr;
    CFilmNode** ppTail = &pNewHead;
    const auto append = [&ppTail](CFilmNode* pNode) {
        *ppTail = pNode;
        ppTail = &pNode->m_pNext;
    };
    std::size_t nNext = 0;
    CFilmNode* pOld = pHead;
    while (pOld != nullptr || nNext < order.size()) {
        // A new film goes before the first film already there whose title is
        // less or equal.
        if (nNext < order.size() && (pOld == nullptr || CompareTitles(m_pending[order[nNext]].film.strOriginalTitle,
                                                                      pOld->m_pFilm->m_strOriginalTitle) >= 0)) {
            FilmEntry& film = m_pending[order[nNext++]].film;
            append(new CFilmNode(std::move(film.strOriginalTitle), std::move(film.strTitle), std::move(film.strCountry),
                                 std::move(film.strYear), std::move(film.strDirector), std::move(film.strCast),
                                 film.nRating, film.nViewings));
            ++nCount;
            continue;
        }
        CFilmNode* pNode = pOld;
        pOld = pOld->m_pNext;
        pNode->m_pNext = nullptr;
        if (const auto removed = m_removedBefore.empty()
                                     ? m_removedBefore.end()
                                     : m_removedBefore.find(pNode->m_pFilm->m_strOriginalTitle.view());
            removed != m_removedBefore.end() && removed->second > 0) {
            --removed->second;
            delete pNode->m_pFilm;
            delete pNode;
            --nCount;
            continue;
        }
        append(pNode);
    }
    *ppTail = nullptr;

    m_titles.clear();
    m_pendingByTitle.clear();
    m_pending.clear();
    m_removedBefore.clear();
    return pNewHead;
}
