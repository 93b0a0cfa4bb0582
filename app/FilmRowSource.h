#pragma once

#include "Film.h"
#include "FilmColumns.h"
#include "ListRowSource.h"

// The result list's rows of films: a row holds its film's block of texts
// (FilmTexts) and the rating and viewings as they were, so it keeps showing
// them when the film changes or goes away, without a copy of the texts.
class CFilmRowSource : public CListRowSource {
public:
    // The one source of film rows; it lives as long as the program.
    static const CFilmRowSource& Instance();

    // The row that shows the film as it is now.
    static CListSharedRow RowOf(const CFilm& film);

    void Retain(const void* pKey) const override;
    void Release(const void* pKey) const override;
    // The cells of the film whose texts are the block pKey, with its rating
    // code and viewings; valid while the block has a holder.
    static FilmCells CellsOf(const void* pKey, int nRating, int nViewings);

    // The eight cells of the film columns.
    std::string CellText(const void* pKey, std::int64_t nExtra, int nCol) const override;
};
