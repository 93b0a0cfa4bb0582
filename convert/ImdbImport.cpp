#include "ImdbImport.h"

#include "Csv.h"
#include "InputRefused.h"
#include "RatingScale.h"
#include "TextTools.h"

std::vector<IncomingFilm> ReadImdbExport(std::string_view text, const std::string& strFile)
{
    const CsvTable table(text, strFile);
    table.RequireColumns({"Title"});
    std::vector<IncomingFilm> films;
    for (const CsvRecord& record : table.Records()) {
        IncomingFilm film;
        film.strFile = strFile;
        film.nLine = record.nLine;
        film.strTitle = TrimBlanks(table.Field(record, "Title"));
        const std::string strOriginal = TrimBlanks(table.Field(record, "Original Title"));
        film.strOriginalTitle = strOriginal.empty() ? film.strTitle : strOriginal;
        film.strYear = TrimBlanks(table.Field(record, "Year"));
        film.strDirector = TrimBlanks(table.Field(record, "Directors"));
        const std::string strRating = TrimBlanks(table.Field(record, "Your Rating"));
        if (strRating.empty()) {
            film.list = TargetList::ToSee;
        } else {
            const std::optional<int> points = ParseTenPoints(strRating);
            if (!points) {
                throw InputRefused(strFile, record.nLine,
                                   "\"Your Rating\" is \"" + strRating + "\", not a whole number from 1 to 10");
            }
            film.list = TargetList::Seen;
            film.rating = RatingFromTenPoints(*points);
            film.nViewings = 1;
        }
        films.push_back(std::move(film));
    }
    return films;
}
