#include "WatchedCommand.h"

#include "CatalogueFolder.h"
#include "CodePage.h"
#include "Commands.h"
#include "Diary.h"
#include "FolderLock.h"
#include "ImportPlan.h"
#include "InputRefused.h"
#include "Rating.h"
#include "SearchMatch.h"
#include "TextTools.h"

#include <ctime>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr const char* kDiarySource = "watched";
constexpr std::size_t kMaxCandidatesShown = 10;

struct Candidate {
    int nList;
    const CFilm* pFilm;
};

// Equal but for letter case, as the search's approximate matching sees it.
bool SameText(const std::string& strField, const std::string& strWanted)
{
    return strField.size() == strWanted.size() && FieldMatches(strField, strWanted, 1) != 0;
}

std::string Describe(const Candidate& candidate)
{
    const CFilm& film = *candidate.pFilm;
    std::string strText = std::string(kListNames[candidate.nList]) + ": " + AnsiToUtf8(film.m_strOriginalTitle);
    if (std::string(film.m_strTitle) != std::string(film.m_strOriginalTitle)) {
        strText += " / " + AnsiToUtf8(film.m_strTitle);
    }
    const std::string strYear = TrimBlanks(AnsiToUtf8(film.m_strYear));
    return strText + (strYear.empty() ? "" : " (" + strYear + ")");
}

// The films of both lists, seen first, that `keep` takes.
template <typename Keep>
std::vector<Candidate> FilmsWhere(const Catalogue& catalogue, const Keep& keep)
{
    std::vector<Candidate> films;
    for (const int nList : {kSeenList, kToSeeList}) {
        for (const CFilmNode* p = nList == kSeenList ? catalogue.m_pSeenList : catalogue.m_pToSeeList; p != nullptr;
             p = p->m_pNext) {
            if (keep(*p->m_pFilm)) films.push_back({nList, p->m_pFilm});
        }
    }
    return films;
}

std::string ListOf(const std::vector<Candidate>& films)
{
    std::string strList;
    for (std::size_t i = 0; i < films.size() && i < kMaxCandidatesShown; ++i) {
        strList += "\n  " + Describe(films[i]);
    }
    if (films.size() > kMaxCandidatesShown) {
        strList += "\n  ... and " + std::to_string(films.size() - kMaxCandidatesShown) + " more";
    }
    return strList;
}

// The one film the options name; refused, with the candidates, when none or
// several are.
Candidate FindFilm(const Catalogue& catalogue, const WatchedOptions& options)
{
    const std::string strWanted = Utf8ToAnsi(TrimBlanks(options.strTitle));
    const std::string strYear = Utf8ToAnsi(TrimBlanks(options.strYear));
    const std::string strShown = "\"" + options.strTitle + "\"" + (strYear.empty() ? "" : " (" + options.strYear + ")");
    const std::vector<Candidate> named = FilmsWhere(catalogue, [&](const CFilm& film) {
        return SameText(std::string(film.m_strOriginalTitle), strWanted) ||
               SameText(std::string(film.m_strTitle), strWanted);
    });
    std::vector<Candidate> matches;
    for (const Candidate& c : named) {
        if (strYear.empty() || TrimBlanks(std::string(c.pFilm->m_strYear)) == strYear) matches.push_back(c);
    }
    if (matches.size() == 1) {
        return matches.front();
    }
    if (matches.empty()) {
        // The films the title names in other years, else those whose titles hold it.
        std::vector<Candidate> near = named;
        if (near.empty()) {
            near = FilmsWhere(catalogue, [&](const CFilm& film) {
                return FieldMatches(std::string(film.m_strOriginalTitle), strWanted, 1) != 0 ||
                       FieldMatches(std::string(film.m_strTitle), strWanted, 1) != 0;
            });
        }
        throw InputRefused(options.strDir, 0,
                           "no film is titled " + strShown +
                               (near.empty() ? std::string() : "; films of a title like it:" + ListOf(near)));
    }
    bool bYearsTell = true;
    for (std::size_t i = 1; i < matches.size(); ++i) {
        bYearsTell = bYearsTell && std::string(matches[i].pFilm->m_strYear) != std::string(matches[0].pFilm->m_strYear);
    }
    throw InputRefused(
        options.strDir, 0,
        std::to_string(matches.size()) + " films are titled " + strShown +
            (bYearsTell && strYear.empty() ? "; name one with --year:" : "; title and year do not tell them apart:") +
            ListOf(matches));
}

// The viewing's day: the one given, or today; never a day to come.
std::string ViewingDate(const WatchedOptions& options)
{
    const std::string strToday = TodayDate();
    if (options.strDate.empty()) {
        return strToday;
    }
    if (!IsDiaryDate(options.strDate)) {
        throw InputRefused(options.strDir, 0, "--date is \"" + options.strDate + "\", not a day written YYYY-MM-DD");
    }
    if (options.strDate > strToday) {
        throw InputRefused(options.strDir, 0, "--date " + options.strDate + " is a day to come");
    }
    return options.strDate;
}

FilmEntry EntryOf(const CFilm& film)
{
    return {std::string(film.m_strOriginalTitle),
            std::string(film.m_strTitle),
            std::string(film.m_strCountry),
            std::string(film.m_strYear),
            std::string(film.m_strDirector),
            std::string(film.m_strCast),
            film.m_nRating,
            film.m_nViewings};
}

std::string FolderOf(const std::string& strDir) { return strDir.empty() ? std::string(".") : strDir; }

// A seen film: one viewing more, the rating changed when one is given; the
// archive first, then the diary, so a viewing never has a row the count lacks.
int LogSeenViewing(Catalogue& catalogue, const Candidate& film, const std::string& strDate, std::optional<int> rating,
                   const std::string& strDir)
{
    FilmEntry entry = EntryOf(*film.pFilm);
    if (entry.nViewings == std::numeric_limits<int>::max()) {
        throw InputRefused(strDir, 0, Describe(film) + " has as many viewings as the archive can count");
    }
    ++entry.nViewings;
    if (rating) entry.nRating = *rating;
    const std::string strShown = Describe(film);
    const Diary::Row row{true,        AnsiToUtf8(entry.strOriginalTitle), AnsiToUtf8(entry.strYear), strDate, true,
                         kDiarySource};
    const int nViewings = entry.nViewings;
    const std::string strWord = RatingToText(entry.nRating);
    catalogue.UpdateFilm(kSeenList, *film.pFilm, std::move(entry));
    Diary diary;
    diary.Load(FolderOf(strDir));
    if (const int nStatus = ReportFailures(SaveCatalogueFolder(catalogue)); nStatus != 0) {
        return nStatus;
    }
    diary.Add(row);
    if (!diary.Save(FolderOf(strDir))) {
        return ReportFailures({FolderOf(strDir) + "/" + Diary::kFileName + ": cannot be written"});
    }
    std::cout << strShown << ": " << nViewings << " viewings, rated \"" << AnsiToUtf8(strWord) << "\"; the diary logs "
              << strDate << "\n";
    if (!diary.Problem().empty()) std::cout << diary.Problem() << "\n";
    return 0;
}

// A film to see moves across with its comment, as an import moves it.
int MoveToSeen(Catalogue& catalogue, const Candidate& film, const std::string& strDate, int nRating,
               const std::string& strDir)
{
    const CFilm& toSee = *film.pFilm;
    const std::string strShown = Describe(film);
    int nNamesakes = 0;
    for (const CFilmNode* p = catalogue.m_pToSeeList; p != nullptr; p = p->m_pNext) {
        nNamesakes += std::string(p->m_pFilm->m_strOriginalTitle) == std::string(toSee.m_strOriginalTitle) ? 1 : 0;
    }
    if (nNamesakes > 1) {
        throw InputRefused(strDir, 0,
                           strShown +
                               " shares its original title with another film to see; move it with the "
                               "window's New, which takes the first of them");
    }
    IncomingFilm incoming;
    incoming.strFile = "watched";
    incoming.list = TargetList::Seen;
    incoming.strOriginalTitle = AnsiToUtf8(toSee.m_strOriginalTitle);
    incoming.strTitle = AnsiToUtf8(toSee.m_strTitle);
    incoming.strCountry = AnsiToUtf8(toSee.m_strCountry);
    incoming.strYear = AnsiToUtf8(toSee.m_strYear);
    incoming.strDirector = AnsiToUtf8(toSee.m_strDirector);
    incoming.strCast = AnsiToUtf8(toSee.m_strCast);
    incoming.rating = nRating;
    incoming.nViewings = 1;
    incoming.viewings.push_back({strDate, false});
    incoming.strDiarySource = kDiarySource;
    ImportPlan plan(catalogue, nRating);
    plan.Add(incoming);
    plan.Finish();
    if (plan.Summary().nMoved != 1) {
        throw InputRefused(strDir, 0, strShown + " cannot be told apart from a seen film of its title");
    }
    if (const int nStatus = ReportFailures(plan.Commit()); nStatus != 0) {
        return nStatus;
    }
    std::cout << strShown << ": moved to the seen list, rated \"" << AnsiToUtf8(RatingToText(nRating))
              << "\", 1 viewing; the diary logs " << strDate << "\n";
    return 0;
}

}  // namespace

std::string TodayDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char szDay[11] = {};
    std::strftime(szDay, sizeof szDay, "%Y-%m-%d", &local);
    return szDay;
}

int RunWatched(const WatchedOptions& options)
{
    try {
        const std::string strDate = ViewingDate(options);
        std::optional<int> rating;
        if (!options.strRating.empty()) rating = TextToRating(Utf8ToAnsi(options.strRating));
        // Other writers of the folder wait from the read to the last write.
        const FolderLock lock(options.strDir + "/filme.cta");
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, options.strDir, true);
        const Candidate film = FindFilm(catalogue, options);
        if (film.nList == kSeenList) {
            return LogSeenViewing(catalogue, film, strDate, rating, options.strDir);
        }
        if (!rating) {
            throw InputRefused(options.strDir, 0,
                               Describe(film) +
                                   " is a film to see: give its rating word with --rating to move it "
                                   "to the seen list");
        }
        return MoveToSeen(catalogue, film, strDate, *rating, options.strDir);
    } catch (const InputRefused& refused) {
        std::cerr << "cinetrove-convert: " << refused.what() << "\n";
        return 1;
    }
}
