#pragma once

#include <string>
#include <vector>

// The commands of cinetrove-convert, each returning the exit status: 0 on
// success, 1 when the input is refused or a file fails. Reports go to
// standard output, refusals and failures to standard error.

enum class ImportSource { Imdb, Letterboxd, Trakt, Csv, Tellico };

struct ImportOptions {
    ImportSource source = ImportSource::Imdb;
    std::string strInput;
    std::string strDir = "./data";
    bool bDryRun = false;
    bool bReplace = false;               // import csv: the lists become exactly the file's rows
    bool bAllTypes = false;              // IMDb: series, episodes, games... as well
    std::string strList = "seen";        // Tellico: the list of entries that name none, "seen" or "tosee"
    std::string strUnratedWord = "Bun";  // UTF-8, one of the six words of a seen film
};

enum class ExportFormat { Csv, Letterboxd, Tellico };

int RunImport(const ImportOptions& options);
// Prints each failure (its file and why) on standard error: 1 when there
// was one, else 0.
int ReportFailures(const std::vector<std::string>& failed);
// strWatchlist: for Letterboxd, where the to-see list goes (none when empty).
int RunExport(ExportFormat format, const std::string& strOutput, const std::string& strDir,
              const std::string& strWatchlist = {});
int RunCheck(const std::string& strDir);
// strYear: the year whose months the diary's figures count; empty: the last
// year with dated viewings.
int RunStats(const std::string& strDir, bool bCsv, const std::string& strYear = {});
// The catalogue as one HTML page at strOutput; strYear the year of the
// diary it shows, empty for the last one that has viewings.
int RunReport(const std::string& strOutput, const std::string& strDir, const std::string& strYear);
