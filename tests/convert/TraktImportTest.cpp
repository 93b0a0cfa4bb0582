// The Trakt reader: what it makes of the made-up export, as a folder and as
// a ZIP file one folder down with a history/ folder; which entries are one
// film; the refusals of files that are no export.
#include "InputRefused.h"
#include "Rating.h"
#include "TempDir.h"
#include "TextTools.h"
#include "TraktImport.h"
#include "ZipFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kFixture = std::string(CONVERT_FIXTURES) + "/trakt";

// One film as a line: list, title, year, rating word, points, viewings,
// dated viewings ("+" a rewatch), ids, date rated, date watched.
std::string Line(const IncomingFilm& film)
{
    std::string strLine = (film.list == TargetList::Seen ? "seen|" : "tosee|") + film.strOriginalTitle + "|" +
                          film.strYear + "|" + (film.rating ? RatingToText(*film.rating) : "-") + "|" +
                          (film.sitePoints ? std::to_string(*film.sitePoints) : "-") + "|" +
                          std::to_string(film.nViewings) + "|";
    for (const IncomingViewing& viewing : film.viewings) {
        strLine += viewing.strDate + (viewing.bRewatch ? "+ " : " ");
    }
    return strLine + "|" + film.strTraktId + " " + film.strImdbId + " " + film.strTmdbId + "|" + film.strDateRated +
           "|" + film.strWatchedDate;
}

std::vector<std::string> Lines(const IncomingRows& rows)
{
    std::vector<std::string> lines;
    for (const IncomingFilm& film : rows.films) lines.push_back(Line(film));
    return lines;
}

// The refusal of the files, as "file, line N: why"; "read" when taken.
std::string Refusal(const std::map<std::string, std::string>& files)
{
    try {
        ReadTraktExport(files, "export");
    } catch (const InputRefused& refused) {
        return refused.what();
    }
    return "read";
}

}  // namespace

TEST(TraktImportTest, ReadsTheExportAsFolderAndAsZip)
{
    const IncomingRows rows = ReadTraktExport(LoadTraktFiles(kFixture), kFixture);
    // Inception's history entry 7001 stands in both history files: one play.
    // Salt Road's earliest play is in the second file; it is the first
    // viewing. Night Ferry is only rated, Quiet Hours only in the history.
    const std::vector<std::string> expected = {
        "seen|Inception|2010|Excelent|9|3|2023-01-10 2024-05-01+ |16662 tt1375666 27205|2024-05-02|2024-05-01",
        "seen|Lanterns of Ash||-|-|1|2024-02-03 |900001  ||2024-02-03",
        "seen|Salt Road|1998|-|-|2|2022-12-31 2023-06-01+ |900002 tt0900002 ||2023-06-01",
        "seen|Night Ferry|1994|Mediocru|4|1||900003 tt0900003 900303|2021-11-20|",
        "seen|Quiet Hours|2019|-|-|1|2022-10-15 |900006 tt0900006 ||2022-10-15",
        "tosee|Salt Road|1998|-|-|0||900002 tt0900002 ||",
        "tosee|Orchard Road|1961|-|-|0||900004 tt0900004 900404||",
        "tosee|Glass Harbour|2005|-|-|0||900005  ||",
    };
    EXPECT_EQ(Lines(rows), expected);
    for (const IncomingFilm& film : rows.films) {
        EXPECT_EQ(film.strDiarySource, film.list == TargetList::Seen ? "trakt" : "");
    }
    EXPECT_EQ(rows.films[3].strFile, kFixture + "/ratings-movies.json");
    EXPECT_EQ(rows.films[3].nLine, 2);
    ASSERT_EQ(rows.leftOut.size(), 2u);
    EXPECT_EQ(rows.leftOut[0].strTitle, "Harbour Lights S01E02: The Pier");
    EXPECT_EQ(rows.leftOut[0].strSource, kFixture + "/history-1.json, line 2");
    EXPECT_EQ(rows.leftOut[0].strWhy, "episode");
    EXPECT_EQ(rows.leftOut[1].strTitle, "Harbour Lights S01E01: Pilot");

    // The same files in a ZIP, one folder down, the history in a folder of
    // its own, beside files of another folder that are not the export's.
    TempDir dir;
    std::map<std::string, std::string> entries;
    for (const char* pName : {"watched-movies.json", "ratings-movies.json", "watchlist-movies.json"}) {
        entries[std::string("export/") + pName] = ReadWholeFile(kFixture + "/" + pName);
    }
    for (const char* pName : {"history-1.json", "history-2.json"}) {
        entries[std::string("export/history/") + pName] = ReadWholeFile(kFixture + "/" + pName);
    }
    entries["export/history/deeper/history-3.json"] = "not read";
    entries["export/notes.txt"] = "not read";
    ASSERT_TRUE(WriteZipFile(dir / "trakt.zip", entries));
    EXPECT_EQ(Lines(ReadTraktExport(LoadTraktFiles(dir / "trakt.zip"), dir / "trakt.zip")), expected);

    entries["other/watched-movies.json"] = "[]";
    ASSERT_TRUE(WriteZipFile(dir / "two.zip", entries));
    EXPECT_THROW(LoadTraktFiles(dir / "two.zip"), InputRefused);
}

TEST(TraktImportTest, EntriesOfOneFilmAndFieldsNotGiven)
{
    const std::string strInception = R"("movie": {"title": "Inception", "year": 2010, "ids": {"trakt": 1}})";
    const IncomingRows rows =
        ReadTraktExport({{"watched-movies.json",
                          // The imdb id alone finds the film the trakt id named; no ids, the
                          // title and year; another trakt id, another film of that title.
                          "[{" + strInception + R"(, "plays": null, "last_watched_at": null},
            {"movie": {"title": "Remake", "year": 2001, "ids": {"trakt": 2, "imdb": "tt2"}}},
            {"movie": {"title": "Remake", "year": 2001, "ids": {"trakt": 3}}},
            {"movie": {"title": "Plain", "year": null, "ids": null}}])"},
                         {"ratings-movies.json", R"([{"type": "show", "show": {"title": "A Show"}, "rating": 8},
            {"type": "movie", "movie": {"title": "Remake", "ids": {"imdb": "tt2"}}, "rating": 6},
            {"movie": {"title": "Plain"}, "rating": null}])"},
                         // No type is a film; an undated play counts without a row.
                         {"history.json", R"([{"id": 9, "watched_at": null, "movie": {"title": "Plain"}},
            {"id": 8, "watched_at": "2024-03-01T00:30:00Z", )" +
                                              strInception + "}]"}},
                        "export");
    const std::vector<std::string> expected = {
        "seen|Inception|2010|-|-|1|2024-03-01 |1  ||2024-03-01",
        "seen|Remake|2001|Bun|6|1||2 tt2 ||",
        "seen|Remake|2001|-|-|1||3  ||",
        "seen|Plain||-|-|1||  ||",
    };
    EXPECT_EQ(Lines(rows), expected);
    ASSERT_EQ(rows.leftOut.size(), 1u);
    EXPECT_EQ(rows.leftOut[0].strTitle, "A Show");
    EXPECT_EQ(rows.leftOut[0].strWhy, "show");
}

TEST(TraktImportTest, RefusesWhatIsNoExportNamingTheFileAndEntry)
{
    const auto watched = [](const std::string& strEntries) {
        return Refusal({{"watched-movies.json", "[" + strEntries + "]"}});
    };
    const std::string strGood = R"({"movie": {"title": "A"}})";
    EXPECT_EQ(watched(strGood + R"(, {"movie": {"title": 5}})"),
              "export/watched-movies.json, line 2: \"movie.title\" is a number, not a text");
    EXPECT_EQ(watched(R"({"plays": "3", "movie": {"title": "A"}})"),
              "export/watched-movies.json, line 1: \"plays\" is a string, not a whole number from 0 to 2147483647");
    EXPECT_EQ(watched(R"({"plays": 2.5, "movie": {"title": "A"}})"),
              "export/watched-movies.json, line 1: \"plays\" is 2.5, not a whole number from 0 to 2147483647");
    EXPECT_EQ(watched(R"({"movie": {"title": "A", "ids": {"trakt": 18446744073709551615}}})"),
              "export/watched-movies.json, line 1: \"movie.ids.trakt\" is 18446744073709551615, not a whole number "
              "from 1 to 9223372036854775807");
    EXPECT_EQ(watched(R"({"movie": {"title": "A", "ids": {"imdb": "tt1 trakt:2"}}})"),
              "export/watched-movies.json, line 1: \"movie.ids.imdb\" is \"tt1 trakt:2\", not an IMDb id");
    EXPECT_EQ(watched(R"({"movie": {"title": "A", "ids": []}})"),
              "export/watched-movies.json, line 1: \"movie.ids\" is an array, not an object");
    EXPECT_EQ(watched(R"({"plays": 1})"), "export/watched-movies.json, line 1: the entry has no \"movie\"");
    EXPECT_EQ(watched("7"), "export/watched-movies.json, line 1: the entry is a number, not an object");
    EXPECT_EQ(Refusal({{"ratings-movies.json", R"([{"movie": {"title": "A"}, "rating": 11}])"}}),
              "export/ratings-movies.json, line 1: \"rating\" is 11, not a whole number from 1 to 10");
    EXPECT_EQ(Refusal({{"history-2.json", R"([{"type": 4, "movie": {"title": "A"}}])"}}),
              "export/history-2.json, line 1: \"type\" is a number, not a text");

    EXPECT_EQ(Refusal({{"watchlist-movies.json", R"({"movie": {}})"}}),
              "export/watchlist-movies.json: holds an object, not a list of entries");
    EXPECT_EQ(Refusal({{"history/2024.json", "[{\"id\": 1,"}}).rfind("export/history/2024.json: not JSON: ", 0), 0u);
    EXPECT_EQ(Refusal({{"history.json", std::string(100000, '[') + std::string(100000, ']')}}),
              "export/history.json: nested more than 32 levels deep, not an export");
    EXPECT_EQ(Refusal({{"watched-shows.json", "[]"}, {"history/deeper/1.json", "[]"}}).rfind("export: no ", 0), 0u);
}
