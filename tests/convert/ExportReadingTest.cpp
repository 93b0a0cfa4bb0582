// The readers on made-up files in the real layouts: which rows are films,
// which columns and encodings, reviews as text, the Letterboxd ZIP's folder,
// Tellico's own collections and the spreadsheet's CSV.
#include "CatalogueCsv.h"
#include "HtmlText.h"
#include "ImdbImport.h"
#include "InputRefused.h"
#include "LetterboxdImport.h"
#include "Rating.h"
#include "TellicoImport.h"
#include "TempDir.h"
#include "TextTools.h"
#include "ZipFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Titles(const IncomingRows& rows)
{
    std::vector<std::string> titles;
    for (const IncomingFilm& film : rows.films) titles.push_back(film.strOriginalTitle);
    return titles;
}

}  // namespace

TEST(ImdbLayoutTest, EveryLayoutTakesFilmsOnlyWithTheirRatings)
{
    // Pre-2017: every field quoted, "const", "Title type", "You rated".
    const IncomingRows old = ReadImdbExport(ReadWholeFile(CONVERT_FIXTURES "/imdb/ratings-2015.csv"), "r.csv");
    EXPECT_EQ(Titles(old), (std::vector<std::string>{"Ο φάρος", "Deep Current", "Копейка"}));
    EXPECT_EQ(old.films[0].rating, TextToRating("Excelent"));
    EXPECT_EQ(old.films[0].strImdbId, "tt9100001");
    EXPECT_EQ(old.films[2].list, TargetList::ToSee);
    ASSERT_EQ(old.leftOut.size(), 2u);
    EXPECT_EQ(old.leftOut[1].strWhy, "Mini-Series");
    EXPECT_TRUE(old.notes.empty());

    // Today's layout from an Italian account: localised types, one no table knows.
    const std::string italian = ReadWholeFile(CONVERT_FIXTURES "/imdb/ratings-it-2025.csv");
    const IncomingRows it = ReadImdbExport(italian, "it.csv");
    EXPECT_EQ(Titles(it), (std::vector<std::string>{"La nave bianca", "La nave bianca", "千と千尋の神隠し", "Cortina",
                                                    "Dal vivo"}));
    EXPECT_EQ(it.leftOut.size(), 3u);  // Serie TV, Episodio TV, Videogioco
    ASSERT_EQ(it.unknownTypes.size(), 1u);
    EXPECT_EQ(it.unknownTypes[0].strWhy, "Evento dal vivo");
    EXPECT_EQ(it.films[0].sitePoints, 7);
    EXPECT_EQ(ReadImdbExport(italian, "it.csv", true).films.size(), 8u);

    // 2017-2023 list layout saved as Windows-1252, camelCase types.
    const IncomingRows list =
        ReadImdbExport(ReadWholeFile(CONVERT_FIXTURES "/imdb/watchlist-2021-cp1252.csv"), "w.csv");
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Amélie du port", "180° Nord"}));
    EXPECT_EQ(list.films[0].strDirector, "Jean Brûlé");
    EXPECT_EQ(list.films[1].list, TargetList::Seen);
    EXPECT_EQ(list.notes, std::vector<std::string>{"w.csv: not valid UTF-8, read as Windows-1252"});
}

TEST(HtmlTextTest, ReviewsBecomePlainText)
{
    EXPECT_EQ(HtmlToText("<blockquote>“Quoted”<blockquote>\n\n<i>Good</i> &amp; <b>bad</b>&hellip;<br>Next<br/>"
                         "<p>Para</p>End"),
              "“Quoted”\n\nGood & bad…\nNext\nPara\nEnd");
    EXPECT_EQ(HtmlToText("See <a href=\"https://boxd.it/x1\">2022 Ranked</a> | <a href='https://a.b/c'>"
                         "https://a.b/c\u00A0</a>"),
              "See 2022 Ranked (https://boxd.it/x1) | https://a.b/c\u00A0");
    EXPECT_EQ(HtmlToText("<3 and a < b, &#233;&#x41;, &bogus; &"), "<3 and a < b, éA, &bogus; &");
}

TEST(LetterboxdLayoutTest, NestedZipRewatchesAndReviews)
{
    TempDir dir;
    const std::string strZip = dir / "export.zip";
    ASSERT_TRUE(WriteZipFile(strZip, {{"user-2025-02-03/watched.csv",
                                       "Date,Name,Year,Letterboxd URI\r\n2022-08-17,Dunes,1984,https://boxd.it/f1\r\n"
                                       "2022-08-17,Dunes,2021,https://boxd.it/f2\r\n"},
                                      {"user-2025-02-03/diary.csv",
                                       "Date,Name,Year,Letterboxd URI,Rating,Rewatch,Tags,Watched Date\r\n"
                                       "2022-09-01,Dunes,1984,https://boxd.it/e2,4,,,2022-08-30\r\n"
                                       "2022-08-18,Dunes,1984,https://boxd.it/e1,5,Yes,,2022-07-31\r\n"
                                       "2022-08-19,Dunes,2021,https://boxd.it/e3,3,,,2022-08-04\r\n"
                                       "2022-08-20,Dunes,2021,https://boxd.it/e4,3,Yes,,2022-08-05\r\n"},
                                      {"user-2025-02-03/reviews.csv",
                                       "Date,Name,Year,Letterboxd URI,Rating,Rewatch,Review\r\n"
                                       "2022-09-01,Dunes,1984,https://boxd.it/e2,4,,<i>Sand</i>.<br>Again\r\n"},
                                      {"user-2025-02-03/deleted/diary.csv", "Name,Year\r\nGone,1990\r\n"},
                                      {"deleted/diary.csv", "Name,Year\r\nGone,1990\r\n"}}));
    const IncomingRows rows = ReadLetterboxdExport(LoadLetterboxdFiles(strZip), strZip);
    ASSERT_EQ(Titles(rows), (std::vector<std::string>{"Dunes", "Dunes"}));
    // The earliest entry of the 1984 film is a rewatch, the 2021 film's is not.
    EXPECT_EQ(rows.films[0].nViewings, 3);
    EXPECT_EQ(rows.films[1].nViewings, 2);
    EXPECT_EQ(rows.films[0].strLetterboxdUri, "https://boxd.it/f1");  // the film's page, not the entry's
    EXPECT_EQ(rows.films[0].strWatchedDate, "2022-08-30");
    EXPECT_EQ(rows.films[0].sitePoints, 8);
    EXPECT_EQ(rows.films[0].strComment, "Sand.\r\nAgain");

    ASSERT_TRUE(
        WriteZipFile(dir / "two.zip", {{"a/watched.csv", "Name\r\nX\r\n"}, {"b/watched.csv", "Name\r\nY\r\n"}}));
    EXPECT_THROW(LoadLetterboxdFiles(dir / "two.zip"), InputRefused);
}

TEST(TellicoImportTest, TellicosOwnCollectionReadsAsFilms)
{
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\"><collection title=\"My Videos\" "
        "type=\"3\"><fields><field name=\"_default\"/></fields>"
        "<entry id=\"1\"><title>Lanterns</title><year>2008</year><nationalitys><nationality>Canada</nationality>"
        "<nationality>France</nationality></nationalitys><directors><director>A. One</director><director>B. Two"
        "</director></directors><casts><cast><column>Ann Lee</column><column>Mara</column></cast><cast>"
        "<column>Tom Fenn</column><column>Joe</column></cast></casts><rating>4</rating>"
        "<comments>Lovely &lt;b&gt;light&lt;/b&gt;&lt;br/&gt;second</comments></entry>"
        "<entry id=\"2\"><title>Unrated</title></entry>"
        "<entry id=\"3\"><title>Rated</title><origtitle>Bewertet</origtitle><rating>9</rating></entry>"
        "</collection></tellico>";
    try {
        ReadTellicoXml(xml, "c.xml", TargetList::Seen);
        FAIL() << "a rating of 9 was taken";
    } catch (const InputRefused& refused) {
        EXPECT_NE(std::string(refused.what()).find("entry 3"), std::string::npos);
    }
    const std::string strGood = xml.substr(0, xml.find("<entry id=\"3\"")) + "</collection></tellico>";
    const IncomingRows rows = ReadTellicoXml(strGood, "c.xml", TargetList::Seen);
    ASSERT_EQ(rows.films.size(), 2u);
    const IncomingFilm& film = rows.films[0];
    EXPECT_EQ(film.strOriginalTitle, "Lanterns");
    EXPECT_EQ(film.strTitle, "Lanterns");
    EXPECT_EQ(film.strCountry, "Canada, France");
    EXPECT_EQ(film.strDirector, "A. One, B. Two");
    EXPECT_EQ(film.strCast, "Ann Lee, Tom Fenn");
    EXPECT_EQ(film.rating, TextToRating("Foarte bun"));
    EXPECT_EQ(film.nViewings, 1);
    EXPECT_EQ(film.strComment, "Lovely light\r\nsecond");
    EXPECT_FALSE(rows.films[1].rating);  // takes --unrated
    EXPECT_EQ(ReadTellicoXml(strGood, "c.xml", TargetList::ToSee).films[0].rating, TextToRating("De vazut"));
}

TEST(CatalogueCsvTest, ASpreadsheetsSemicolonsCodePageAndLineFeeds)
{
    // Excel on Romanian Windows: Windows-1250, ';', a bare LF inside a cell.
    const IncomingRows rows = ReadCatalogueCsv(
        "Lista;Titlu original;Titlu;Tara;An;Regia;Distributia;Calificativ;Vizionari;Comentariu\r\n"
        "vazute;P\xE3"
        "durea;;Rom\xE2nia;1983;\"Vlad, Ion\";;Foarte bun;2;\"first\nsecond\"\r\n",
        "excel.csv");
    ASSERT_EQ(rows.films.size(), 1u);
    EXPECT_EQ(rows.films[0].strOriginalTitle, "Pădurea");
    EXPECT_EQ(rows.films[0].strDirector, "Vlad, Ion");
    EXPECT_EQ(rows.films[0].rating, TextToRating("Foarte bun"));
    EXPECT_EQ(rows.films[0].strComment, "first\r\nsecond");
    EXPECT_EQ(rows.notes, std::vector<std::string>{"excel.csv: not valid UTF-8, read as Windows-1250"});
}
