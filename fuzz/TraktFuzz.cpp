// The Trakt reader on any export: the first byte says which of five files
// are there (bit I for kNames[I]), the rest holds their bytes in that order,
// split at NUL bytes. It refuses, naming the export or one of its files, or
// gives each seen film at least one viewing, as many as it dates at least,
// its dated viewings in order of day with only the first a first viewing, a
// rating only from ten points; each film to see with neither rating nor
// viewing; every film read at an entry of a file, with ids the side file
// can keep.
#include "Diary.h"
#include "FuzzExportFiles.h"
#include "FuzzFile.h"
#include "InputRefused.h"
#include "RatingScale.h"
#include "TraktImport.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

namespace {

const std::string kSource = "export";
const char* const kNames[5] = {"watched-movies.json", "ratings-movies.json", "watchlist-movies.json", "history-1.json",
                               "history/2.json"};

bool IsKnownFile(const std::map<std::string, std::string>& files, const std::string& strFile)
{
    return std::any_of(files.begin(), files.end(),
                       [&strFile](const auto& file) { return strFile == kSource + "/" + file.first; });
}

bool HasNoBlank(const std::string& strId) { return strId.find_first_of(" \t\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 1) return 0;
    const std::map<std::string, std::string> files = SplitExportFiles(pData, nSize, kNames);
    try {
        const IncomingRows rows = ReadTraktExport(files, kSource);
        for (const IncomingFilm& film : rows.films) {
            FUZZ_CHECK(film.nLine >= 1 && IsKnownFile(files, film.strFile));
            FUZZ_CHECK(HasNoBlank(film.strImdbId) && HasNoBlank(film.strTmdbId) && HasNoBlank(film.strTraktId));
            if (film.list == TargetList::Seen) {
                FUZZ_CHECK(film.nViewings >= 1 && static_cast<std::size_t>(film.nViewings) >= film.viewings.size());
                FUZZ_CHECK(film.rating == (film.sitePoints ? RatingFromTenPoints(*film.sitePoints) : std::nullopt));
                for (std::size_t i = 0; i < film.viewings.size(); ++i) {
                    FUZZ_CHECK(IsDiaryDate(film.viewings[i].strDate));
                    FUZZ_CHECK(film.viewings[i].bRewatch == (i > 0));
                    FUZZ_CHECK(i == 0 || film.viewings[i - 1].strDate <= film.viewings[i].strDate);
                }
            } else {
                FUZZ_CHECK(!film.rating && film.nViewings == 0 && film.viewings.empty());
            }
        }
        for (const IncomingRows::Row& row : rows.leftOut) {
            FUZZ_CHECK(row.strWhy != "movie" && !row.strWhy.empty());
        }
    } catch (const InputRefused& refused) {
        if (refused.File() == kSource) {
            FUZZ_CHECK(refused.Line() == 0);
        } else {
            FUZZ_CHECK(refused.Line() >= 0 && IsKnownFile(files, refused.File()));
        }
    }
    return 0;
}
