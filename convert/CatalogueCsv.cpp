#include "CatalogueCsv.h"

#include "CodePage.h"
#include "Csv.h"
#include "InputRefused.h"
#include "Rating.h"
#include "TextEncoding.h"
#include "TextTools.h"

#include <charconv>

const std::vector<std::string> kCatalogueCsvHeader = {
    "Lista", "Titlu original", "Titlu", "Tara", "An", "Regia", "Distributia", "Calificativ", "Vizionari", "Comentariu"};

namespace {

constexpr const char* kSeenList = "vazute";
constexpr const char* kToSeeList = "de vazut";

void AppendList(std::string& out, const CFilmNode* pHead, const char* pListName, const std::string& strCommentDir)
{
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        AppendCsvRecord(
            out, {pListName, AnsiToUtf8(film.m_strOriginalTitle), AnsiToUtf8(film.m_strTitle),
                  AnsiToUtf8(film.m_strCountry), AnsiToUtf8(film.m_strYear), AnsiToUtf8(film.m_strDirector),
                  AnsiToUtf8(film.m_strCast), AnsiToUtf8(RatingToText(film.m_nRating)),
                  std::to_string(film.m_nViewings), AnsiToUtf8(ReadComment(strCommentDir, film.m_strOriginalTitle))});
    }
}

}  // namespace

std::string WriteCatalogueCsv(const CatalogueFolder& folder)
{
    std::string out(kUtf8Bom);
    AppendCsvRecord(out, kCatalogueCsvHeader);
    AppendList(out, folder.m_pSeen, kSeenList, folder.SeenComments());
    AppendList(out, folder.m_pToSee, kToSeeList, folder.ToSeeComments());
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
    table.RequireColumns({"Lista", "Titlu original"});
    std::vector<IncomingFilm>& films = rows.films;
    for (const CsvRecord& record : table.Records()) {
        const auto refuse = [&](const std::string& strWhy) { throw InputRefused(strFile, record.nLine, strWhy); };
        IncomingFilm film;
        film.strFile = strFile;
        film.nLine = record.nLine;
        const std::string& strList = table.Field(record, "Lista");
        if (strList == kSeenList) {
            film.list = TargetList::Seen;
        } else if (strList == kToSeeList) {
            film.list = TargetList::ToSee;
        } else {
            refuse("\"Lista\" is \"" + strList + "\", not \"vazute\" or \"de vazut\"");
        }
        film.strOriginalTitle = table.Field(record, "Titlu original");
        film.strTitle = table.Field(record, "Titlu");
        film.strCountry = table.Field(record, "Tara");
        film.strYear = table.Field(record, "An");
        film.strDirector = table.Field(record, "Regia");
        film.strCast = table.Field(record, "Distributia");
        // A spreadsheet ends the lines of a cell with a bare LF.
        film.strComment = WithCrLfBreaks(table.Field(record, "Comentariu"));

        const std::string& strWord = table.Field(record, "Calificativ");
        if (!strWord.empty()) {
            if (!IsValidRating(Utf8ToAnsi(strWord))) {
                refuse("\"Calificativ\" is \"" + strWord + "\", not one of the seven rating words");
            }
            film.rating = TextToRating(Utf8ToAnsi(strWord));
        } else if (film.list == TargetList::ToSee) {
            film.rating = TextToRating("De vazut");
        }

        const std::string& strViewings = table.Field(record, "Vizionari");
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
        films.push_back(std::move(film));
    }
    return rows;
}
