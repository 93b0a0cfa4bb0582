// The CSV reader on any bytes, under limits the first three bytes choose and
// the delimiter the first line shows: a
// refusal names a line of the file; what reads keeps to the limits, its
// records start on rising lines of the file, and written back as the export
// writes them (a byte-order mark, then each record) they read back the
// same. The catalogue's own CSV reader takes the same bytes: it refuses at a
// line of the file or gives films read on lines of the file.
#include "CatalogueCsv.h"
#include "Csv.h"
#include "FuzzFile.h"
#include "FuzzLines.h"
#include "InputRefused.h"
#include "Rating.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 3) return 0;
    CsvLimits limits;
    if (pData[0] != 0) limits.nMaxFieldBytes = pData[0] * 4u;
    if (pData[1] != 0) limits.nMaxRecordBytes = pData[1] * 8u;
    if (pData[2] != 0) limits.nMaxFields = pData[2];
    const std::string_view text(reinterpret_cast<const char*>(pData + 3), nSize - 3);
    const int nLines = CountCsvLines(text);

    std::vector<CsvRecord> records;
    try {
        records = ParseCsv(text, "in.csv", CsvDelimiterOf(text), limits);
    } catch (const InputRefused& refused) {
        FUZZ_CHECK(refused.File() == "in.csv");
        FUZZ_CHECK(refused.Line() >= 1 && refused.Line() <= nLines);
    }
    int nLastLine = 0;
    std::string written(kUtf8Bom);
    std::vector<std::vector<std::string>> kept;
    for (const CsvRecord& record : records) {
        FUZZ_CHECK(record.nLine > nLastLine && record.nLine <= nLines);
        nLastLine = record.nLine;
        FUZZ_CHECK(!record.fields.empty() && record.fields.size() <= limits.nMaxFields);
        for (const std::string& field : record.fields) FUZZ_CHECK(field.size() <= limits.nMaxFieldBytes);
        // A record of one empty field is written as an empty line, which a
        // reader skips.
        if (record.fields.size() == 1 && record.fields[0].empty()) continue;
        AppendCsvRecord(written, record.fields);
        kept.push_back(record.fields);
    }
    const std::vector<CsvRecord> back = ParseCsv(written, "back.csv");
    FUZZ_CHECK(back.size() == kept.size());
    for (std::size_t i = 0; i < back.size(); ++i) FUZZ_CHECK(back[i].fields == kept[i]);

    try {
        for (const IncomingFilm& film : ReadCatalogueCsv(text, "in.csv").films) {
            FUZZ_CHECK(film.strFile == "in.csv" && film.nLine >= 1 && film.nLine <= nLines);
            FUZZ_CHECK(!film.rating || (*film.rating >= 0 && *film.rating <= kToSeeRating));
        }
    } catch (const InputRefused& refused) {
        FUZZ_CHECK(refused.Line() >= 0 && refused.Line() <= nLines);
    }
    return 0;
}
