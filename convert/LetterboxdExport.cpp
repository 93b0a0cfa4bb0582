#include "LetterboxdExport.h"

#include "CodePage.h"
#include "Csv.h"
#include "RatingScale.h"

std::string WriteLetterboxdCsv(const Catalogue& catalogue)
{
    std::string out;
    AppendCsvRecord(out, {"Title", "Year", "Directors", "Rating10", "Rewatch", "Review"});
    for (const CFilmNode* p = catalogue.m_pSeenList; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        const std::optional<int> points = TenPointsFromRating(film.m_nRating);
        AppendCsvRecord(
            out, {AnsiToUtf8(film.m_strOriginalTitle), AnsiToUtf8(film.m_strYear), AnsiToUtf8(film.m_strDirector),
                  points ? std::to_string(*points) : "", film.m_nViewings > 1 ? "true" : "false",
                  AnsiToUtf8(ReadComment(catalogue.CommentDir(kSeenList), film.m_strOriginalTitle))});
    }
    return out;
}
