#include "CatalogueCsv.h"
#include "CatalogueFolder.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FileBytes.h"
#include "FilmList.h"
#include "ImdbImport.h"
#include "ImportPlan.h"
#include "InputRefused.h"
#include "LetterboxdImport.h"
#include "Rating.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

IncomingFilm Film(const std::string& strTitle, TargetList list, std::optional<int> rating = {}, int nViewings = 1,
                  const std::string& strComment = {})
{
    IncomingFilm film;
    film.strFile = "in.csv";
    film.nLine = 2;
    film.list = list;
    film.strOriginalTitle = film.strTitle = strTitle;
    film.rating = rating;
    film.nViewings = list == TargetList::Seen ? nViewings : 0;
    film.strComment = strComment;
    return film;
}

const CFilm* Find(const CFilmNode* pHead, const std::string& strAnsiTitle)
{
    for (; pHead != nullptr; pHead = pHead->m_pNext) {
        if (pHead->m_pFilm->m_strOriginalTitle == strAnsiTitle) {
            return pHead->m_pFilm;
        }
    }
    return nullptr;
}

}  // namespace

TEST(ImdbImportTest, OriginalTitleWhenPresentAndRatingsToWords)
{
    const std::vector<IncomingFilm> films = ReadImdbExport(
                                                "Const,Title,Original Title,Year,Directors,Your Rating\n"
                                                "tt1,Grădina,Der Garten,1980,\"A, B\",7\n"
                                                "tt2,Lună nouă,,2001,C,\n"
                                                "tt3,  Spaced  ,  ,2010,,1\n",
                                                "r.csv")
                                                .films;
    ASSERT_EQ(films.size(), 3u);
    EXPECT_EQ(films[0].strOriginalTitle, "Der Garten");
    EXPECT_EQ(films[0].strTitle, "Grădina");
    EXPECT_EQ(films[0].strDirector, "A, B");
    EXPECT_EQ(films[0].list, TargetList::Seen);
    EXPECT_EQ(films[0].rating, TextToRating("Foarte bun"));
    EXPECT_EQ(films[0].nViewings, 1);
    EXPECT_EQ(films[1].strOriginalTitle, "Lună nouă");  // an empty Original Title falls back
    EXPECT_EQ(films[1].list, TargetList::ToSee);
    EXPECT_EQ(films[2].strOriginalTitle, "Spaced");
    EXPECT_EQ(films[2].rating, TextToRating("Slab"));

    try {
        ReadImdbExport("Title,Your Rating\nA,7\nB,11\n", "r.csv");
        FAIL() << "a rating of 11 was taken";
    } catch (const InputRefused& refused) {
        EXPECT_EQ(refused.Line(), 3);
    }
    EXPECT_THROW(ReadImdbExport("Const,Name\ntt1,A\n", "r.csv"), InputRefused);
}

TEST(LetterboxdImportTest, RatingsDiaryAndReviewsMakeOneFilm)
{
    const std::map<std::string, std::string> files = {
        {"watched.csv", "Date,Name,Year\n1,Alpha,2000\n2,Beta,2001\n"},
        {"ratings.csv", "Name,Year,Rating\nAlpha,2000,4\n"},
        {"diary.csv", "Name,Year,Rating\nAlpha,2000,1\nAlpha,2000,\nBeta,2001,2.5\nGamma,1990,\n"},
        {"reviews.csv", "Name,Year,Review\nBeta,2001,\"one\nline\"\nBeta,2001,two\n"},
        {"watchlist.csv", "Name,Year\nDelta,1950\n"},
    };
    const std::vector<IncomingFilm> films = ReadLetterboxdExport(files, "export").films;
    ASSERT_EQ(films.size(), 4u);
    EXPECT_EQ(films[0].strOriginalTitle, "Alpha");
    EXPECT_EQ(films[0].rating, TextToRating("Excelent"));  // ratings.csv wins over the diary
    EXPECT_EQ(films[0].nViewings, 2);
    EXPECT_EQ(films[1].rating, TextToRating("Bun"));  // 2.5 stars from the diary
    EXPECT_EQ(films[1].nViewings, 1);
    EXPECT_EQ(films[1].strComment, "one\r\nline\r\n\r\ntwo");
    EXPECT_EQ(films[2].strOriginalTitle, "Gamma");
    EXPECT_FALSE(films[2].rating);
    EXPECT_EQ(films[2].strFile, "export/diary.csv");
    EXPECT_EQ(films[2].nLine, 5);
    EXPECT_EQ(films[3].list, TargetList::ToSee);

    try {
        ReadLetterboxdExport({{"ratings.csv", "Name,Rating\nA,3\nB,7\n"}}, "export");
        FAIL() << "seven stars were taken";
    } catch (const InputRefused& refused) {
        EXPECT_EQ(refused.File(), "export/ratings.csv");
        EXPECT_EQ(refused.Line(), 3);
    }
    EXPECT_THROW(ReadLetterboxdExport({{"profile.csv", "x\n"}}, "export"), InputRefused);
}

class ImportPlanTest : public ::testing::Test {
protected:
    TempDir m_dir;
    Catalogue m_catalogue;
};

TEST_F(ImportPlanTest, SkipsWhatIsThereAndMovesToSeeFilmsWithTheirNotes)
{
    OpenCatalogueFolder(m_catalogue, m_dir.Path(), false);
    {
        ImportPlan plan(m_catalogue, TextToRating("Bun"));
        plan.Add(Film("Later", TargetList::ToSee));
        plan.Add(Film("Moved", TargetList::ToSee));
        plan.Add(Film("Noted", TargetList::ToSee));
        ASSERT_TRUE(plan.Commit().empty());
    }
    ASSERT_TRUE(WriteCommentFile(m_catalogue.CommentDir(kToSeeList), "Moved", "old\r\nnote"));
    ASSERT_TRUE(WriteCommentFile(m_catalogue.CommentDir(kToSeeList), "Noted", "kept"));
    // A seen comment left behind by an earlier title of the same name.
    std::filesystem::create_directories(m_catalogue.CommentDir(kSeenList));
    ASSERT_TRUE(WriteCommentFile(m_catalogue.CommentDir(kSeenList), "Noted", "orphan"));

    Catalogue catalogue;
    OpenCatalogueFolder(catalogue, m_dir.Path(), true);
    ImportPlan plan(catalogue, TextToRating("Excelent"));
    plan.Add(Film("Moved", TargetList::Seen, TextToRating("Deosebit"), 3, "new text"));
    plan.Add(Film("Noted", TargetList::Seen));
    plan.Add(Film("Moved", TargetList::Seen, TextToRating("Slab")));  // now seen: skipped
    plan.Add(Film("Moved", TargetList::ToSee));                       // seen already: skipped
    plan.Add(Film("Later", TargetList::ToSee));                       // to see already: skipped
    ASSERT_TRUE(plan.Commit().empty());

    const ImportSummary& summary = plan.Summary();
    EXPECT_EQ(summary.nSeenAdded, 2);
    EXPECT_EQ(summary.nMoved, 2);
    EXPECT_EQ(summary.nToSeeAdded, 0);
    ASSERT_EQ(summary.skipped.size(), 3u);
    EXPECT_EQ(summary.skipped[1].strReason, "already in the seen list");
    EXPECT_EQ(summary.skipped[2].strReason, "already in the to-see list");
    EXPECT_EQ(summary.unrated, std::vector<std::string>{"Noted"});

    Catalogue reread;
    OpenCatalogueFolder(reread, m_dir.Path(), true);
    EXPECT_EQ(reread.m_nSeenCount, 2);
    EXPECT_EQ(reread.m_nToSeeCount, 1);
    const CFilm* pMoved = Find(reread.m_pSeenList, "Moved");
    ASSERT_NE(pMoved, nullptr);
    EXPECT_EQ(pMoved->m_nRating, TextToRating("Deosebit"));
    EXPECT_EQ(pMoved->m_nViewings, 3);
    EXPECT_EQ(Find(reread.m_pSeenList, "Noted")->m_nRating, TextToRating("Excelent"));
    EXPECT_EQ(ReadComment(reread.CommentDir(kSeenList), "Moved"), "old\r\nnote\r\n\r\nnew text");
    EXPECT_EQ(ReadComment(reread.CommentDir(kSeenList), "Noted"), "orphan\r\n\r\nkept");
    std::string strLeft;
    EXPECT_FALSE(ReadCommentFile(reread.CommentDir(kToSeeList), "Moved", strLeft));
    EXPECT_FALSE(ReadCommentFile(reread.CommentDir(kToSeeList), "Noted", strLeft));
}

// Titles go into the code page; a title that changes on the way is listed,
// and the skip compares the stored form, so "★" and "?" are the same film.
TEST_F(ImportPlanTest, ConvertedTitlesAreListed)
{
    OpenCatalogueFolder(m_catalogue, m_dir.Path(), false);
    ImportPlan plan(m_catalogue, TextToRating("Bun"));
    plan.Add(Film("Stea \u2605 mare", TargetList::Seen, 0));
    plan.Add(Film("\u0218ah \u00eenc\u0103 \u0163ine", TargetList::Seen, 0));  // comma-below S
    plan.Add(Film("Pădure", TargetList::Seen, 0));
    plan.Add(Film("Stea ? mare", TargetList::Seen, 0));
    const ImportSummary& summary = plan.Summary();
    ASSERT_EQ(summary.converted.size(), 2u);
    EXPECT_EQ(summary.converted[0].strTo, "Stea ? mare");
    EXPECT_EQ(summary.converted[1].strTo, "\u015eah \u00eenc\u0103 \u0163ine");
    ASSERT_EQ(summary.skipped.size(), 1u);
    plan.Finish();
    EXPECT_NE(Find(m_catalogue.m_pSeenList, Utf8ToAnsi("Pădure")), nullptr);
}

TEST_F(ImportPlanTest, RefusesWhatTheArchiveCannotHoldAndArchivesThatDoNotReadWhole)
{
    OpenCatalogueFolder(m_catalogue, m_dir.Path(), false);
    ImportPlan plan(m_catalogue, TextToRating("Bun"));
    IncomingFilm broken = Film("Two\nlines", TargetList::Seen, 1);
    broken.nLine = 7;
    try {
        plan.Add(broken);
        FAIL() << "a title with a line break was taken";
    } catch (const InputRefused& refused) {
        EXPECT_EQ(refused.Line(), 7);
    }
    EXPECT_THROW(plan.Add(Film("  ", TargetList::Seen, 1)), InputRefused);
    EXPECT_THROW(plan.Add(Film("up\\..\\..\\out", TargetList::Seen, 1)), InputRefused);
    plan.Finish();
    EXPECT_EQ(m_catalogue.m_pSeenList, nullptr);  // nothing refused went into the list

    WriteBytes(m_dir / "tosee.cta", "cinetrove\r\nquonwerk\r\n1\r\nA\r\nB\r\n");
    Catalogue catalogue;
    try {
        OpenCatalogueFolder(catalogue, m_dir.Path(), false);
        FAIL() << "a cut archive was loaded";
    } catch (const InputRefused& refused) {
        EXPECT_EQ(refused.File(), m_dir / "tosee.cta");
        EXPECT_EQ(refused.Line(), 6);
    }
}

// Every imported film fits its list: the catalogue CSV refuses a seen row
// that says it was not seen, with its line; a row to see becomes one; a site
// import's seen film without a rating or a viewing takes the unrated word
// and one viewing.
TEST_F(ImportPlanTest, EveryFilmFitsItsListOrIsRefused)
{
    const std::string kHeader = "Lista,Titlu original,Calificativ,Vizionari\n";
    for (const auto& [strRow, strWhy] : {std::pair{"vazute,Ghost,De vazut,1\n", "cannot be rated \"De vazut\""},
                                         std::pair{"vazute,Ghost,Bun,0\n", "has at least 1 viewing, not 0"},
                                         std::pair{"vazute,Ghost,De vazut,0\n", "cannot be rated \"De vazut\""}}) {
        try {
            ReadCatalogueCsv(kHeader + "de vazut,Fine,,\n" + strRow, "films.csv");
            FAIL() << "taken: " << strRow;
        } catch (const InputRefused& refused) {
            EXPECT_EQ(refused.Line(), 3) << strRow;
            EXPECT_NE(std::string(refused.what()).find(strWhy), std::string::npos) << refused.what();
        }
    }

    OpenCatalogueFolder(m_catalogue, m_dir.Path(), false);
    ImportPlan plan(m_catalogue, TextToRating("Foarte bun"));
    for (IncomingFilm film :
         ReadCatalogueCsv(kHeader + "de vazut,Later,Excelent,3\nvazute,Seen,,\n", "films.csv").films) {
        plan.Add(film);
    }
    IncomingFilm unseen = Film("Site", TargetList::Seen, TextToRating("De vazut"), 0);
    plan.Add(unseen);
    plan.Finish();
    const CFilm* pLater = Find(m_catalogue.m_pToSeeList, "Later");
    ASSERT_NE(pLater, nullptr);
    EXPECT_EQ(pLater->m_nRating, kToSeeRating);
    EXPECT_EQ(pLater->m_nViewings, 0);
    for (const char* pTitle : {"Seen", "Site"}) {
        const CFilm* pFilm = Find(m_catalogue.m_pSeenList, pTitle);
        ASSERT_NE(pFilm, nullptr) << pTitle;
        EXPECT_EQ(pFilm->m_nRating, TextToRating("Foarte bun")) << pTitle;
        EXPECT_EQ(pFilm->m_nViewings, 1) << pTitle;
    }
    EXPECT_EQ(plan.Summary().unrated, (std::vector<std::string>{"Seen", "Site"}));
}
