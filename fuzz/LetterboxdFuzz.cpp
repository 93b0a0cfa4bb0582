// The Letterboxd reader on any export: the first byte says which of the five
// files are there (bit I for kLetterboxdFiles[I]), the rest holds their bytes
// in that order, split at NUL bytes. It refuses at a line of one of them, or
// gives each seen film (name, year and address) once, with a rating word or none, at
// least one viewing and a comment whose line breaks are all CR LF, and each
// film to see with neither rating nor viewing; every film was read on a line
// of the file it names.
#include "FuzzExportFiles.h"
#include "FuzzFile.h"
#include "FuzzLines.h"
#include "InputRefused.h"
#include "LetterboxdImport.h"
#include "Rating.h"

#include <cstdint>
#include <set>
#include <tuple>

namespace {

const std::string kSource = "export";

bool OnlyCrLfBreaks(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return true;
}

// The lines of the file a refusal or a film names; 0 when it is none of them.
int LinesOf(const std::map<std::string, std::string>& files, const std::string& strFile)
{
    for (const auto& [strName, bytes] : files) {
        if (strFile == kSource + "/" + strName) return CountCsvLines(bytes);
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 1) return 0;
    const std::map<std::string, std::string> files = SplitExportFiles(pData, nSize, kLetterboxdFiles);
    try {
        std::set<std::tuple<std::string, std::string, std::string>> seen;
        for (const IncomingFilm& film : ReadLetterboxdExport(files, kSource).films) {
            const int nLines = LinesOf(files, film.strFile);
            FUZZ_CHECK(film.nLine >= 2 && film.nLine <= nLines);
            if (film.list == TargetList::Seen) {
                FUZZ_CHECK(seen.emplace(film.strOriginalTitle, film.strYear, film.strLetterboxdUri).second);
                FUZZ_CHECK(!film.rating || (*film.rating >= 0 && *film.rating < kToSeeRating));
                FUZZ_CHECK(film.nViewings >= 1);
                FUZZ_CHECK(OnlyCrLfBreaks(film.strComment));
            } else {
                FUZZ_CHECK(!film.rating && film.nViewings == 0 && film.strComment.empty());
            }
        }
    } catch (const InputRefused& refused) {
        if (refused.File() == kSource) {
            FUZZ_CHECK(files.empty() && refused.Line() == 0);
        } else {
            FUZZ_CHECK(refused.Line() >= 1 && refused.Line() <= LinesOf(files, refused.File()));
        }
    }
    return 0;
}
