#include "LetterboxdImport.h"

#include "Csv.h"
#include "Diary.h"
#include "HtmlText.h"
#include "InputRefused.h"
#include "RatingScale.h"
#include "TextTools.h"
#include "ZipFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

const char* const kLetterboxdFiles[5] = {"watched.csv", "ratings.csv", "diary.csv", "reviews.csv", "watchlist.csv"};

namespace {

struct SeenFilm {
    IncomingFilm film;
    std::optional<int> listedPoints;  // from ratings.csv, which wins
    std::optional<int> loggedPoints;  // the last one of diary.csv or reviews.csv
    int nDiaryRows = 0;
    std::string strFirstWatched;   // the earliest diary entry's date
    bool bFirstIsRewatch = false;  // that entry says the film was seen before
    std::vector<std::string> reviews;
};

constexpr const char* kDiarySource = "letterboxd";

// The diary's date of a viewing: "Watched Date", else the day it was logged.
std::string WatchedDate(const CsvTable& table, const CsvRecord& record)
{
    const std::string strWatched = TrimBlanks(table.Field(record, "Watched Date"));
    return strWatched.empty() ? TrimBlanks(table.Field(record, "Date")) : strWatched;
}

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

// The row's stars as ten points.
std::optional<int> RowPoints(const CsvTable& table, const CsvRecord& record)
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
    return points;
}

const std::string* FindFile(const std::map<std::string, std::string>& files, const char* pName)
{
    const auto it = files.find(pName);
    return it == files.end() ? nullptr : &it->second;
}

}  // namespace

IncomingRows ReadLetterboxdExport(const std::map<std::string, std::string>& files, const std::string& strSource)
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
        const bool bFilmPages = strName == "watched.csv" || strName == "ratings.csv";
        for (const CsvRecord& record : table.Records()) {
            SeenFilm& film = seen.Find(table, record);
            // The diary's and the reviews' addresses are those of the entries,
            // not of the film.
            if (bFilmPages && film.film.strLetterboxdUri.empty()) {
                film.film.strLetterboxdUri = TrimBlanks(table.Field(record, "Letterboxd URI"));
            }
            if (strName == "ratings.csv") {
                film.listedPoints = RowPoints(table, record);
                film.film.strDateRated = TrimBlanks(table.Field(record, "Date"));
            } else if (strName == "diary.csv" || strName == "reviews.csv") {
                if (const std::optional<int> points = RowPoints(table, record)) {
                    film.loggedPoints = points;
                }
            }
            if (strName == "diary.csv") {
                ++film.nDiaryRows;
                const std::string strDate = WatchedDate(table, record);
                const bool bRewatch = !TrimBlanks(table.Field(record, "Rewatch")).empty();
                if (film.nDiaryRows == 1 || strDate < film.strFirstWatched) {
                    film.strFirstWatched = strDate;
                    film.bFirstIsRewatch = bRewatch;
                }
                film.film.strWatchedDate = std::max(film.film.strWatchedDate, strDate);
                // An entry without a readable day is a viewing all the same,
                // one the diary has no row for.
                if (const std::string strDay = DiaryDateOf(strDate); !strDay.empty()) {
                    film.film.viewings.push_back({strDay, bRewatch});
                }
            }
            if (strName == "reviews.csv") {
                const std::string strReview = WithCrLfBreaks(TrimLineBreaks(HtmlToText(table.Field(record, "Review"))));
                if (!strReview.empty()) {
                    film.reviews.push_back(strReview);
                }
            }
        }
    }

    IncomingRows rows;
    for (SeenFilm& s : seen.All()) {
        s.film.list = TargetList::Seen;
        s.film.strDiarySource = kDiarySource;
        s.film.sitePoints = s.listedPoints ? s.listedPoints : s.loggedPoints;
        if (s.film.sitePoints) {
            s.film.rating = RatingFromTenPoints(*s.film.sitePoints);
        }
        // A first entry marked as a rewatch: the film was seen once before
        // the diary began.
        s.film.nViewings = std::max(1, s.nDiaryRows + (s.bFirstIsRewatch ? 1 : 0));
        for (const std::string& strReview : s.reviews) {
            s.film.strComment += s.film.strComment.empty() ? strReview : "\r\n\r\n" + strReview;
        }
        rows.films.push_back(std::move(s.film));
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
            film.strLetterboxdUri = TrimBlanks(table.Field(record, "Letterboxd URI"));
            rows.films.push_back(std::move(film));
        }
    }
    return rows;
}

namespace {

// Folders of an export that hold files of the same names but not the
// account's films: entries deleted or left without a film, and likes.
bool IsSideFolder(const std::string& strFolder)
{
    return strFolder == "deleted" || strFolder == "orphaned" || strFolder == "likes";
}

bool IsExportFile(const std::string& strName)
{
    for (const char* pName : kLetterboxdFiles) {
        if (strName == pName) return true;
    }
    return false;
}

// The folder of the export's files among relative paths: the top when it
// holds one of them, else the one folder, one level down, that does (an
// export unpacked into a folder of its own and packed again).
std::string ExportFolder(const std::vector<std::string>& paths, const std::string& strSource)
{
    std::vector<std::string> folders;
    for (const std::string& strPath : paths) {
        const std::size_t nSlash = strPath.find('/');
        if (nSlash == std::string::npos) {
            if (IsExportFile(strPath)) return {};
            continue;
        }
        const std::string strFolder = strPath.substr(0, nSlash);
        const std::string strRest = strPath.substr(nSlash + 1);
        if (!IsSideFolder(strFolder) && IsExportFile(strRest) &&
            std::find(folders.begin(), folders.end(), strFolder) == folders.end()) {
            folders.push_back(strFolder);
        }
    }
    if (folders.size() > 1) {
        throw InputRefused(strSource, 0, "two exports in one: \"" + folders[0] + "/\" and \"" + folders[1] + "/\"");
    }
    if (folders.empty()) {
        throw InputRefused(strSource, 0,
                           "no watched.csv, ratings.csv, diary.csv, reviews.csv or watchlist.csv here nor in a "
                           "folder of it");
    }
    return folders.front() + "/";
}

}  // namespace

std::map<std::string, std::string> LoadLetterboxdFiles(const std::string& strPath)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    std::vector<std::string> paths;
    if (std::filesystem::is_directory(strPath, ec)) {
        for (auto it = std::filesystem::recursive_directory_iterator(strPath, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it.depth() > 1) {
                it.disable_recursion_pending();
            } else if (it->is_regular_file(ec)) {
                paths.push_back(std::filesystem::relative(it->path(), strPath, ec).generic_string());
            }
        }
        const std::string strFolder = ExportFolder(paths, strPath);
        for (const char* pName : kLetterboxdFiles) {
            const std::string strFile = strPath + "/" + strFolder + pName;
            if (std::filesystem::exists(strFile, ec)) {
                files[pName] = ReadWholeFile(strFile);
            }
        }
        return files;
    }
    const std::string strFolder = ExportFolder(ListZipEntries(strPath), strPath);
    std::map<std::string, bool> wanted;
    for (const char* pName : kLetterboxdFiles) {
        wanted[strFolder + pName] = true;
    }
    std::map<std::string, std::string> entries;
    ReadZipEntries(strPath, wanted, entries);
    for (auto& [strName, bytes] : entries) {
        files[strName.substr(strFolder.size())] = std::move(bytes);
    }
    return files;
}
