#include "CatalogueFolder.h"
#include "Diary.h"
#include "FileBytes.h"
#include "ImportPlan.h"
#include "LetterboxdImport.h"
#include "Rating.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kHeader = "list,original title,year,date,rewatch,source\r\n";

Diary::Row Viewing(const std::string& strTitle, const std::string& strDate, bool bRewatch = false)
{
    return {true, strTitle, "2000", strDate, bRewatch, "letterboxd"};
}

IncomingFilm Seen(const std::string& strTitle, std::vector<IncomingViewing> viewings)
{
    IncomingFilm film;
    film.strFile = "in";
    film.nLine = 2;
    film.strOriginalTitle = film.strTitle = strTitle;
    film.strYear = "2000";
    film.nViewings = static_cast<int>(viewings.size());
    film.viewings = std::move(viewings);
    film.strDiarySource = "trakt";
    return film;
}

}  // namespace

TEST(DiaryTest, DaysAreRealDays)
{
    for (const char* pDay : {"2024-02-29", "2000-02-29", "1999-12-31", "2023-04-30"}) {
        EXPECT_TRUE(IsDiaryDate(pDay)) << pDay;
    }
    for (const char* pDay : {"2023-02-29", "1900-02-29", "2023-04-31", "2023-13-01", "2023-00-10", "2023-1-01",
                             "2023/01/01", "0000-01-01", "2023-01-01x", ""}) {
        EXPECT_FALSE(IsDiaryDate(pDay)) << pDay;
    }
    EXPECT_EQ(DiaryDateOf("2024-03-01T23:59:00.000Z"), "2024-03-01");
    EXPECT_EQ(DiaryDateOf("yesterday"), "");
}

// The same export imported twice adds nothing, yet two viewings of one film
// on one day are two rows, and a third one later is added.
TEST(DiaryTest, MergeCountsEachViewingOnce)
{
    Diary diary;
    const std::vector<Diary::Row> twice = {Viewing("A", "2024-01-05"), Viewing("A", "2024-01-05", true)};
    EXPECT_EQ(diary.Merge(twice), 2);
    EXPECT_EQ(diary.Merge(twice), 0);
    const std::vector<Diary::Row> sameDay = {Viewing("A", "2024-01-05"), Viewing("A", "2024-01-05"),
                                             Viewing("A", "2024-01-05", true)};
    EXPECT_EQ(diary.Merge(sameDay), 1);
    EXPECT_EQ(diary.Rows().size(), 3u);
    EXPECT_TRUE(diary.Changed());
}

// Rows it cannot understand are named, left out of the figures and written
// back as they stood; a file that does not parse is set aside under a name
// that no earlier damaged copy holds.
TEST(DiaryTest, DamageIsKeptNotLost)
{
    TempDir dir;
    const std::string strBadRows = std::string(kHeader) +
                                   "vazute,B,2001,2024-02-30,0,watched\r\n"
                                   "vazute,A,2000,2023-05-01,1,watched\r\n"
                                   "alta,C,,2023-05-02,0,watched\r\n";
    ASSERT_TRUE(WriteBytes(dir / "diary.csv", strBadRows));
    Diary diary;
    diary.Load(dir.Path());
    EXPECT_TRUE(diary.Problem().empty());
    ASSERT_EQ(diary.Faults().size(), 2u);
    EXPECT_NE(diary.Faults()[0].find("line 2"), std::string::npos) << diary.Faults()[0];
    EXPECT_NE(diary.Faults()[1].find("line 4"), std::string::npos) << diary.Faults()[1];
    ASSERT_EQ(diary.Rows().size(), 1u);
    diary.Add(Viewing("A", "2020-01-01"));
    ASSERT_TRUE(diary.Save(dir.Path()));
    EXPECT_EQ(ReadBytes(dir / "diary.csv"), std::string(kHeader) +
                                                "vazute,A,2000,2020-01-01,0,letterboxd\r\n"
                                                "vazute,A,2000,2023-05-01,1,watched\r\n"
                                                "vazute,B,2001,2024-02-30,0,watched\r\n"
                                                "alta,C,,2023-05-02,0,watched\r\n");

    ASSERT_TRUE(WriteBytes(dir / "diary.csv.damaged", "an older damaged copy"));
    const std::string strUnparsable = std::string(kHeader) + "vazute,\"A,2000\r\n";
    ASSERT_TRUE(WriteBytes(dir / "diary.csv", strUnparsable));
    Diary damaged;
    damaged.Load(dir.Path());
    EXPECT_FALSE(damaged.Problem().empty());
    EXPECT_TRUE(damaged.Rows().empty());
    damaged.Merge({Viewing("D", "2024-06-01")});
    ASSERT_TRUE(damaged.Save(dir.Path()));
    EXPECT_EQ(ReadBytes(dir / "diary.csv.damaged"), "an older damaged copy");
    EXPECT_EQ(ReadBytes(dir / "diary.csv.damaged.1"), strUnparsable);
    EXPECT_EQ(ReadBytes(dir / "diary.csv"), std::string(kHeader) + "vazute,D,2000,2024-06-01,0,letterboxd\r\n");
}

// Letterboxd's diary gives one dated viewing a row, the rewatch mark kept
// and the watched date before the day it was logged.
TEST(DiaryTest, LetterboxdDiaryRowsAreDatedViewings)
{
    const std::map<std::string, std::string> files = {{"diary.csv",
                                                       "Date,Name,Year,Rewatch,Watched Date\n"
                                                       "2021-04-01,Alpha,2000,,2021-03-31\n"
                                                       "2021-09-14,Alpha,2000,Yes,\n"
                                                       "2022-01-09,Beta,2001,Yes,2022-01-08\n"
                                                       "2022-01-10,Beta,2001,,someday\n"}};
    const std::vector<IncomingFilm> films = ReadLetterboxdExport(files, "export").films;
    ASSERT_EQ(films.size(), 2u);
    ASSERT_EQ(films[0].viewings.size(), 2u);
    EXPECT_EQ(films[0].viewings[0].strDate, "2021-03-31");
    EXPECT_FALSE(films[0].viewings[0].bRewatch);
    EXPECT_EQ(films[0].viewings[1].strDate, "2021-09-14");
    EXPECT_TRUE(films[0].viewings[1].bRewatch);
    EXPECT_EQ(films[0].strDiarySource, "letterboxd");
    // A viewing without a readable day counts, but has no row.
    EXPECT_EQ(films[1].nViewings, 3);
    ASSERT_EQ(films[1].viewings.size(), 1u);
    EXPECT_TRUE(films[1].viewings[0].bRewatch);
}

// The rows go under the film of the catalogue an incoming film is: one
// already seen keeps its own title and year, one that moves takes its rows
// of the to-see list along.
TEST(DiaryTest, AnImportLogsUnderTheCataloguesFilm)
{
    TempDir dir;
    Catalogue catalogue;
    OpenCatalogueFolder(catalogue, dir.Path(), false);
    {
        ImportPlan plan(catalogue, TextToRating("Bun"));
        IncomingFilm known = Seen("Known", {});
        known.strYear.clear();
        known.nViewings = 1;
        plan.Add(known);
        IncomingFilm later = Seen("Later", {});
        later.list = TargetList::ToSee;
        later.nViewings = 0;
        plan.Add(later);
        ASSERT_TRUE(plan.Commit().empty());
    }
    ASSERT_TRUE(WriteBytes(dir / "diary.csv", std::string(kHeader) + "de vazut,Later,2000,2019-01-01,0,watched\r\n"));

    Catalogue again;
    OpenCatalogueFolder(again, dir.Path(), true);
    ImportPlan plan(again, TextToRating("Bun"));
    plan.Add(Seen("Known", {{"2024-01-02", false}, {"2024-02-03", true}}));  // already seen, no year there
    plan.Add(Seen("Later", {{"2024-03-04", false}}));                        // moves across
    plan.Finish();
    EXPECT_EQ(plan.Summary().nSeenAdded, 1);
    EXPECT_EQ(plan.Summary().nDiaryAdded, 3);
    ASSERT_TRUE(plan.Commit().empty());
    EXPECT_EQ(ReadBytes(dir / "diary.csv"), std::string(kHeader) +
                                                "vazute,Later,2000,2019-01-01,0,watched\r\n"
                                                "vazute,Known,,2024-01-02,0,trakt\r\n"
                                                "vazute,Known,,2024-02-03,1,trakt\r\n"
                                                "vazute,Later,2000,2024-03-04,0,trakt\r\n");
}
