// Which films are the same: title and year, an empty year matching any, or
// an id of the side file; what the side file gives back to Letterboxd; the
// spreadsheet's --replace; the archive's 253 characters.
#include "ArchiveText.h"
#include "CatalogueCsv.h"
#include "CatalogueFolder.h"
#include "CatalogueReplace.h"
#include "CodePage.h"
#include "FileBytes.h"
#include "FilmIds.h"
#include "FilmList.h"
#include "ImportPlan.h"
#include "LetterboxdExport.h"
#include "Rating.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

IncomingFilm Film(const std::string& strTitle, const std::string& strYear, const std::string& strImdbId = {},
                  std::optional<int> points = 8)
{
    IncomingFilm film;
    film.strFile = "in.csv";
    film.nLine = 2;
    film.strOriginalTitle = film.strTitle = strTitle;
    film.strYear = strYear;
    film.strImdbId = strImdbId;
    film.sitePoints = points;
    if (points) film.rating = TextToRating("Excelent");
    film.nViewings = 1;
    return film;
}

int CountOf(const CFilmNode* pHead, const std::string& strTitle)
{
    int n = 0;
    for (; pHead != nullptr; pHead = pHead->m_pNext) n += pHead->m_pFilm->m_strOriginalTitle == strTitle;
    return n;
}

}  // namespace

TEST(IdentityTest, RemakesAreTakenAndLaterExportsMatchById)
{
    TempDir dir;
    {
        Catalogue folder;
        OpenCatalogueFolder(folder, dir.Path(), false);
        ImportPlan plan(folder, TextToRating("Bun"));
        plan.Add(Film("Dune", "1984", "tt1"));
        plan.Add(Film("Dune", "2021", "tt2"));
        plan.Add(Film("Dune", ""));  // no year, no id: the same as the first
        plan.Add(Film("Twins", "2023", "tt3"));
        plan.Add(Film("Twins", "2023", "tt4"));  // another film of that name and year
        plan.Add(Film("28 Days Later...", "2002", "tt5"));
        plan.Add(Film("Unrated", "2000", "tt6", std::nullopt));
        EXPECT_EQ(plan.Summary().nSeenAdded, 6);
        ASSERT_TRUE(plan.Commit().empty());
        EXPECT_EQ(CountOf(folder.m_pSeenList, "Dune"), 2);
        EXPECT_EQ(CountOf(folder.m_pSeenList, "Twins"), 2);
    }
    // The site renamed a film since: its id still finds it.
    Catalogue folder;
    OpenCatalogueFolder(folder, dir.Path(), true);
    ImportPlan plan(folder, TextToRating("Bun"));
    plan.Add(Film("28 Days Later", "2002", "tt5"));
    plan.Add(Film("Twins", "2023", "tt4"));
    EXPECT_EQ(plan.Summary().nSeenAdded, 0);
    EXPECT_EQ(plan.Summary().skipped.size(), 2u);

    // Letterboxd gets the site's 8, not the word's 9, while the word is
    // the one 8 gave; nothing for the film imported unrated; the word's
    // points once the word changed.
    FilmIds ids;
    ids.Load(dir.Path());
    folder.UpdateFilm(kSeenList, "Dune", FilmEntry{"Dune", "Dune", "", "2021", "", "", TextToRating("Slab"), 1});
    const std::string csv = WriteLetterboxdCsv(folder, ids);
    EXPECT_NE(csv.find(",tt5,28 Days Later...,2002,,8,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",tt6,Unrated,2000,,,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",Dune,2021,,2,"), std::string::npos) << csv;

    // A damaged side file stops nothing and is set aside.
    WriteBytes(dir / "ids.csv", "list,original title\n\"never closed\n");
    Catalogue again;
    OpenCatalogueFolder(again, dir.Path(), true);
    ImportPlan damaged(again, TextToRating("Bun"));
    damaged.Add(Film("Dune", "1984", "tt1"));
    damaged.Add(Film("New", "2001", "tt7"));
    ASSERT_EQ(damaged.Summary().notes.size(), 1u);
    EXPECT_EQ(damaged.Summary().nSeenAdded, 1);
    ASSERT_TRUE(damaged.Commit().empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "ids.csv.damaged"));
}

TEST(IdentityTest, LettersAndLengthsTheArchiveCanHold)
{
    IncomingFilm film = Film("千と千尋の神隠し", "2001");
    film.strTitle = "Spirited Away";
    std::string strDirectors;
    for (int i = 0; i < 30; ++i) strDirectors += (i ? ", " : "") + std::string("Director Number ") + std::to_string(i);
    film.strDirector = strDirectors;
    const ArchiveTexts texts = ToArchiveTexts(film);
    EXPECT_TRUE(texts.bOriginalFromTitle);
    EXPECT_EQ(texts.strOriginalTitle, "Spirited Away");
    EXPECT_LE(texts.strDirector.size(), kMaxArchiveLine);
    EXPECT_TRUE(texts.strDirector.ends_with("Director Number 12")) << texts.strDirector;
    ASSERT_EQ(texts.shortened.size(), 1u);
    EXPECT_EQ(ShortenedText(std::string(300, 'x'), kMaxArchiveLine, true).size(), kMaxArchiveLine);
    // A title with some letters the code page lacks stays as it is.
    EXPECT_FALSE(ToArchiveTexts(Film("Ono 千", "1")).bOriginalFromTitle);
}

TEST(IdentityTest, SplitLetterboxdFilesKeepTheirHeader)
{
    std::string csv = "Title,Year\r\n";
    for (int i = 0; i < 100; ++i) csv += "Film " + std::to_string(i) + ",2000\r\n";
    const std::vector<std::string> parts = SplitCsv(csv, 200);
    ASSERT_GT(parts.size(), 1u);
    std::string strJoined = parts[0];
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_LE(parts[i].size(), 200u);
        EXPECT_TRUE(parts[i].starts_with("Title,Year\r\n"));
        if (i > 0) strJoined += parts[i].substr(12);
    }
    EXPECT_EQ(strJoined, csv);
    EXPECT_EQ(PartNames("out/seen.csv", 2), (std::vector<std::string>{"out/seen-1.csv", "out/seen-2.csv"}));
}

TEST(IdentityTest, ReplaceMakesTheListsTheRowsAndKeepsTheOldArchives)
{
    TempDir dir;
    Catalogue folder;
    OpenCatalogueFolder(folder, dir.Path(), false);
    {
        ImportPlan plan(folder, TextToRating("Bun"));
        plan.Add(Film("Gone", "1990"));
        ASSERT_TRUE(plan.Commit().empty());
    }
    const IncomingRows rows = ReadCatalogueCsv(
        "Lista,Titlu original,Titlu,Tara,An,Regia,Distributia,Calificativ,Vizionari,Comentariu\r\n"
        "vazute,Twin,,,1999,A,,Slab,1,first\r\n"
        "vazute,Twin,,,1999,B,,Bun,2,second\r\n"
        "de vazut,Later,,,,,,,,\r\n",
        "edited.csv");
    CatalogueReplace replace(folder, TextToRating("Bun"));
    replace.Plan(rows.films);
    ASSERT_TRUE(replace.Commit().empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "filme.cta.1"));
    Catalogue reread;
    OpenCatalogueFolder(reread, dir.Path(), true);
    ASSERT_EQ(reread.m_nSeenCount, 2);
    EXPECT_EQ(reread.m_nToSeeCount, 1);
    EXPECT_EQ(std::string(reread.m_pSeenList->m_pFilm->m_strDirector), "A");  // the file's order
    EXPECT_EQ(reread.m_pSeenList->m_pNext->m_pFilm->m_nRating, TextToRating("Bun"));
    EXPECT_EQ(ReadComment(reread.CommentDir(kSeenList), "Twin"), "first\r\n\r\nsecond");
}

// The side file separates ids with spaces: an id holding one would read
// back as a false id of another site.
TEST(IdentityTest, AnIdWithABlankIsNotKept)
{
    IncomingFilm film = Film("Odd", "2000", "tt1 trakt:2");
    film.strTraktId = "9";
    EXPECT_EQ(IdsOf(film), std::vector<std::string>{"trakt:9"});
}
