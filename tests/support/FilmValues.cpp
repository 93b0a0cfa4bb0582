#include "FilmValues.h"

std::vector<FilmValues> Values(const CFilmNode* pHead)
{
    std::vector<FilmValues> films;
    for (; pHead != nullptr; pHead = pHead->m_pNext) {
        const CFilm& f = *pHead->m_pFilm;
        films.emplace_back(f.m_strOriginalTitle, f.m_strTitle, f.m_strCountry, f.m_strYear, f.m_strDirector,
                           f.m_strCast, f.m_nRating, f.m_nViewings);
    }
    return films;
}
