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

FilmCells CFilmRowSource::CellsOf(const void* pKey, int nRating, int nViewings)
{
    FilmCells cells;
    for (int n = 0; n < FilmTexts::kCount; ++n) cells.texts[static_cast<std::size_t>(n)] = FilmTexts::TextOf(pKey, n);
    cells.strRating = nRating >= 0 && nRating < static_cast<int>(kRatingWords.size())
                          ? kRatingWords[static_cast<std::size_t>(nRating)]
                          : std::string_view();
    cells.nViewings = nViewings;
    return cells;
}

std::string CFilmRowSource::CellText(const void* pKey, std::int64_t nExtra, int nCol) const
{
    const auto nBits = static_cast<std::uint64_t>(nExtra);
    return FilmCellText(CellsOf(pKey, static_cast<int>(static_cast<std::uint32_t>(nBits >> 32)),
                                static_cast<int>(static_cast<std::uint32_t>(nBits))),
                        nCol);
}
