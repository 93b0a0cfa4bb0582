#include "FilmRowSource.h"

#include "Rating.h"

const CFilmRowSource& CFilmRowSource::Instance()
{
    static const CFilmRowSource source;
    return source;
}

CListSharedRow CFilmRowSource::RowOf(const CFilm& film)
{
    // The rating above, the viewings below, both as the 32 bits they are.
    const std::int64_t nExtra =
        static_cast<std::int64_t>(static_cast<std::uint64_t>(static_cast<std::uint32_t>(film.m_nRating)) << 32 |
                                  static_cast<std::uint32_t>(film.m_nViewings));
    return {film.Texts().Key(), nExtra};
}

void CFilmRowSource::Retain(const void* pKey) const { FilmTexts::Retain(pKey); }

void CFilmRowSource::Release(const void* pKey) const { FilmTexts::Release(pKey); }

std::string CFilmRowSource::CellText(const void* pKey, std::int64_t nExtra, int nCol) const
{
    const auto nBits = static_cast<std::uint64_t>(nExtra);
    switch (nCol) {
    case 5:
        return RatingToText(static_cast<int>(static_cast<std::uint32_t>(nBits >> 32)));
    case 6:
        return std::to_string(static_cast<int>(static_cast<std::uint32_t>(nBits)));
    case 7:
        return FilmTexts::TextOf(pKey, 5);
    default:
        return nCol >= 0 && nCol < 5 ? std::string(FilmTexts::TextOf(pKey, nCol)) : std::string();
    }
}
