// cinetrove-convert: imports IMDb, Letterboxd and Trakt exports and the
// catalogue's own CSV, exports CSV, Letterboxd and Tellico files, checks the
// archives, counts, logs a viewing and writes a report page. The command
// line is read with CLI11; a usage error ends with status 2.
#include "Commands.h"
#include "Rating.h"
#include "WatchedCommand.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kUsageError = 2;

// A year as the diary's dates write it.
const CLI::Validator kYearCheck(
    [](const std::string& strYear) {
        return strYear.size() == 4 && strYear.find_first_not_of("0123456789") == std::string::npos
                   ? std::string()
                   : "a year is four digits";
    },
    "YYYY");

// The words a seen film may carry: every rating word but "De vazut".
std::vector<std::string> SeenRatingWords() { return {kRatingWords.begin(), kRatingWords.begin() + kToSeeRating}; }

CLI::App* AddImport(CLI::App& import, const char* pName, const char* pHelp, ImportSource source, const char* pInputName,
                    ImportOptions& options, bool& bChosen)
{
    CLI::App* pCommand = import.add_subcommand(pName, pHelp);
    pCommand->add_option(pInputName, options.strInput, "the file to import")->required();
    pCommand->add_option("--into", options.strDir, "the catalogue folder (default ./data)");
    pCommand->add_flag("--dry-run", options.bDryRun, "print the summary, write nothing");
    pCommand
        ->add_option("--unrated", options.strUnratedWord,
                     "rating word of a seen film without a rating (default \"Bun\")")
        ->check(CLI::IsMember(SeenRatingWords()));
    pCommand->callback([&options, &bChosen, source] {
        options.source = source;
        bChosen = true;
    });
    return pCommand;
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{
        "Imports films into a Cinetrove catalogue and exports them; checks, counts and reports.\n"
        "DIR is a catalogue folder (filme.cta, tosee.cta, comments/filme/, comments/tosee/),\n"
        "./data when left out. Exit status: 0 success, 1 input refused or a file failed,\n"
        "2 usage error.",
        "cinetrove-convert"};
    app.require_subcommand(1, 1);

    ImportOptions importOptions;
    bool bImport = false;
    CLI::App* pImport = app.add_subcommand("import", "add films from an export to a catalogue");
    pImport->require_subcommand(1, 1);
    AddImport(*pImport, "imdb", "an IMDb ratings, list or watchlist export (CSV)", ImportSource::Imdb, "FILE",
              importOptions, bImport)
        ->add_flag("--all-types", importOptions.bAllTypes,
                   "take series, episodes, specials, games, podcasts and music videos too");
    AddImport(*pImport, "letterboxd", "a Letterboxd export: the ZIP file or its folder", ImportSource::Letterboxd,
              "PATH", importOptions, bImport);
    AddImport(*pImport, "trakt", "a Trakt export: the ZIP file or its folder", ImportSource::Trakt, "PATH",
              importOptions, bImport);
    AddImport(*pImport, "csv", "the CSV that \"export csv\" writes", ImportSource::Csv, "FILE", importOptions, bImport)
        ->add_flag("--replace", importOptions.bReplace,
                   "make the lists exactly the file's rows, keeping the archives before as NAME.N");
    AddImport(*pImport, "tellico", "a Tellico video collection (.tc, or its XML)", ImportSource::Tellico, "FILE",
              importOptions, bImport)
        ->add_option("--list", importOptions.strList, "the list of entries that do not name one (default seen)")
        ->check(CLI::IsMember({"seen", "tosee"}));

    ExportFormat format = ExportFormat::Csv;
    std::string strOutput;
    std::string strFrom = "./data";
    std::string strWatchlist;
    CLI::App* pExport = app.add_subcommand("export", "write a catalogue in another format");
    pExport->require_subcommand(1, 1);
    for (const auto& [pName, pHelp, exportFormat] :
         {std::tuple{"csv", "both lists as CSV, one row a film", ExportFormat::Csv},
          std::tuple{"letterboxd", "the seen films as Letterboxd's import page reads them", ExportFormat::Letterboxd},
          std::tuple{"tellico", "a Tellico video collection (.tc)", ExportFormat::Tellico}}) {
        CLI::App* pCommand = pExport->add_subcommand(pName, pHelp);
        pCommand->add_option("FILE", strOutput, "the file to write")->required();
        pCommand->add_option("--from", strFrom, "the catalogue folder (default ./data)");
        if (exportFormat == ExportFormat::Letterboxd) {
            pCommand->add_option("--watchlist", strWatchlist, "write the to-see list there, as a watchlist");
        }
        pCommand->callback([&format, chosen = exportFormat] { format = chosen; });
    }

    std::string strDir = "./data";
    CLI::App* pCheck = app.add_subcommand("check", "say whether both archives, or one archive file, read whole");
    pCheck->add_option("DIR", strDir, "the catalogue folder (default ./data), or one archive file");

    bool bCsv = false;
    std::string strYear;
    CLI::App* pStats = app.add_subcommand("stats", "count the films of a catalogue and the viewings of its diary");
    pStats->add_option("DIR", strDir, "the catalogue folder (default ./data)");
    pStats->add_flag("--csv", bCsv, "print the counts as CSV");
    pStats->add_option("--year", strYear, "the year whose months are counted (default the diary's last)")
        ->check(kYearCheck);

    WatchedOptions watched;
    CLI::App* pWatched = app.add_subcommand("watched", "log one viewing of a film: the diary, the viewings, a move");
    pWatched->add_option("TITLE", watched.strTitle, "the film's original title or title")->required();
    pWatched->add_option("--year", watched.strYear, "the film's year, among films of one title");
    pWatched->add_option("--date", watched.strDate, "the day of the viewing, YYYY-MM-DD (default today)");
    pWatched->add_option("--rating", watched.strRating, "its rating word; needed for a film to see, which moves across")
        ->check(CLI::IsMember(SeenRatingWords()));
    pWatched->add_option("--into", watched.strDir, "the catalogue folder (default ./data)");

    std::string strReport;
    std::string strReportFrom = "./data";
    std::string strReportYear;
    CLI::App* pReport =
        app.add_subcommand("report", "write the catalogue as one HTML page: counts, charts, every film");
    pReport->add_option("FILE", strReport, "the page to write")->required();
    pReport->add_option("--from", strReportFrom, "the catalogue folder (default ./data)");
    pReport->add_option("--year", strReportYear, "the year of the diary shown (default the last with viewings)")
        ->check(kYearCheck);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int nStatus = app.exit(error);
        return nStatus == 0 ? 0 : kUsageError;
    }

    if (bImport) {
        return RunImport(importOptions);
    }
    if (pExport->parsed()) {
        return RunExport(format, strOutput, strFrom, strWatchlist);
    }
    if (pCheck->parsed()) {
        return RunCheck(strDir);
    }
    if (pWatched->parsed()) {
        return RunWatched(watched);
    }
    if (pReport->parsed()) {
        return RunReport(strReport, strReportFrom, strReportYear);
    }
    return RunStats(strDir, bCsv, strYear);
}
