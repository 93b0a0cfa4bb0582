// The IMDb reader on any bytes: it refuses at a line of the file, or every
// film it gives was read on a line of the file, a seen film with a rating
// word and one viewing, a film to see with neither.
#include "FuzzFile.h"
#include "FuzzLines.h"
#include "ImdbImport.h"
#include "InputRefused.h"
#include "Rating.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    const int nLines = CountCsvLines(text);
    try {
        for (const IncomingFilm& film : ReadImdbExport(text, "ratings.csv").films) {
            FUZZ_CHECK(film.strFile == "ratings.csv" && film.nLine >= 2 && film.nLine <= nLines);
            if (film.list == TargetList::Seen) {
                FUZZ_CHECK(film.rating && *film.rating >= 0 && *film.rating < kToSeeRating);
                FUZZ_CHECK(film.nViewings == 1);
            } else {
                FUZZ_CHECK(!film.rating && film.nViewings == 0);
            }
        }
    } catch (const InputRefused& refused) {
        FUZZ_CHECK(refused.File() == "ratings.csv");
        FUZZ_CHECK(refused.Line() >= 1 && refused.Line() <= nLines);
    }
    return 0;
}
