#include "LetterboxdImport.h"

#include "Csv.h"
#include "InputRefused.h"
#include "RatingScale.h"
#include "TextTools.h"
#include "ZipFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

const char* const kLetterboxdFiles[5] = {"watched.csv", "ratings.csv", "diary.csv", "reviews.csv", "watchlist.csv"};

namespace {

struct SeenFilm {
    IncomingFilm film;
    std::optional<int> listedRating;  // from ratings.csv, which wins
    std::optional<int> loggedRating;  // the last one of diary.csv or reviews.csv
    int nDiaryRows = 0;
    std::vector<std::string> reviews;
};

using FilmKey = std::pair<std::string, std::string>;  // name, year

class SeenFilms {
public:
    SeenFilm& Find(const CsvTable& table, const CsvRecord& record)
    {
        const std::string strName = TrimBlanks(table.Field(record, "Name"));
        const std::string strYear = TrimBlanks(table.Field(record, "Year"));
        const FilmKey key{strName, strYear};
        const auto it = m_index.find(key);
        if (it != m_index.end()) {
            return m_films[it->second];
        }
        m_index.emplace(key, m_films.size());
        SeenFilm& seen = m_films.emplace_back();
        seen.film.strFile = table.FileName();
        seen.film.nLine = record.nLine;
        seen.film.strOriginalTitle = strName;
        seen.film.strTitle = strName;
        seen.film.strYear = strYear;
        return seen;
    }
    bool Contains(const FilmKey& key) const { return m_index.contains(key); }
    std::vector<SeenFilm>& All() { return m_films; }

private:
    std::map<FilmKey, std::size_t> m_index;
    std::vector<SeenFilm> m_films;
};

std::optional<int> RowRating(const CsvTable& table, const CsvRecord& record)
{
    const std::string strStars = TrimBlanks(table.Field(record, "Rating"));
    if (strStars.empty()) {
        return std::nullopt;
    }
    const std::optional<int> points = ParseStars(strStars);
    if (!points) {
        throw InputRefused(table.FileName(), record.nLine,
                           "\"Rating\" is \"" + strStars + "\", not stars from 0.5 to 5");
    }
    return RatingFromTenPoints(*points);
}

const std::string* FindFile(const std::map<std::string, std::string>& files, const char* pName)
{
    const auto it = files.find(pName);
    return it == files.end() ? nullptr : &it->second;
}

}  // namespace

std::vector<IncomingFilm> ReadLetterboxdExport(const std::map<std::string, std::string>& files,
                                               const std::string& strSource)
{
    bool bAny = false;
    for (const char* pName : kLetterboxdFiles) {
        bAny = bAny || files.contains(pName);
    }
    if (!bAny) {
        throw InputRefused(strSource, 0, "no watched.csv, ratings.csv, diary.csv, reviews.csv or watchlist.csv here");
    }

    SeenFilms seen;
    // Seen films in the order of the files: watched, then rated, logged and
    // reviewed films that were not in watched.csv.
    for (const char* pName : {"watched.csv", "ratings.csv", "diary.csv", "reviews.csv"}) {
        const std::string* pBytes = FindFile(files, pName);
        if (pBytes == nullptr) {
            continue;
        }
        const std::string strName = pName;
        const CsvTable table(*pBytes, strSource + "/" + strName);
        table.RequireColumns({"Name"});
        for (const CsvRecord& record : table.Records()) {
            SeenFilm& film = seen.Find(table, record);
            if (strName == "ratings.csv") {
                film.listedRating = RowRating(table, record);
            } else if (strName == "diary.csv" || strName == "reviews.csv") {
                if (const std::optional<int> rating = RowRating(table, record)) {
                    film.loggedRating = rating;
                }
            }
            if (strName == "diary.csv") {
                ++film.nDiaryRows;
            }
            if (strName == "reviews.csv") {
                const std::string strReview = WithCrLfBreaks(table.Field(record, "Review"));
                if (!strReview.empty()) {
                    film.reviews.push_back(strReview);
                }
            }
        }
    }

    std::vector<IncomingFilm> films;
    for (SeenFilm& s : seen.All()) {
        s.film.list = TargetList::Seen;
        s.film.rating = s.listedRating ? s.listedRating : s.loggedRating;
        s.film.nViewings = std::max(1, s.nDiaryRows);
        for (const std::string& strReview : s.reviews) {
            s.film.strComment += s.film.strComment.empty() ? strReview : "\r\n\r\n" + strReview;
        }
        films.push_back(std::move(s.film));
    }

    if (const std::string* pBytes = FindFile(files, "watchlist.csv")) {
        const CsvTable table(*pBytes, strSource + "/watchlist.csv");
        table.RequireColumns({"Name"});
        for (const CsvRecord& record : table.Records()) {
            IncomingFilm film;
            film.strFile = table.FileName();
            film.nLine = record.nLine;
            film.list = TargetList::ToSee;
            film.strOriginalTitle = film.strTitle = TrimBlanks(table.Field(record, "Name"));
            film.strYear = TrimBlanks(table.Field(record, "Year"));
            films.push_back(std::move(film));
        }
    }
    return films;
}

std::map<std::string, std::string> LoadLetterboxdFiles(const std::string& strPath)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    if (std::filesystem::is_directory(strPath, ec)) {
        for (const char* pName : kLetterboxdFiles) {
            const std::string strFile = strPath + "/" + pName;
            if (std::filesystem::exists(strFile, ec)) {
                files[pName] = ReadWholeFile(strFile);
            }
        }
        return files;
    }
    std::map<std::string, bool> wanted;
    for (const char* pName : kLetterboxdFiles) {
        wanted[pName] = true;
    }
    ReadZipEntries(strPath, wanted, files);
    return files;
}
