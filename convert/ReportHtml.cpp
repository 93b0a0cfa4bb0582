#include "ReportHtml.h"

#include "CatalogueStats.h"
#include "CodePage.h"
#include "FilmColumns.h"
#include "HtmlText.h"
#include "Rating.h"
#include "SvgChart.h"
#include "TextEncoding.h"
#include "TextTools.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr int kTopCountries = 10;
constexpr std::array<const char*, 12> kMonths = {"ian", "feb", "mar", "apr", "mai", "iun",
                                                 "iul", "aug", "sep", "oct", "noi", "dec"};

// The page's look on screen and on paper. Printed: the counts and the
// table only, black on white, the heading of the table on every page.
constexpr std::string_view kStyle = R"(
body{font:14px/1.4 sans-serif;color:#222;background:#fff;margin:1.5em auto;max-width:78em;padding:0 1em}
h1{font-size:1.6em;margin:0 0 .6em}
h2{font-size:1.15em;margin:1.4em 0 .5em}
.counts{display:flex;flex-wrap:wrap;gap:1em;list-style:none;padding:0;margin:0}
.counts li{background:#eef3f9;border-radius:6px;padding:.5em 1.2em}
.counts strong{display:block;font-size:1.6em}
.charts{display:grid;grid-template-columns:repeat(auto-fit,minmax(28em,1fr));gap:0 2em}
.charts>section{min-width:0}
svg.chart{max-width:100%;height:auto}
.empty,.note{color:#555;font-style:italic}
table{border-collapse:collapse}
th,td{text-align:left;padding:.2em .5em;border-bottom:1px solid #ddd;vertical-align:top}
thead th{background:#e4ebf3;position:sticky;top:0}
tbody tr:nth-child(even){background:#f5f7fa}
#catalogue td:nth-child(5),#catalogue td:nth-child(8){text-align:right}
#catalogue th[tabindex]{cursor:pointer}
th[aria-sort=ascending]::after{content:" \25B2"}
th[aria-sort=descending]::after{content:" \25BC"}
.search input{font:inherit;padding:.2em .5em;width:22em}
@page{size:A4;margin:12mm}
@media print{
body{font-size:8pt;margin:0;max-width:none;padding:0}
*{background:none!important;color:#000!important}
.charts,.year,.search{display:none!important}
h2{margin-top:1em}
.counts li{padding:0 1.5em 0 0}
.counts strong{font-size:1.2em}
table{width:100%}
#catalogue td:first-child{white-space:nowrap}
thead{display:table-header-group}
thead th{position:static;border-bottom:1pt solid #000}
tr{break-inside:avoid}
th::after{content:none!important}
}
)";

// Sorts the table by the column of a heading clicked, the other way round
// on a second click: numbers by value, the rating and the list in their own
// order (a heading's data-order), texts as Romanian sorts them. Hides the
// rows that do not hold the text typed, letter case and accents aside. The
// rows are all in the page without it.
constexpr std::string_view kScript = R"(
(function () {
  var table = document.getElementById('catalogue');
  if (!table) return;
  var body = table.tBodies[0], heads = table.tHead.rows[0].cells;
  var rows = Array.prototype.slice.call(body.rows);
  var collator = new Intl.Collator('ro', {sensitivity: 'base', numeric: true});
  var sorted = -1, direction = 1;
  function sortBy(c) {
    direction = c === sorted ? -direction : 1;
    sorted = c;
    var head = heads[c], order = head.getAttribute('data-order');
    var numeric = head.getAttribute('data-type') === 'num';
    order = order ? order.split('|') : null;
    var keyed = rows.map(function (row, i) {
      var text = row.cells[c] ? row.cells[c].textContent : '', k = text;
      if (order) { k = order.indexOf(text); if (k < 0) k = order.length; }
      else if (numeric) { k = parseFloat(text); if (isNaN(k)) k = Number.MAX_VALUE; }
      return {k: k, i: i, row: row};
    });
    var compare = order || numeric ? function (a, b) { return a.k < b.k ? -1 : a.k > b.k ? 1 : 0; }
                                   : function (a, b) { return collator.compare(a.k, b.k); };
    keyed.sort(function (a, b) { return direction * compare(a, b) || a.i - b.i; });
    var fragment = document.createDocumentFragment();
    keyed.forEach(function (e) { fragment.appendChild(e.row); });
    body.appendChild(fragment);
    for (var h = 0; h < heads.length; ++h) heads[h].removeAttribute('aria-sort');
    head.setAttribute('aria-sort', direction > 0 ? 'ascending' : 'descending');
  }
  // The headings themselves take the click and the keys: a button inside
  // one keeps the browser from repeating the heading on printed pages.
  Array.prototype.forEach.call(heads, function (head, c) {
    head.tabIndex = 0;
    head.title = 'Ordoneaza dupa aceasta coloana; inca un clic inverseaza ordinea';
    head.addEventListener('click', function () { sortBy(c); });
    head.addEventListener('keydown', function (e) {
      if (e.key === 'Enter' || e.key === ' ') { e.preventDefault(); sortBy(c); }
    });
  });
  var search = document.getElementById('search'), shown = document.getElementById('shown');
  var texts = null, timer = 0;
  function fold(s) { return s.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase(); }
  function filter() {
    var q = fold(search.value.trim()), n = 0;
    if (!texts) texts = rows.map(function (row) {
      var cells = [];
      for (var c = 0; c < row.cells.length; ++c) cells.push(row.cells[c].textContent);
      return fold(cells.join('\t'));
    });
    rows.forEach(function (row, i) {
      var show = !q || texts[i].indexOf(q) >= 0;
      if (row.hidden === show) row.hidden = !show;
      if (show) ++n;
    });
    shown.textContent = q ? n.toLocaleString('ro-RO') + ' din ' + rows.length.toLocaleString('ro-RO') + ' filme' : '';
  }
  search.addEventListener('input', function () {
    clearTimeout(timer);
    timer = setTimeout(filter, rows.length > 20000 ? 300 : 0);
  });
  document.getElementById('searchbox').hidden = false;
})();
)";

void Append(std::string& out, std::string_view text) { out += text; }

void AppendEscaped(std::string& out, std::string_view utf8) { AppendHtmlEscaped(out, utf8); }

// A text of the catalogue, in the code page.
void AppendAnsi(std::string& out, std::string_view ansi)
{
    // Plain ASCII needs no conversion, and most texts are.
    if (std::all_of(ansi.begin(), ansi.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        AppendHtmlEscaped(out, ansi);
    } else {
        AppendHtmlEscaped(out, AnsiToUtf8(ansi));
    }
}

// A diary text is UTF-8 as the file holds it; a sequence that is not valid
// comes out as "?", as the code page would store it.
void AppendDiaryText(std::string& out, const std::string& strText)
{
    AppendHtmlEscaped(out, IsValidUtf8(strText) ? strText : AnsiToUtf8(Utf8ToAnsi(strText)));
}

void AppendHeading(std::string& out, std::string_view strHeading)
{
    out += "<h2>";
    AppendEscaped(out, strHeading);
    out += "</h2>\n";
}

// One chart under its heading, or a line saying there is nothing to draw.
void AppendChart(std::string& out, std::string_view strHeading, const std::vector<ChartBar>& bars, ChartShape shape,
                 std::string_view strNone, std::string_view strNote = {})
{
    out += "<section>";
    AppendHeading(out, strHeading);
    if (bars.empty()) {
        out += "<p class=\"empty\">";
        AppendEscaped(out, strNone);
        out += "</p>";
    } else {
        AppendSvgChart(out, strHeading, bars, shape);
    }
    if (!strNote.empty()) {
        out += "<p class=\"note\">";
        AppendEscaped(out, strNote);
        out += "</p>";
    }
    out += "</section>\n";
}

std::vector<ChartBar> BarsOf(const CatalogueStats::Counts& counts)
{
    std::vector<ChartBar> bars;
    bars.reserve(counts.size());
    for (const auto& [strName, nCount] : counts) bars.push_back({strName, nCount});
    return bars;
}

// Every rating word in its order, those no film has at 0, then any code
// that is no word.
std::vector<ChartBar> RatingBars(const CatalogueStats::Counts& ratings)
{
    std::vector<ChartBar> bars;
    for (const std::string_view word : kRatingWords) {
        const auto found = std::find_if(ratings.begin(), ratings.end(), [&](const auto& r) { return r.first == word; });
        bars.push_back({std::string(word), found == ratings.end() ? 0 : found->second});
    }
    for (const auto& [strName, nCount] : ratings) {
        if (std::find(kRatingWords.begin(), kRatingWords.end(), strName) == kRatingWords.end()) {
            // "(code 9)"
            bars.push_back({"(cod " + strName.substr(std::min<std::size_t>(6, strName.size())), nCount});
        }
    }
    return bars;
}

std::vector<ChartBar> DecadeBars(const CatalogueStats::Counts& decades)
{
    std::vector<ChartBar> bars;
    for (const auto& [strName, nCount] : decades) {
        // "1970s" as 1970
        bars.push_back({strName == kNoYearName ? "(fara an)" : strName.substr(0, 4), nCount});
    }
    return bars;
}

void AppendCounts(std::string& out, const Catalogue& catalogue, const CatalogueStats& stats)
{
    out += "<ul class=\"counts\">";
    for (const auto& [nCount, pLabel] : {std::pair<long long, const char*>{catalogue.m_nSeenCount, "Filme vazute"},
                                         {catalogue.m_nToSeeCount, "De vazut"},
                                         {stats.nViewings, "Vizionari"}}) {
        out += "<li><strong>";
        out += GroupedNumber(nCount);
        out += "</strong> ";
        out += pLabel;
        out += "</li>";
    }
    out += "</ul>\n";
}

void AppendCharts(std::string& out, const CatalogueStats& stats)
{
    out += "<div class=\"charts\">\n";
    AppendChart(out, "Calificative", RatingBars(stats.ratings), ChartShape::Bars, "Niciun film");
    AppendChart(out, "Pe decenii", DecadeBars(stats.decades), ChartShape::Columns, "Niciun film");

    // The films without a country are no country: a line under the chart.
    std::vector<ChartBar> countries;
    long long nWithout = 0;
    for (const auto& [strName, nCount] : stats.countries) {
        if (strName == kNoCountryName) {
            nWithout = nCount;
        } else if (countries.size() < kTopCountries) {
            countries.push_back({strName, nCount});
        }
    }
    const std::string strWithout =
        nWithout == 0 ? std::string() : GroupedNumber(nWithout) + (nWithout == 1 ? " film" : " filme") + " fara tara";
    AppendChart(out, "Tari (primele 10)", countries, ChartShape::Bars, "Niciun film cu tara", strWithout);

    AppendChart(out, "Regizori cu cele mai multe filme vazute", BarsOf(stats.directors), ChartShape::Bars,
                "Niciun regizor");
    AppendChart(out, "Cele mai vazute filme", BarsOf(stats.mostViewed), ChartShape::Bars, "Niciun film vazut");
    out += "</div>\n";
}

// The year's viewings by month, as the counts have them, and the year's
// rows, by date.
void AppendYear(std::string& out, const CatalogueStats& stats, const Diary& diary)
{
    out += "<div class=\"charts year\">\n";
    const std::string& strYear = stats.strDiaryYear;
    if (strYear.empty()) {
        out += "<section>";
        AppendHeading(out, "Vizionari datate");
        out += "<p class=\"empty\">Nicio vizionare datata in jurnal</p></section>\n</div>\n";
        return;
    }
    std::vector<const Diary::Row*> rows;
    for (const Diary::Row& row : diary.Rows()) {
        if (row.strDate.starts_with(strYear + "-")) rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Diary::Row* a, const Diary::Row* b) { return a->strDate < b->strDate; });

    // "01" to "12"
    std::vector<ChartBar> bars;
    for (const auto& [strMonth, nCount] : stats.diaryMonths) {
        const int nMonth = std::stoi(strMonth);
        bars.push_back(
            {nMonth >= 1 && nMonth <= 12 ? kMonths[static_cast<std::size_t>(nMonth - 1)] : strMonth, nCount});
    }
    AppendChart(out, "Vizionari pe luni in " + strYear, bars, ChartShape::Columns, {});

    out += "<section>";
    AppendHeading(out, "Filmele anului " + strYear);
    if (rows.empty()) {
        out += "<p class=\"empty\">Nicio vizionare datata in " + strYear + "</p>";
    } else {
        out += "<table class=\"diary\"><thead><tr><th>Data<th>";
        Append(out, FilmHeading(FilmField::OriginalTitle));
        out += "<th>";
        Append(out, FilmHeading(FilmField::Year));
        out += "<th>Revazut</thead>\n<tbody>\n";
        for (const Diary::Row* pRow : rows) {
            out += "<tr><td>";
            AppendDiaryText(out, pRow->strDate);
            out += "<td>";
            AppendDiaryText(out, pRow->strTitle);
            out += "<td>";
            AppendDiaryText(out, pRow->strYear);
            out += pRow->bRewatch ? "<td>da\n" : "<td>\n";
        }
        out += "</tbody></table>";
    }
    out += "</section>\n</div>\n";
}

// The headings' words in their order, for sorting: "Slab|Mediocru|...".
std::string OrderOf(const auto& words)
{
    std::string strOrder;
    for (const std::string_view word : words) {
        if (!strOrder.empty()) strOrder += '|';
        strOrder += word;
    }
    return strOrder;
}

void AppendFilmRows(std::string& out, const CFilmNode* pHead, std::string_view listName)
{
    CFilmTextsLookAhead ahead(pHead);
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext, ahead.Step()) {
        const CFilm& film = *p->m_pFilm;
        // Cells without their end tags, which HTML does not need: a large
        // catalogue's page is a fifth smaller.
        out += "<tr><td>";
        out += listName;
        for (const FilmColumn& column : kFilmColumns) {
            out += "<td>";
            switch (column.field) {
            case FilmField::OriginalTitle:
                AppendAnsi(out, film.m_strOriginalTitle);
                break;
            case FilmField::Title:
                AppendAnsi(out, film.m_strTitle);
                break;
            case FilmField::Country:
                AppendAnsi(out, film.m_strCountry);
                break;
            case FilmField::Year:
                AppendAnsi(out, film.m_strYear);
                break;
            case FilmField::Director:
                AppendAnsi(out, film.m_strDirector);
                break;
            case FilmField::Rating:
                AppendAnsi(out, RatingToText(film.m_nRating));
                break;
            case FilmField::Viewings:
                out += std::to_string(film.m_nViewings);
                break;
            case FilmField::Cast:
                AppendAnsi(out, film.m_strCast);
                break;
            }
        }
        out += '\n';
    }
}

void AppendCatalogue(std::string& out, const Catalogue& catalogue)
{
    out += "<section class=\"whole\">";
    AppendHeading(out, "Tot catalogul");
    out +=
        "<p class=\"search\" id=\"searchbox\" hidden><label>Cauta: <input type=\"search\" id=\"search\" "
        "autocomplete=\"off\"></label> <span id=\"shown\"></span></p>\n";
    out += "<table id=\"catalogue\"><thead><tr><th data-order=\"";
    AppendEscaped(out, OrderOf(kListNames));
    out += "\">Lista";
    for (const FilmColumn& column : kFilmColumns) {
        out += "<th";
        if (column.field == FilmField::Year || column.field == FilmField::Viewings) {
            out += " data-type=\"num\"";
        } else if (column.field == FilmField::Rating) {
            out += " data-order=\"";
            AppendEscaped(out, OrderOf(kRatingWords));
            out += '"';
        }
        out += '>';
        AppendEscaped(out, column.heading);
    }
    out += "</thead>\n<tbody>\n";
    AppendFilmRows(out, catalogue.m_pSeenList, kListNames[kSeenList]);
    AppendFilmRows(out, catalogue.m_pToSeeList, kListNames[kToSeeList]);
    out += "</tbody></table></section>\n";
}

// Enough for the whole page at once: the films' texts, a little more for
// letters that take more bytes in UTF-8 and for entities, and the tags.
std::size_t SizeGuess(const Catalogue& catalogue)
{
    std::size_t nBytes = 64 * 1024;
    for (const CFilmNode* pHead : {catalogue.m_pSeenList, catalogue.m_pToSeeList}) {
        for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
            const CFilm& film = *p->m_pFilm;
            const std::size_t nText = film.m_strOriginalTitle.size() + film.m_strTitle.size() +
                                      film.m_strCountry.size() + film.m_strYear.size() + film.m_strDirector.size() +
                                      film.m_strCast.size();
            nBytes += nText + nText / 8 + 80;
        }
    }
    return nBytes;
}

}  // namespace

std::string WriteReportHtml(const Catalogue& catalogue, const Diary& diary, const std::string& strYear)
{
    CatalogueStats stats = ComputeStats(catalogue);
    AddDiaryStats(stats, diary, strYear);
    std::string out;
    out.reserve(SizeGuess(catalogue));
    out +=
        "<!DOCTYPE html>\n<html lang=\"ro\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Cinetrove - catalogul de filme</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n<h1>Catalogul de filme</h1>\n";
    AppendCounts(out, catalogue, stats);
    AppendCharts(out, stats);
    AppendYear(out, stats, diary);
    AppendCatalogue(out, catalogue);
    out += "<script>";
    out += kScript;
    out += "</script>\n</body>\n</html>\n";
    return out;
}
