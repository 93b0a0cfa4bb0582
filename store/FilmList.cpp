#include "FilmList.h"

#include <utility>

int CompareTitles(std::string_view a, std::string_view b)
{
    // std::char_traits<char>::compare works like memcmp, on unsigned bytes,
    // and over the whole text, so a NUL byte inside a title is compared as
    // the byte it is rather than ending the text.
    return a.compare(b);
}

namespace {

void DestroyNode(CFilmNode* pNode)
{
    delete pNode->m_pFilm;
    delete pNode;
}

CFilmNode* FindFirst(CFilmNode* pHead, const std::string& strKey)
{
    for (CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        if (p->m_pFilm->m_strOriginalTitle == strKey) {
            return p;
        }
    }
    return nullptr;
}

}  // namespace

CFilmNode* InsertSorted(CFilmNode* pHead, std::string strOriginalTitle, std::string strTitle, std::string strCountry,
                        std::string strYear, std::string strDirector, std::string strCast, int nRating, int nViewings)
{
    auto* pNew = new CFilmNode(std::move(strOriginalTitle), std::move(strTitle), std::move(strCountry),
                               std::move(strYear), std::move(strDirector), std::move(strCast), nRating, nViewings);
    const std::string_view strKey = pNew->m_pFilm->m_strOriginalTitle;

    // Step past every film whose title is greater; the new film goes before
    // the first one that is less or equal, so equal titles stand in reverse
    // order of insertion.
    CFilmNode* pPrev = nullptr;
    CFilmNode* pCur = pHead;
    while (pCur != nullptr && CompareTitles(pCur->m_pFilm->m_strOriginalTitle, strKey) > 0) {
        pPrev = pCur;
        pCur = pCur->m_pNext;
    }
    pNew->m_pNext = pCur;
    if (pPrev == nullptr) {
        return pNew;
    }
    pPrev->m_pNext = pNew;
    return pHead;
}

CFilmNode* RemoveFilm(CFilmNode* pHead, std::string strOriginalTitle)
{
    CFilmNode* pPrev = nullptr;
    for (CFilmNode* p = pHead; p != nullptr; pPrev = p, p = p->m_pNext) {
        if (p->m_pFilm->m_strOriginalTitle == strOriginalTitle) {
            if (pPrev == nullptr) {
                pHead = p->m_pNext;
            } else {
                pPrev->m_pNext = p->m_pNext;
            }
            DestroyNode(p);
            break;
        }
    }
    return pHead;
}

int UpdateFilm(CFilmNode* pHead, std::string strKey, std::string strOriginalTitle, std::string strTitle,
               std::string strCountry, std::string strYear, std::string strDirector, std::string strCast, int nRating,
               int nViewings)
{
    CFilmNode* pNode = FindFirst(pHead, strKey);
    if (pNode == nullptr) {
        return 0;
    }
    // The node keeps its place even when the original title changes; the
    // next load from the archive sorts the list again.
    // The texts go into a block of their own: a row that shows the film
    // keeps the former block, so it goes on showing the former texts.
    CFilm& film = *pNode->m_pFilm;
    film.SetTexts(FilmTexts({strOriginalTitle, strTitle, strCountry, strYear, strDirector, strCast}));
    film.m_nRating = nRating;
    film.m_nViewings = nViewings;
    return 1;
}

int ContainsFilm(CFilmNode* pHead, std::string strOriginalTitle)
{
    return FindFirst(pHead, strOriginalTitle) != nullptr ? 1 : 0;
}

CFilmNode* FreeList(CFilmNode* pHead)
{
    CFilmTextsLookAhead ahead(pHead);
    while (pHead != nullptr) {
        ahead.Step();
        CFilmNode* pNext = pHead->m_pNext;
        DestroyNode(pHead);
        pHead = pNext;
    }
    return nullptr;
}
