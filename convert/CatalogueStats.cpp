#include "CatalogueStats.h"

#include "CodePage.h"
#include "Csv.h"
#include "Rating.h"
#include "TextTools.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

// "1970s" for a year field that is a whole year, else the films without one.
std::string Decade(const std::string& strYear)
{
    const std::string strTrimmed = TrimBlanks(strYear);
    if (strTrimmed.size() != 4 || strTrimmed.find_first_not_of("0123456789") != std::string::npos) {
        return kNoYearName;
    }
    return strTrimmed.substr(0, 3) + "0s";
}

CatalogueStats::Counts MostFirst(const std::map<std::string, long long>& counts, std::size_t nLimit)
{
    CatalogueStats::Counts sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    if (sorted.size() > nLimit) {
        sorted.resize(nLimit);
    }
    return sorted;
}

void Count(const CFilmNode* pHead, std::map<std::string, long long>& countries,
           std::map<std::string, long long>& decades)
{
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        const std::string strCountry = TrimBlanks(AnsiToUtf8(p->m_pFilm->m_strCountry));
        ++countries[strCountry.empty() ? kNoCountryName : strCountry];
        ++decades[Decade(p->m_pFilm->m_strYear)];
    }
}

}  // namespace

CatalogueStats ComputeStats(const Catalogue& catalogue)
{
    CatalogueStats stats;
    stats.lists = {{std::string(kListNames[kSeenList]), catalogue.m_nSeenCount},
                   {std::string(kListNames[kToSeeList]), catalogue.m_nToSeeCount}};

    std::map<int, long long> ratings;
    for (const CFilmNode* pHead : {catalogue.m_pSeenList, catalogue.m_pToSeeList}) {
        for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
            ++ratings[p->m_pFilm->m_nRating];
        }
    }
    for (const auto& [nRating, nCount] : ratings) {
        const std::string strWord = RatingToText(nRating);
        stats.ratings.emplace_back(strWord.empty() ? "(code " + std::to_string(nRating) + ")" : strWord, nCount);
    }

    std::map<std::string, long long> countries;
    std::map<std::string, long long> decades;
    Count(catalogue.m_pSeenList, countries, decades);
    Count(catalogue.m_pToSeeList, countries, decades);
    stats.countries = MostFirst(countries, countries.size());
    stats.decades.assign(decades.begin(), decades.end());
    // "(" sorts before digits; the films without a year go last.
    std::stable_partition(stats.decades.begin(), stats.decades.end(),
                          [](const auto& d) { return d.first != kNoYearName; });

    std::map<std::string, long long> directors;
    std::vector<std::pair<std::string, long long>> viewed;
    for (const CFilmNode* p = catalogue.m_pSeenList; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        const std::string strDirector = TrimBlanks(AnsiToUtf8(film.m_strDirector));
        if (!strDirector.empty()) {
            ++directors[strDirector];
        }
        stats.nViewings += film.m_nViewings;
        viewed.emplace_back(AnsiToUtf8(film.m_strOriginalTitle), film.m_nViewings);
    }
    stats.directors = MostFirst(directors, 10);
    std::stable_sort(viewed.begin(), viewed.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    viewed.resize(std::min<std::size_t>(viewed.size(), 10));
    stats.mostViewed = std::move(viewed);
    return stats;
}

void AddDiaryStats(CatalogueStats& stats, const Diary& diary, const std::string& strYear)
{
    std::map<std::string, long long> years;
    for (const Diary::Row& row : diary.Rows()) ++years[row.strDate.substr(0, 4)];
    if (years.empty() && strYear.empty()) {
        return;
    }
    stats.diaryYears.assign(years.begin(), years.end());
    stats.strDiaryYear = strYear.empty() ? years.rbegin()->first : strYear;
    std::array<long long, 12> months{};
    for (const Diary::Row& row : diary.Rows()) {
        if (row.strDate.starts_with(stats.strDiaryYear + "-")) ++months[std::stoi(row.strDate.substr(5, 2)) - 1];
    }
    for (std::size_t i = 0; i < months.size(); ++i) {
        stats.diaryMonths.emplace_back((i < 9 ? "0" : "") + std::to_string(i + 1), months[i]);
    }
}

namespace {

void PrintSection(std::ostream& out, const char* pTitle, const CatalogueStats::Counts& counts)
{
    out << pTitle << "\n";
    for (const auto& [strName, nCount] : counts) {
        out << "  " << nCount << "\t" << strName << "\n";
    }
}

}  // namespace

void PrintStats(std::ostream& out, const CatalogueStats& stats)
{
    PrintSection(out, "Films per list", stats.lists);
    PrintSection(out, "Films per rating word", stats.ratings);
    PrintSection(out, "Films per country", stats.countries);
    PrintSection(out, "Films per decade", stats.decades);
    PrintSection(out, "Directors with the most seen films", stats.directors);
    out << "Viewings of the seen films\n  " << stats.nViewings << "\n";
    PrintSection(out, "Most viewed films", stats.mostViewed);
    if (!stats.strDiaryYear.empty()) {
        PrintSection(out, "Dated viewings per year (diary)", stats.diaryYears);
        PrintSection(out, ("Dated viewings per month of " + stats.strDiaryYear).c_str(), stats.diaryMonths);
    }
}

void PrintStatsCsv(std::ostream& out, const CatalogueStats& stats)
{
    std::string text;
    AppendCsvRecord(text, {"section", "name", "count"});
    const auto section = [&text](const char* pName, const CatalogueStats::Counts& counts) {
        for (const auto& [strName, nCount] : counts) {
            AppendCsvRecord(text, {pName, strName, std::to_string(nCount)});
        }
    };
    section("list", stats.lists);
    section("rating", stats.ratings);
    section("country", stats.countries);
    section("decade", stats.decades);
    section("director", stats.directors);
    AppendCsvRecord(text, {"viewings", "total", std::to_string(stats.nViewings)});
    section("most viewed", stats.mostViewed);
    section("diary year", stats.diaryYears);
    for (const auto& [strMonth, nCount] : stats.diaryMonths) {
        AppendCsvRecord(text, {"diary month", stats.strDiaryYear + "-" + strMonth, std::to_string(nCount)});
    }
    out << text;
}
