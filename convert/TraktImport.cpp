#include "TraktImport.h"

#include "Diary.h"
#include "InputRefused.h"
#include "RatingScale.h"
#include "TextTools.h"
#include "ZipFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

const char* const kTraktFiles[3] = {"watched-movies.json", "ratings-movies.json", "watchlist-movies.json"};

namespace {

using Json = nlohmann::json;

constexpr const char* kDiarySource = "trakt";
constexpr const char* kLookedFor =
    "no watched-movies.json, ratings-movies.json, watchlist-movies.json, history*.json "
    "or history/*.json here";
// An export's entries are four levels deep (list, entry, film, ids); a
// file nested far deeper is no export.
constexpr int kMaxJsonDepth = 32;

// "an object", "a string": what kind of JSON value it is.
std::string KindOf(const Json& value)
{
    const std::string strType = value.type_name();
    return (strType == "object" || strType == "array" ? "an " : "a ") + strType;
}

// The file's list of entries. Throws InputRefused naming the file when it is
// not JSON, is nested too deep or holds no list at its top.
Json ParseEntries(const std::string& bytes, const std::string& strFile)
{
    Json parsed;
    try {
        parsed = Json::parse(bytes, [&strFile](int nDepth, Json::parse_event_t event, Json&) {
            if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
                nDepth >= kMaxJsonDepth) {
                throw InputRefused(strFile, 0,
                                   "nested more than " + std::to_string(kMaxJsonDepth) + " levels deep, not an export");
            }
            return true;
        });
    } catch (const Json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 1, ...": the
        // text after the library's tag.
        std::string strWhy = error.what();
        if (const std::size_t nTag = strWhy.find("] "); strWhy.starts_with("[json.") && nTag != std::string::npos) {
            strWhy.erase(0, nTag + 2);
        }
        throw InputRefused(strFile, 0, "not JSON: " + strWhy);
    }
    if (!parsed.is_array()) {
        throw InputRefused(strFile, 0, "holds " + KindOf(parsed) + ", not a list of entries");
    }
    return parsed;
}

// One entry of a file: its fields read with the refusals naming the file,
// the entry's number and the field. A field that is missing and one that is
// null are the same: not given.
class Entry {
public:
    Entry(const std::string& strFile, int nNumber, const Json& value) : m_strFile(strFile), m_nNumber(nNumber)
    {
        if (!value.is_object()) {
            Refuse("the entry is " + KindOf(value) + ", not an object");
        }
        m_pValue = &value;
    }

    const std::string& File() const { return m_strFile; }
    int Number() const { return m_nNumber; }
    const Json& Value() const { return *m_pValue; }

    [[noreturn]] void Refuse(const std::string& strWhy) const { throw InputRefused(m_strFile, m_nNumber, strWhy); }

    // The field of `object`, the entry or an object in it; nullptr when not
    // given. Where the others refuse, strWhere is the path of that object.
    static const Json* Field(const Json& object, const char* pKey)
    {
        const auto it = object.find(pKey);
        return it == object.end() || it->is_null() ? nullptr : &*it;
    }
    const Json* Object(const Json& object, const char* pKey, const std::string& strWhere) const
    {
        const Json* pField = Field(object, pKey);
        if (pField != nullptr && !pField->is_object()) {
            Refuse(Quoted(strWhere, pKey) + " is " + KindOf(*pField) + ", not an object");
        }
        return pField;
    }
    std::string Text(const Json& object, const char* pKey, const std::string& strWhere) const
    {
        const Json* pField = Field(object, pKey);
        if (pField == nullptr) return {};
        if (!pField->is_string()) {
            Refuse(Quoted(strWhere, pKey) + " is " + KindOf(*pField) + ", not a text");
        }
        return TrimBlanks(pField->get_ref<const std::string&>());
    }
    // A whole number from nMin to nMax; nothing when not given.
    std::optional<std::int64_t> WholeNumber(const Json& object, const char* pKey, const std::string& strWhere,
                                            std::int64_t nMin, std::int64_t nMax) const
    {
        const Json* pField = Field(object, pKey);
        if (pField == nullptr) return std::nullopt;
        bool bInRange = false;
        if (pField->is_number_unsigned()) {
            // The library keeps a number without a sign unsigned, and it
            // may be past the largest signed one.
            bInRange = nMax >= 0 && pField->get<std::uint64_t>() <= static_cast<std::uint64_t>(nMax) &&
                       pField->get<std::int64_t>() >= nMin;
        } else if (pField->is_number_integer()) {
            bInRange = pField->get<std::int64_t>() >= nMin && pField->get<std::int64_t>() <= nMax;
        }
        if (!bInRange) {
            const std::string strValue = pField->is_number() ? pField->dump() : KindOf(*pField);
            Refuse(Quoted(strWhere, pKey) + " is " + strValue + ", not a whole number from " + std::to_string(nMin) +
                   " to " + std::to_string(nMax));
        }
        return pField->get<std::int64_t>();
    }

private:
    static std::string Quoted(const std::string& strWhere, const char* pKey)
    {
        return "\"" + (strWhere.empty() ? std::string() : strWhere + ".") + pKey + "\"";
    }

    const std::string& m_strFile;
    int m_nNumber;
    const Json* m_pValue = nullptr;
};

// What the export says of a film wherever it stands.
struct Movie {
    std::string strTitle;
    std::string strYear;
    std::string strTraktId;
    std::string strImdbId;
    std::string strTmdbId;
};

bool IsImdbId(const std::string& strId)
{
    return strId.size() > 2 && strId.starts_with("tt") &&
           std::all_of(strId.begin() + 2, strId.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Movie ReadMovie(const Entry& entry)
{
    const Json* pMovie = entry.Object(entry.Value(), "movie", "");
    if (pMovie == nullptr) {
        entry.Refuse("the entry has no \"movie\"");
    }
    Movie movie;
    movie.strTitle = entry.Text(*pMovie, "title", "movie");
    if (const auto year = entry.WholeNumber(*pMovie, "year", "movie", 0, 9999)) {
        movie.strYear = std::to_string(*year);
    }
    if (const Json* pIds = entry.Object(*pMovie, "ids", "movie")) {
        if (const auto id = entry.WholeNumber(*pIds, "trakt", "movie.ids", 1, INT64_MAX)) {
            movie.strTraktId = std::to_string(*id);
        }
        if (const auto id = entry.WholeNumber(*pIds, "tmdb", "movie.ids", 1, INT64_MAX)) {
            movie.strTmdbId = std::to_string(*id);
        }
        // The side file separates ids with spaces: anything but an IMDb id
        // there would read as other ids.
        movie.strImdbId = entry.Text(*pIds, "imdb", "movie.ids");
        if (!movie.strImdbId.empty() && !IsImdbId(movie.strImdbId)) {
            entry.Refuse("\"movie.ids.imdb\" is \"" + movie.strImdbId.substr(0, 40) + "\", not an IMDb id");
        }
    }
    return movie;
}

// The entry's "type"; a file of films may leave it out.
std::string TypeOf(const Entry& entry)
{
    const std::string strType = entry.Text(entry.Value(), "type", "");
    return strType.empty() ? "movie" : strType;
}

// How the summary names an entry that is no film: an episode by its show,
// season and number and its own title, anything else by its title. Nothing
// of it is needed, so a field of another type is passed over.
std::string LeftOutTitle(const Entry& entry, const std::string& strType)
{
    const auto field = [](const Json* pObject, const char* pKey) {
        return pObject != nullptr && pObject->is_object() ? Entry::Field(*pObject, pKey) : nullptr;
    };
    const auto text = [&field](const Json* pObject, const char* pKey) {
        const Json* pField = field(pObject, pKey);
        return pField != nullptr && pField->is_string() ? pField->get<std::string>() : std::string();
    };
    const Json* pThing = Entry::Field(entry.Value(), strType.c_str());
    const std::string strOwn = text(pThing, "title");
    if (strType == "episode") {
        std::string strShow = text(Entry::Field(entry.Value(), "show"), "title");
        const Json* pSeason = field(pThing, "season");
        const Json* pNumber = field(pThing, "number");
        if (!strShow.empty() && pSeason != nullptr && pNumber != nullptr && pSeason->is_number_unsigned() &&
            pNumber->is_number_unsigned()) {
            const auto two = [](const Json& n) { return n.get<std::uint64_t>() < 10 ? "0" + n.dump() : n.dump(); };
            strShow += " S" + two(*pSeason) + "E" + two(*pNumber);
        }
        if (!strShow.empty()) return strOwn.empty() ? strShow : strShow + ": " + strOwn;
    }
    return strOwn.empty() ? "(" + strType + ")" : strOwn;
}

// The summary counts an entry that is no film with its type.
void LeaveOut(IncomingRows& rows, const Entry& entry, const std::string& strType)
{
    rows.leftOut.push_back(
        {LeftOutTitle(entry, strType), entry.File() + ", line " + std::to_string(entry.Number()), strType});
}

struct SeenFilm {
    IncomingFilm film;
    std::int64_t nPlays = 0;              // watched-movies.json's count
    std::vector<std::string> playStamps;  // "watched_at" of each of its history entries
    std::string strLastWatched;           // watched-movies.json's "last_watched_at"
    std::string strRatedAt;
};

class SeenFilms {
public:
    // The film the entry's movie is, added when it is none met before: by
    // its Trakt id, else its IMDb id, else its title and year, so long as
    // no id of the same site says they are two films.
    SeenFilm& Find(const Movie& movie, const Entry& entry)
    {
        std::optional<std::size_t> found = Lookup("trakt:" + movie.strTraktId, !movie.strTraktId.empty());
        if (!found) found = Agreeing(Lookup("imdb:" + movie.strImdbId, !movie.strImdbId.empty()), movie);
        if (!found) found = Agreeing(Lookup(TitleKey(movie), true), movie);
        if (!found) {
            found = m_films.size();
            SeenFilm& seen = m_films.emplace_back();
            seen.film.strFile = entry.File();
            seen.film.nLine = entry.Number();
            seen.film.strOriginalTitle = seen.film.strTitle = movie.strTitle;
            seen.film.strYear = movie.strYear;
        }
        IncomingFilm& film = m_films[*found].film;
        for (auto [pKnown, pGiven] :
             {std::pair{&film.strTraktId, &movie.strTraktId}, std::pair{&film.strImdbId, &movie.strImdbId},
              std::pair{&film.strTmdbId, &movie.strTmdbId}}) {
            if (pKnown->empty()) *pKnown = *pGiven;
        }
        for (const std::string& strKey : {"trakt:" + film.strTraktId, "imdb:" + film.strImdbId}) {
            if (strKey.back() != ':') m_index.emplace(strKey, *found);
        }
        m_index.emplace(TitleKey(movie), *found);
        return m_films[*found];
    }
    std::vector<SeenFilm>& All() { return m_films; }

private:
    static std::string TitleKey(const Movie& movie) { return "title:" + movie.strTitle + '\0' + movie.strYear; }
    std::optional<std::size_t> Lookup(const std::string& strKey, bool bGiven) const
    {
        const auto it = bGiven ? m_index.find(strKey) : m_index.end();
        return it == m_index.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<std::size_t> Agreeing(std::optional<std::size_t> found, const Movie& movie) const
    {
        if (!found) return found;
        const IncomingFilm& film = m_films[*found].film;
        const auto differ = [](const std::string& a, const std::string& b) {
            return !a.empty() && !b.empty() && a != b;
        };
        if (differ(film.strTraktId, movie.strTraktId) || differ(film.strImdbId, movie.strImdbId)) return std::nullopt;
        return found;
    }

    std::map<std::string, std::size_t> m_index;
    std::vector<SeenFilm> m_films;
};

const std::string* FindFile(const std::map<std::string, std::string>& files, const char* pName)
{
    const auto it = files.find(pName);
    return it == files.end() ? nullptr : &it->second;
}

// Calls read(entry) for each entry of the file when it is there.
template <typename Read>
void ForEachEntry(const std::string* pBytes, const std::string& strFile, Read read)
{
    if (pBytes == nullptr) return;
    const Json entries = ParseEntries(*pBytes, strFile);
    int nNumber = 0;
    for (const Json& value : entries) {
        const Entry entry(strFile, ++nNumber, value);
        read(entry);
    }
}

void ReadSeenFilms(const std::map<std::string, std::string>& files, const std::string& strSource, SeenFilms& seen,
                   IncomingRows& rows)
{
    ForEachEntry(FindFile(files, "watched-movies.json"), strSource + "/watched-movies.json", [&](const Entry& e) {
        SeenFilm& film = seen.Find(ReadMovie(e), e);
        film.nPlays = std::max(film.nPlays, e.WholeNumber(e.Value(), "plays", "", 0, INT_MAX).value_or(0));
        film.strLastWatched = std::max(film.strLastWatched, e.Text(e.Value(), "last_watched_at", ""));
    });
    ForEachEntry(FindFile(files, "ratings-movies.json"), strSource + "/ratings-movies.json", [&](const Entry& e) {
        const std::string strType = TypeOf(e);
        if (strType != "movie") {
            LeaveOut(rows, e, strType);
            return;
        }
        const Movie movie = ReadMovie(e);
        const std::optional<std::int64_t> points = e.WholeNumber(e.Value(), "rating", "", 1, 10);
        const std::string strRatedAt = e.Text(e.Value(), "rated_at", "");
        SeenFilm& film = seen.Find(movie, e);
        // A film rated twice keeps the later rating.
        if (points && (!film.film.sitePoints || strRatedAt >= film.strRatedAt)) {
            film.film.sitePoints = static_cast<int>(*points);
            film.strRatedAt = strRatedAt;
        }
    });
    // History files may overlap (a page downloaded twice, a history/ folder
    // beside history.json): an entry's id is one play however often it
    // comes.
    std::map<std::int64_t, bool> playIds;
    for (const auto& [strName, bytes] : files) {
        if (!IsTraktHistoryFile(strName)) continue;
        ForEachEntry(&bytes, strSource + "/" + strName, [&](const Entry& e) {
            const std::string strType = TypeOf(e);
            if (strType != "movie") {
                LeaveOut(rows, e, strType);
                return;
            }
            const Movie movie = ReadMovie(e);
            const std::optional<std::int64_t> id = e.WholeNumber(e.Value(), "id", "", INT64_MIN, INT64_MAX);
            const std::string strWatchedAt = e.Text(e.Value(), "watched_at", "");
            if (id && !playIds.emplace(*id, true).second) return;
            seen.Find(movie, e).playStamps.push_back(strWatchedAt);
        });
    }
}

}  // namespace

bool IsTraktHistoryFile(std::string_view strName)
{
    if (!strName.ends_with(".json")) return false;
    if (strName.starts_with("history/")) {
        const std::string_view strRest = strName.substr(8);
        return strRest.size() > 5 && strRest.find('/') == std::string_view::npos;
    }
    return strName.starts_with("history") && strName.find('/') == std::string_view::npos;
}

IncomingRows ReadTraktExport(const std::map<std::string, std::string>& files, const std::string& strSource)
{
    const bool bAny = std::any_of(files.begin(), files.end(), [](const auto& file) {
        return IsTraktHistoryFile(file.first) ||
               std::any_of(std::begin(kTraktFiles), std::end(kTraktFiles),
                           [&file](const char* pName) { return file.first == pName; });
    });
    if (!bAny) {
        throw InputRefused(strSource, 0, kLookedFor);
    }

    IncomingRows rows;
    SeenFilms seen;
    ReadSeenFilms(files, strSource, seen, rows);
    for (SeenFilm& s : seen.All()) {
        IncomingFilm& film = s.film;
        film.list = TargetList::Seen;
        film.strDiarySource = kDiarySource;
        if (film.sitePoints) {
            film.rating = RatingFromTenPoints(*film.sitePoints);
            film.strDateRated = DiaryDateOf(s.strRatedAt);
        }
        // The earliest play is the first viewing and every later one a
        // rewatch; a play without a readable day counts but has no row.
        std::sort(s.playStamps.begin(), s.playStamps.end());
        film.strWatchedDate = DiaryDateOf(s.strLastWatched);
        for (const std::string& strStamp : s.playStamps) {
            const std::string strDay = DiaryDateOf(strStamp);
            if (strDay.empty()) continue;
            film.viewings.push_back({strDay, !film.viewings.empty()});
            film.strWatchedDate = std::max(film.strWatchedDate, strDay);
        }
        const std::int64_t nPlays = std::max<std::int64_t>(s.nPlays, static_cast<std::int64_t>(s.playStamps.size()));
        film.nViewings = static_cast<int>(std::clamp<std::int64_t>(nPlays, 1, INT_MAX));
        rows.films.push_back(std::move(film));
    }

    ForEachEntry(FindFile(files, "watchlist-movies.json"), strSource + "/watchlist-movies.json", [&](const Entry& e) {
        const std::string strType = TypeOf(e);
        if (strType != "movie") {
            LeaveOut(rows, e, strType);
            return;
        }
        const Movie movie = ReadMovie(e);
        IncomingFilm film;
        film.strFile = e.File();
        film.nLine = e.Number();
        film.list = TargetList::ToSee;
        film.strOriginalTitle = film.strTitle = movie.strTitle;
        film.strYear = movie.strYear;
        film.strTraktId = movie.strTraktId;
        film.strImdbId = movie.strImdbId;
        film.strTmdbId = movie.strTmdbId;
        rows.films.push_back(std::move(film));
    });
    return rows;
}

namespace {

// The name below the export's folder of a file of the export, or nothing.
bool IsExportFile(const std::string& strName)
{
    return IsTraktHistoryFile(strName) || std::any_of(std::begin(kTraktFiles), std::end(kTraktFiles),
                                                      [&strName](const char* pName) { return strName == pName; });
}

// The folder of the export's files among relative paths: the top when it
// holds one of them, else the one folder, one level down, that does.
std::string ExportFolder(const std::vector<std::string>& paths, const std::string& strSource)
{
    std::vector<std::string> folders;
    for (const std::string& strPath : paths) {
        if (IsExportFile(strPath)) return {};
        const std::size_t nSlash = strPath.find('/');
        if (nSlash == std::string::npos) continue;
        const std::string strFolder = strPath.substr(0, nSlash);
        if (IsExportFile(strPath.substr(nSlash + 1)) &&
            std::find(folders.begin(), folders.end(), strFolder) == folders.end()) {
            folders.push_back(strFolder);
        }
    }
    if (folders.size() > 1) {
        throw InputRefused(strSource, 0, "two exports in one: \"" + folders[0] + "/\" and \"" + folders[1] + "/\"");
    }
    if (folders.empty()) {
        throw InputRefused(strSource, 0, std::string(kLookedFor) + " nor in a folder of it");
    }
    return folders.front() + "/";
}

}  // namespace

std::map<std::string, std::string> LoadTraktFiles(const std::string& strPath)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    std::error_code ec;
    if (!fs::is_directory(strPath, ec)) {
        const std::vector<std::string> names = ListZipEntries(strPath);
        const std::string strFolder = ExportFolder(names, strPath);
        std::map<std::string, bool> wanted;
        for (const std::string& strName : names) {
            if (strName.starts_with(strFolder) && IsExportFile(strName.substr(strFolder.size()))) {
                wanted[strName] = true;
            }
        }
        std::map<std::string, std::string> entries;
        ReadZipEntries(strPath, wanted, entries, kMaxZipEntryBytes, kMaxTraktExportBytes);
        for (auto& [strName, bytes] : entries) {
            files[strName.substr(strFolder.size())] = std::move(bytes);
        }
        return files;
    }
    // The export's folder and its history/ folder may be one level down.
    std::vector<std::string> paths;
    for (auto it = fs::recursive_directory_iterator(strPath, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        // A link to nowhere is passed over; a folder that cannot be read
        // refuses the export rather than leave its files out unsaid.
        std::error_code ecEntry;
        if (it.depth() >= 2 && it->is_directory(ecEntry)) {
            it.disable_recursion_pending();
        } else if (it->is_regular_file(ecEntry)) {
            paths.push_back(fs::relative(it->path(), strPath, ecEntry).generic_string());
        }
    }
    if (ec) {
        throw InputRefused(strPath, 0, "the folder cannot be read (" + ec.message() + ")");
    }
    const std::string strFolder = ExportFolder(paths, strPath);
    std::size_t nTotal = 0;
    for (const std::string& strRelative : paths) {
        if (!strRelative.starts_with(strFolder) || !IsExportFile(strRelative.substr(strFolder.size()))) continue;
        const std::string strFile = strPath + "/" + strRelative;
        const std::uintmax_t nSize = fs::file_size(strFile, ec);
        if (ec || nSize > kMaxZipEntryBytes) {
            throw InputRefused(strFile, 0,
                               ec ? "the file's size cannot be read"
                                  : "larger than " + SizeText(kMaxZipEntryBytes) + ", more than an export holds");
        }
        nTotal += static_cast<std::size_t>(nSize);
        if (nTotal > kMaxTraktExportBytes) {
            throw InputRefused(strPath, 0,
                               "the files of the export are larger than " + SizeText(kMaxTraktExportBytes) +
                                   " together, more than an export holds");
        }
        files[strRelative.substr(strFolder.size())] = ReadWholeFile(strFile);
    }
    return files;
}
