#include "ImdbImport.h"

#include "Csv.h"
#include "InputRefused.h"
#include "RatingScale.h"
#include "TextEncoding.h"
#include "TextTools.h"
#include "TitleType.h"

IncomingRows ReadImdbExport(std::string_view bytes, const std::string& strFile, bool bAllTypes)
{
    IncomingRows rows;
    std::string strConverted;
    if (!IsValidUtf8(bytes)) {
        strConverted = Windows1252ToUtf8(bytes);
        bytes = strConverted;
        rows.notes.push_back(strFile + ": not valid UTF-8, read as Windows-1252");
    }
    const CsvTable table(bytes, strFile);
    table.RequireColumns({"Title"});
    const std::string strRatingColumn = table.ColumnOf({"Your Rating", "You rated"});
    for (const CsvRecord& record : table.Records()) {
        IncomingFilm film;
        film.strFile = strFile;
        film.nLine = record.nLine;
        film.strTitle = TrimBlanks(table.Field(record, "Title"));
        const std::string strOriginal = TrimBlanks(table.Field(record, "Original Title"));
        film.strOriginalTitle = strOriginal.empty() ? film.strTitle : strOriginal;
        film.strYear = TrimBlanks(table.Field(record, "Year"));
        film.strDirector = TrimBlanks(table.Field(record, "Directors"));
        film.strImdbId = TrimBlanks(table.Field(record, "Const"));
        film.strDateRated = TrimBlanks(table.Field(record, "Date Rated"));

        const std::string strType = TrimBlanks(table.Field(record, "Title Type"));
        const std::string strSource = strFile + ", line " + std::to_string(record.nLine);
        switch (KindOfTitleType(strType)) {
        case TitleKind::Film:
            break;
        case TitleKind::NotFilm:
            if (!bAllTypes) {
                rows.leftOut.push_back({film.strOriginalTitle, strSource, strType});
                continue;
            }
            break;
        case TitleKind::Unknown:
            rows.unknownTypes.push_back({film.strOriginalTitle, strSource, strType});
            break;
        }

        const std::string strRating = TrimBlanks(table.Field(record, strRatingColumn));
        if (strRating.empty()) {
            film.list = TargetList::ToSee;
        } else {
            const std::optional<int> points = ParseTenPoints(strRating);
            if (!points) {
                throw InputRefused(
                    strFile, record.nLine,
                    "\"" + strRatingColumn + "\" is \"" + strRating + "\", not a whole number from 1 to 10");
            }
            film.list = TargetList::Seen;
            film.rating = RatingFromTenPoints(*points);
            film.sitePoints = points;
            film.nViewings = 1;
        }
        rows.films.push_back(std::move(film));
    }
    return rows;
}
