#include "FilmIds.h"

#include "Csv.h"
#include "IncomingFilm.h"
#include "InputRefused.h"
#include "TextTools.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace {

const std::vector<std::string> kHeader = {"list",     "original title", "year",        "ids",
                                          "rating10", "date rated",     "watched date"};

std::string FilmKey(bool bSeen, const std::string& strTitle, const std::string& strYear)
{
    return std::string(bSeen ? "s" : "t") + '\x1F' + strTitle + '\x1F' + strYear;
}

}  // namespace

std::vector<std::string> IdsOf(const IncomingFilm& film)
{
    // The side file separates ids with spaces: an id with a blank in it
    // would read back as other ids, so it is not kept.
    std::vector<std::string> ids;
    const auto keep = [&ids](const char* pPrefix, const std::string& strId) {
        if (!strId.empty() && strId.find_first_of(" \t\r\n\v\f") == std::string::npos) {
            ids.push_back(pPrefix + strId);
        }
    };
    keep("", film.strImdbId);
    keep("", film.strLetterboxdUri);
    keep("tmdb:", film.strTmdbId);
    keep("trakt:", film.strTraktId);
    return ids;
}

namespace {

// The site an id belongs to, from its spelling.
std::string SiteOf(const std::string& strId)
{
    if (strId.starts_with("tt")) return "imdb";
    if (strId.starts_with("tmdb:")) return "tmdb";
    if (strId.starts_with("trakt:")) return "trakt";
    return "letterboxd";
}

}  // namespace

bool IdsDisagree(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    for (const std::string& strA : a) {
        for (const std::string& strB : b) {
            if (strA != strB && SiteOf(strA) == SiteOf(strB) && std::find(b.begin(), b.end(), strA) == b.end()) {
                return true;
            }
        }
    }
    return false;
}

void FilmIds::Load(const std::string& strDir)
{
    const std::string strPath = strDir + "/" + kFileName;
    std::error_code ec;
    if (!std::filesystem::exists(strPath, ec)) {
        return;
    }
    try {
        const CsvTable table(ReadWholeFile(strPath), strPath);
        table.RequireColumns({"list", "original title", "year", "ids"});
        for (const CsvRecord& record : table.Records()) {
            Row row;
            row.bSeen = table.Field(record, "list") != "de vazut";
            row.strTitle = table.Field(record, "original title");
            row.strYear = table.Field(record, "year");
            std::istringstream ids(table.Field(record, "ids"));
            for (std::string strId; ids >> strId;) row.ids.push_back(strId);
            const std::string& strPoints = table.Field(record, "rating10");
            int nPoints = 0;
            const auto result = std::from_chars(strPoints.data(), strPoints.data() + strPoints.size(), nPoints);
            if (!strPoints.empty() && result.ec == std::errc() && nPoints >= 1 && nPoints <= 10) {
                row.points = nPoints;
            }
            row.strDateRated = table.Field(record, "date rated");
            row.strWatchedDate = table.Field(record, "watched date");
            m_rows.push_back(std::move(row));
            Index(m_rows.size() - 1);
        }
    } catch (const InputRefused& refused) {
        m_rows.clear();
        m_byId.clear();
        m_byFilm.clear();
        m_bDamaged = true;
        m_strProblem = std::string(refused.what()) + "; matched by title and year only, a new " + kFileName +
                       " is written and the old one kept as " + kFileName + ".damaged";
    }
}

void FilmIds::Index(std::size_t nRow)
{
    const Row& row = m_rows[nRow];
    m_byFilm[FilmKey(row.bSeen, row.strTitle, row.strYear)] = nRow;
    for (const std::string& strId : row.ids) m_byId[strId] = nRow;
}

FilmIds::Row* FilmIds::FindById(const std::vector<std::string>& ids)
{
    for (const std::string& strId : ids) {
        if (const auto it = m_byId.find(strId); it != m_byId.end()) return &m_rows[it->second];
    }
    return nullptr;
}

FilmIds::Row* FilmIds::Find(bool bSeen, const std::string& strTitle, const std::string& strYear)
{
    const auto it = m_byFilm.find(FilmKey(bSeen, strTitle, strYear));
    return it == m_byFilm.end() ? nullptr : &m_rows[it->second];
}

const FilmIds::Row* FilmIds::Find(bool bSeen, const std::string& strTitle, const std::string& strYear) const
{
    const auto it = m_byFilm.find(FilmKey(bSeen, strTitle, strYear));
    return it == m_byFilm.end() ? nullptr : &m_rows[it->second];
}

void FilmIds::Record(const Row& row)
{
    Row* pRow = Find(row.bSeen, row.strTitle, row.strYear);
    if (pRow == nullptr || IdsDisagree(pRow->ids, row.ids)) {
        const bool bTwin = pRow != nullptr;
        m_rows.push_back(row);
        if (bTwin) {
            // The title and year keep naming the first film's row.
            for (const std::string& strId : row.ids) m_byId[strId] = m_rows.size() - 1;
            m_bChanged = true;
            return;
        }
        Index(m_rows.size() - 1);
        m_bChanged = true;
        return;
    }
    const Row before = *pRow;
    for (const std::string& strId : row.ids) {
        if (std::find(pRow->ids.begin(), pRow->ids.end(), strId) == pRow->ids.end()) pRow->ids.push_back(strId);
    }
    if (row.points) pRow->points = row.points;
    if (!row.strDateRated.empty()) pRow->strDateRated = row.strDateRated;
    if (!row.strWatchedDate.empty()) pRow->strWatchedDate = row.strWatchedDate;
    if (pRow->ids != before.ids || pRow->points != before.points || pRow->strDateRated != before.strDateRated ||
        pRow->strWatchedDate != before.strWatchedDate) {
        Index(static_cast<std::size_t>(pRow - m_rows.data()));
        m_bChanged = true;
    }
}

void FilmIds::Move(bool bFromSeen, const std::string& strTitle, const std::string& strYear)
{
    Row* pRow = Find(bFromSeen, strTitle, strYear);
    if (pRow == nullptr) {
        return;
    }
    m_byFilm.erase(FilmKey(bFromSeen, strTitle, strYear));
    pRow->bSeen = !bFromSeen;
    Index(static_cast<std::size_t>(pRow - m_rows.data()));
    m_bChanged = true;
}

bool FilmIds::Save(const std::string& strDir) const
{
    const std::string strPath = strDir + "/" + kFileName;
    if (m_bDamaged) {
        std::error_code ec;
        std::filesystem::rename(strPath, strPath + ".damaged", ec);
    }
    std::string out;
    AppendCsvRecord(out, kHeader);
    for (const Row& row : m_rows) {
        std::string strIds;
        for (const std::string& strId : row.ids) strIds += strIds.empty() ? strId : " " + strId;
        AppendCsvRecord(out, {row.bSeen ? "vazute" : "de vazut", row.strTitle, row.strYear, strIds,
                              row.points ? std::to_string(*row.points) : "", row.strDateRated, row.strWatchedDate});
    }
    return WriteWholeFile(strPath, out);
}
