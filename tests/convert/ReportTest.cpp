// The report page on a made-up catalogue: hostile texts escaped everywhere
// they appear, every film a row of the table, nothing fetched from outside,
// the year of the diary and its months; the bar charts' lengths and labels.
#include "Catalogue.h"
#include "CodePage.h"
#include "ReportHtml.h"
#include "SvgChart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kHostile = "</td><script>alert('x & y')</script> \"Q\"\x01";
const std::string kHostileEscaped = "&lt;/td&gt;&lt;script&gt;alert(&#39;x &amp; y&#39;)&lt;/script&gt; &quot;Q&quot; ";

void Add(Catalogue& catalogue, int nList, const std::string& strTitle, const std::string& strCountry,
         const std::string& strDirector, int nRating, int nViewings)
{
    catalogue.AddFilm(nList, FilmEntry{Utf8ToAnsi(strTitle), "", Utf8ToAnsi(strCountry), "1999",
                                       Utf8ToAnsi(strDirector), "", nRating, nViewings});
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

// The text from `from` to the first `to` after it.
std::string Between(const std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t nStart = text.find(from);
    if (nStart == std::string::npos) return {};
    return text.substr(nStart, text.find(to, nStart) - nStart);
}

Diary::Row Viewing(const std::string& strTitle, const std::string& strDate, bool bRewatch = false)
{
    return {true, strTitle, "1999", strDate, bRewatch, "watched"};
}

Diary DiaryOf(const std::vector<Diary::Row>& rows)
{
    Diary diary;
    for (const Diary::Row& row : rows) diary.Add(row);
    return diary;
}

}  // namespace

TEST(ReportTest, EveryFilmIsARowEveryTextEscapedAndNothingComesFromOutside)
{
    Catalogue catalogue;
    Add(catalogue, kSeenList, kHostile, "<RO>", "Ana & Co", 5, 7);
    Add(catalogue, kSeenList, "Pădurea de sticlă", "", "Ana & Co", 2, 1);
    // Twelve countries, and a film without one: ten bars, and a line for it.
    for (int i = 0; i < 12; ++i) {
        Add(catalogue, kSeenList, "Film " + std::to_string(i), "Country " + std::string(1, char('A' + i)), "", 3, 1);
    }
    Add(catalogue, kToSeeList, "Ştrengarii", "Romania", "", 6, 0);
    const int nFilms = catalogue.m_nSeenCount + catalogue.m_nToSeeCount;
    const std::string page = WriteReportHtml(catalogue, DiaryOf({Viewing(kHostile, "2024-05-01")}), "");

    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"ro\">"));
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(page.find(kHostile), std::string::npos);
    EXPECT_EQ(page.find("<RO>"), std::string::npos);
    // In the table, the most viewed chart and the year's films.
    EXPECT_EQ(Occurrences(page, kHostileEscaped), 3u);
    EXPECT_NE(page.find("<td>Ana &amp; Co<td>"), std::string::npos);
    EXPECT_NE(page.find("<td>Pădurea de sticlă<td>"), std::string::npos);
    EXPECT_EQ(Occurrences(page, "<script"), 1u);
    for (const char* pExternal : {"src=", "href=", "@import", "url(", "<link", "<img", "<iframe", "<object"}) {
        EXPECT_EQ(page.find(pExternal), std::string::npos) << pExternal;
    }

    EXPECT_NE(page.find("<strong>14</strong> Filme vazute</li><li><strong>1</strong> De vazut</li>"
                        "<li><strong>20</strong> Vizionari</li>"),
              std::string::npos);
    const std::string countries = Between(page, "<h2>Tari (primele 10)</h2>", "</section>");
    EXPECT_EQ(Occurrences(countries, "<rect "), 10u);
    EXPECT_NE(countries.find("1 film fara tara"), std::string::npos);

    const std::string table = Between(page, "<table id=\"catalogue\">", "</table>");
    EXPECT_EQ(Occurrences(table, "<tr>"), static_cast<std::size_t>(nFilms) + 1);  // and the headings
    EXPECT_EQ(Occurrences(table, "<tr><td>vazute<td>"), static_cast<std::size_t>(catalogue.m_nSeenCount));
    EXPECT_NE(table.find("<tr><td>de vazut<td>Ştrengarii<td><td>Romania<td>1999<td><td>De vazut<td>0<td>\n"),
              std::string::npos);
    EXPECT_NE(table.find(">Lista<th>Titlu original<th>Titlu<th>Tara<th data-type=\"num\">An<th>Regia<th data-order="
                         "\"Slab|Mediocru|Bun|Foarte bun|Excelent|Deosebit|De vazut\">Calificativ"
                         "<th data-type=\"num\">Vizionari<th>Distributia</thead>"),
              std::string::npos);
}

TEST(ReportTest, TheYearIsTheDiarysLastUnlessOneIsAsked)
{
    Catalogue catalogue;
    Add(catalogue, kSeenList, "Alpha", "RO", "", 3, 4);
    const Diary diary = DiaryOf({
        Viewing("Alpha", "2025-03-09"),
        Viewing("Alpha", "2023-12-31"),
        Viewing("Beta", "2025-01-18", true),
        Viewing("Gamma", "2025-03-01"),
        Viewing("Alpha", "2024-07-07"),
    });

    const std::string last = WriteReportHtml(catalogue, diary, "");
    const std::string months = Between(last, "<h2>Vizionari pe luni in 2025</h2>", "</section>");
    EXPECT_EQ(Occurrences(months, "<title>"), 12u);
    EXPECT_NE(months.find("<title>ian: 1</title>"), std::string::npos);
    EXPECT_NE(months.find("<title>mar: 2</title>"), std::string::npos);
    EXPECT_EQ(Occurrences(months, ": 0</title>"), 10u);
    // The year's rows by date, the rewatch marked.
    const std::string films = Between(last, "<h2>Filmele anului 2025</h2>", "</section>");
    EXPECT_NE(films.find("<tr><td>2025-01-18<td>Beta<td>1999<td>da\n<tr><td>2025-03-01<td>Gamma<td>1999<td>\n"
                         "<tr><td>2025-03-09<td>Alpha<td>1999<td>\n</tbody>"),
              std::string::npos)
        << films;

    const std::string asked = WriteReportHtml(catalogue, diary, "2023");
    EXPECT_NE(Between(asked, "<h2>Vizionari pe luni in 2023</h2>", "</section>").find("<title>dec: 1</title>"),
              std::string::npos);
    EXPECT_EQ(Occurrences(Between(asked, "<h2>Filmele anului 2023</h2>", "</section>"), "<tr><td>"), 1u);

    const std::string none = WriteReportHtml(catalogue, diary, "2019");
    EXPECT_EQ(Occurrences(Between(none, "<h2>Vizionari pe luni in 2019</h2>", "</section>"), ": 0</title>"), 12u);
    EXPECT_NE(none.find("<h2>Filmele anului 2019</h2>\n<p class=\"empty\">Nicio vizionare datata in 2019</p>"),
              std::string::npos);

    const std::string without = WriteReportHtml(catalogue, Diary(), "");
    EXPECT_EQ(without.find("Vizionari pe luni"), std::string::npos);
    EXPECT_NE(without.find("Nicio vizionare datata in jurnal"), std::string::npos);
}

TEST(ReportTest, BarsAreAsLongAsTheirValuesAndLongLabelsAreCut)
{
    std::string svg;
    const std::string strLong = "Ştrengarii " + std::string(40, 'x');
    AppendSvgChart(svg, "T<", {{"a&b", 1234}, {strLong, 617}, {"none", 0}}, ChartShape::Bars);
    EXPECT_TRUE(svg.starts_with("<svg class=\"chart\" role=\"img\" aria-label=\"T&lt;\""));
    EXPECT_NE(svg.find("<title>a&amp;b: 1.234</title>"), std::string::npos);
    EXPECT_NE(svg.find("width=\"320\" height=\"14\""), std::string::npos);
    EXPECT_NE(svg.find("width=\"160\" height=\"14\""), std::string::npos);
    EXPECT_EQ(Occurrences(svg, "<rect "), 2u);  // none for 0
    // The whole label in the title, 32 characters of it on the chart.
    EXPECT_NE(svg.find("<title>" + strLong + ": 617</title>"), std::string::npos);
    EXPECT_NE(svg.find(">Ştrengarii " + std::string(18, 'x') + "...</text>"), std::string::npos);

    std::string columns;
    AppendSvgChart(columns, "M", {{"ian", 3}, {"feb", 0}, {"mar", 1}}, ChartShape::Columns);
    EXPECT_NE(columns.find("height=\"140\" fill="), std::string::npos);
    EXPECT_NE(columns.find("height=\"47\" fill="), std::string::npos);
    EXPECT_EQ(Occurrences(columns, "<rect "), 2u);
}
