#include "LetterboxdExport.h"

#include "CatalogueFolder.h"
#include "CodePage.h"
#include "Csv.h"
#include "RatingScale.h"

namespace {

// The film's row in the side file, when there is one.
const FilmIds::Row* RowOf(const FilmIds& ids, bool bSeen, const CFilm& film)
{
    return ids.Find(bSeen, AnsiToUtf8(film.m_strOriginalTitle), AnsiToUtf8(film.m_strYear));
}

std::string IdOf(const FilmIds::Row* pRow, bool bImdb)
{
    if (pRow != nullptr) {
        for (const std::string& strId : pRow->ids) {
            if (strId.starts_with("tt") == bImdb && (bImdb || strId.starts_with("http"))) return strId;
        }
    }
    return {};
}

std::string Points(const FilmIds::Row* pRow, const CFilm& film)
{
    if (pRow != nullptr && !pRow->points) {
        return {};  // imported without a rating: the word is only the default
    }
    if (pRow != nullptr && RatingFromTenPoints(*pRow->points) == film.m_nRating) {
        return std::to_string(*pRow->points);
    }
    const std::optional<int> points = TenPointsFromRating(film.m_nRating);
    return points ? std::to_string(*points) : "";
}

}  // namespace

std::string WriteLetterboxdCsv(const Catalogue& catalogue, const FilmIds& ids)
{
    std::string out;
    AppendCsvRecord(
        out, {"LetterboxdURI", "imdbID", "Title", "Year", "Directors", "Rating10", "WatchedDate", "Rewatch", "Review"});
    for (const CFilmNode* p = catalogue.m_pSeenList; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        const FilmIds::Row* pRow = RowOf(ids, true, film);
        AppendCsvRecord(out, {IdOf(pRow, false), IdOf(pRow, true), AnsiToUtf8(film.m_strOriginalTitle),
                              AnsiToUtf8(film.m_strYear), AnsiToUtf8(film.m_strDirector), Points(pRow, film),
                              pRow != nullptr ? pRow->strWatchedDate : "", film.m_nViewings > 1 ? "true" : "false",
                              AnsiToUtf8(ReadComment(catalogue.CommentDir(kSeenList), film.m_strOriginalTitle))});
    }
    return out;
}

std::string WriteLetterboxdWatchlist(const Catalogue& catalogue, const FilmIds& ids)
{
    std::string out;
    AppendCsvRecord(out, {"LetterboxdURI", "imdbID", "Title", "Year", "Directors"});
    for (const CFilmNode* p = catalogue.m_pToSeeList; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        const FilmIds::Row* pRow = RowOf(ids, false, film);
        AppendCsvRecord(out, {IdOf(pRow, false), IdOf(pRow, true), AnsiToUtf8(film.m_strOriginalTitle),
                              AnsiToUtf8(film.m_strYear), AnsiToUtf8(film.m_strDirector)});
    }
    return out;
}

std::vector<std::string> SplitCsv(const std::string& csv, std::size_t nLimit)
{
    if (csv.size() <= nLimit) {
        return {csv};
    }
    const std::vector<CsvRecord> records = ParseCsv(csv, "export");
    std::string strHeader;
    AppendCsvRecord(strHeader, records.front().fields);
    std::vector<std::string> parts{strHeader};
    for (std::size_t i = 1; i < records.size(); ++i) {
        std::string strRecord;
        AppendCsvRecord(strRecord, records[i].fields);
        if (parts.back().size() + strRecord.size() > nLimit && parts.back().size() > strHeader.size()) {
            parts.push_back(strHeader);
        }
        parts.back() += strRecord;
    }
    return parts;
}

std::vector<std::string> PartNames(const std::string& strPath, std::size_t nParts)
{
    if (nParts == 1) {
        return {strPath};
    }
    const std::string strStem = strPath.ends_with(".csv") ? strPath.substr(0, strPath.size() - 4) : strPath;
    std::vector<std::string> names;
    for (std::size_t i = 1; i <= nParts; ++i) names.push_back(strStem + "-" + std::to_string(i) + ".csv");
    return names;
}
