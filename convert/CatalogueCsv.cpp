#include "CatalogueCsv.h"

#include "CodePage.h"
#include "Csv.h"
#include "FilmColumns.h"
#include "InputRefused.h"
#include "ListRule.h"
#include "Rating.h"
#include "TextEncoding.h"
#include "TextTools.h"

#include <charconv>

namespace {

const std::string kListHeading = "Lista";
const std::string kCommentHeading = "Comentariu";

std::string Heading(FilmField field) { return std::string(FilmHeading(field)); }

}  // namespace

const std::vector<std::string> kCatalogueCsvHeader = {
    kListHeading,
    Heading(FilmField::OriginalTitle),
    Heading(FilmField::Title),
    Heading(FilmField::Country),
    Heading(FilmField::Year),
    Heading(FilmField::Director),
    Heading(FilmField::Cast),
    Heading(FilmField::Rating),
    Heading(FilmField::Viewings),
    kCommentHeading,
};

namespace {

void AppendList(std::string& out, const CFilmNode* pHead, std::string_view listName, const std::string& strCommentDir)
{
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        AppendCsvRecord(
            out, {std::string(listName), AnsiToUtf8(film.m_strOriginalTitle), AnsiToUtf8(film.m_strTitle),
                  AnsiToUtf8(film.m_strCountry), AnsiToUtf8(film.m_strYear), AnsiToUtf8(film.m_strDirector),
                  AnsiToUtf8(film.m_strCast), AnsiToUtf8(RatingToText(film.m_nRating)),
                  std::to_string(film.m_nViewings), AnsiToUtf8(ReadComment(strCommentDir, film.m_strOriginalTitle))});
    }
}

}  // namespace

std::string WriteCatalogueCsv(const Catalogue& catalogue)
{
    std::string out(kUtf8Bom);
    AppendCsvRecord(out, kCatalogueCsvHeader);
    for (const int nList : {kSeenList, kToSeeList}) {
        AppendList(out, nList == kSeenList ? catalogue.m_pSeenList : catalogue.m_pToSeeList, kListNames[nList],
                   catalogue.CommentDir(nList));
    }
    return out;
}

IncomingRows ReadCatalogueCsv(std::string_view bytes, const std::string& strFile)
{
    IncomingRows rows;
    // A spreadsheet on Romanian Windows saves CSV in the catalogue's own
    // code page, with ';' between fields.
    std::string strConverted;
    if (!IsValidUtf8(bytes)) {
        strConverted = AnsiToUtf8(bytes);
        bytes = strConverted;
        rows.notes.push_back(strFile + ": not valid UTF-8, read as Windows-1250");
    }
    const CsvTable table(bytes, strFile, CsvDelimiterOf(bytes.starts_with(kUtf8Bom) ? bytes.substr(3) : bytes));
    table.RequireColumns({kListHeading, Heading(FilmField::OriginalTitle)});
    std::vector<IncomingFilm>& films = rows.films;
    for (const CsvRecord& record : table.Records()) {
        const auto refuse = [&](const std::string& strWhy) { throw InputRefused(strFile, record.nLine, strWhy); };
        IncomingFilm film;
        film.strFile = strFile;
        film.nLine = record.nLine;
        const std::string& strList = table.Field(record, kListHeading);
        if (strList == kListNames[kSeenList]) {
            film.list = TargetList::Seen;
        } else if (strList == kListNames[kToSeeList]) {
            film.list = TargetList::ToSee;
        } else {
            refuse("\"" + kListHeading + "\" is \"" + strList + "\", not \"" + std::string(kListNames[kSeenList]) +
                   "\" or \"" + std::string(kListNames[kToSeeList]) + "\"");
        }
        film.strOriginalTitle = table.Field(record, Heading(FilmField::OriginalTitle));
        film.strTitle = table.Field(record, Heading(FilmField::Title));
        film.strCountry = table.Field(record, Heading(FilmField::Country));
        film.strYear = table.Field(record, Heading(FilmField::Year));
        film.strDirector = table.Field(record, Heading(FilmField::Director));
        film.strCast = table.Field(record, Heading(FilmField::Cast));
        // A spreadsheet ends the lines of a cell with a bare LF.
        film.strComment = WithCrLfBreaks(table.Field(record, kCommentHeading));

        const std::string& strWord = table.Field(record, Heading(FilmField::Rating));
        if (!strWord.empty()) {
            if (!IsValidRating(Utf8ToAnsi(strWord))) {
                refuse("\"Calificativ\" is \"" + strWord + "\", not one of the seven rating words");
            }
            film.rating = TextToRating(Utf8ToAnsi(strWord));
        }

        const std::string& strViewings = table.Field(record, Heading(FilmField::Viewings));
        if (strViewings.empty()) {
            film.nViewings = film.list == TargetList::Seen ? 1 : 0;
        } else {
            const auto result =
                std::from_chars(strViewings.data(), strViewings.data() + strViewings.size(), film.nViewings);
            if (result.ec != std::errc() || result.ptr != strViewings.data() + strViewings.size() ||
                film.nViewings < 0) {
                refuse("\"Vizionari\" is \"" + strViewings + "\", not a whole number of viewings");
            }
        }
        // A seen film must have been seen: the file says it is, so a rating
        // or a count that says otherwise is a fault of the file. A film to
        // see simply becomes one (ImportPlan).
        if (film.list == TargetList::Seen) {
            const std::string strSeen = "a film of the list \"" + std::string(kListNames[kSeenList]) + "\"";
            switch (CheckListRule(kSeenList, film.rating.value_or(0), film.nViewings)) {
            case ListRuleFault::Rating:
                refuse(strSeen + " cannot be rated \"" + std::string(kRatingWords[kToSeeRating]) + "\"");
                break;
            case ListRuleFault::Viewings:
                refuse(strSeen + " has at least 1 viewing, not " + std::to_string(film.nViewings));
                break;
            case ListRuleFault::None:
                break;
            }
        }
        films.push_back(std::move(film));
    }
    return rows;
}
