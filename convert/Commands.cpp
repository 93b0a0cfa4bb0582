#include "Commands.h"

#include "ArchiveCheck.h"
#include "CatalogueCsv.h"
#include "CatalogueFolder.h"
#include "CatalogueStats.h"
#include "CodePage.h"
#include "ImdbImport.h"
#include "ImportPlan.h"
#include "InputRefused.h"
#include "LetterboxdExport.h"
#include "LetterboxdImport.h"
#include "Rating.h"
#include "TellicoExport.h"
#include "TextTools.h"

#include "FolderLock.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

std::vector<IncomingFilm> ReadInput(const ImportOptions& options)
{
    switch (options.source) {
    case ImportSource::Imdb:
        return ReadImdbExport(ReadWholeFile(options.strInput), options.strInput);
    case ImportSource::Letterboxd:
        return ReadLetterboxdExport(LoadLetterboxdFiles(options.strInput), options.strInput);
    case ImportSource::Csv:
        return ReadCatalogueCsv(ReadWholeFile(options.strInput), options.strInput);
    }
    return {};
}

// True when strOutput names one of the catalogue's archives or lies in one of
// its comment folders, links followed: an export must not take their place.
bool IsInsideCatalogue(const Catalogue& catalogue, const std::string& strOutput)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path output = fs::weakly_canonical(strOutput, ec);
    for (const int nList : {kSeenList, kToSeeList}) {
        const fs::path archive = fs::weakly_canonical(catalogue.ArchivePath(nList), ec);
        if (output == archive || output == fs::path(archive.string() + "~")) {
            return true;
        }
        const std::string strComments = fs::weakly_canonical(catalogue.CommentDir(nList), ec).string() + "/";
        if (output.string().rfind(strComments, 0) == 0) {
            return true;
        }
    }
    return false;
}

// Each failure names its file and why.
int ReportFailures(const std::vector<std::string>& failed)
{
    for (const std::string& strFailure : failed) {
        std::cerr << "cinetrove-convert: " << strFailure << "\n";
    }
    return failed.empty() ? 0 : 1;
}

}  // namespace

int RunImport(const ImportOptions& options)
{
    try {
        const std::vector<IncomingFilm> films = ReadInput(options);
        // Other writers of the folder wait from this read to the last write.
        if (!options.bDryRun) {
            std::error_code ec;
            std::filesystem::create_directories(options.strDir, ec);
        }
        const FolderLock lock(options.strDir + "/filme.cta");
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, options.strDir, false);
        ImportPlan plan(catalogue, TextToRating(Utf8ToAnsi(options.strUnratedWord)));
        for (const IncomingFilm& film : films) {
            plan.Add(film);
        }
        plan.Finish();
        plan.Summary().bDryRun = options.bDryRun;
        if (!options.bDryRun && plan.HasChanges()) {
            if (const int nStatus = ReportFailures(plan.Commit()); nStatus != 0) {
                PrintImportSummary(std::cout, plan.Summary());
                return nStatus;
            }
        }
        PrintImportSummary(std::cout, plan.Summary());
        return 0;
    } catch (const InputRefused& refused) {
        std::cerr << "cinetrove-convert: " << refused.what() << "\n";
        return 1;
    }
}

int RunExport(ExportFormat format, const std::string& strOutput, const std::string& strDir)
{
    try {
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, strDir, true);
        if (IsInsideCatalogue(catalogue, strOutput)) {
            throw InputRefused(strOutput, 0, "is a file of the catalogue itself; export to a file outside it");
        }
        bool bWritten = false;
        int nFilms = catalogue.m_nSeenCount + catalogue.m_nToSeeCount;
        switch (format) {
        case ExportFormat::Csv:
            bWritten = WriteWholeFile(strOutput, WriteCatalogueCsv(catalogue));
            break;
        case ExportFormat::Letterboxd:
            bWritten = WriteWholeFile(strOutput, WriteLetterboxdCsv(catalogue));
            nFilms = catalogue.m_nSeenCount;
            break;
        case ExportFormat::Tellico:
            bWritten = WriteTellicoFile(strOutput, catalogue);
            break;
        }
        if (!bWritten) {
            return ReportFailures({strOutput + ": cannot be written"});
        }
        std::cout << nFilms << " films written to " << strOutput << "\n";
        return 0;
    } catch (const InputRefused& refused) {
        std::cerr << "cinetrove-convert: " << refused.what() << "\n";
        return 1;
    }
}

int RunCheck(const std::string& strDir)
{
    Catalogue catalogue;
    if (!catalogue.UseDataFolder(strDir)) {
        std::cerr << "cinetrove-convert: " << strDir << ": the folder's path is too long for a catalogue\n";
        return 1;
    }
    int nStatus = 0;
    for (const std::string strPath : {catalogue.ArchivePath(kSeenList), catalogue.ArchivePath(kToSeeList)}) {
        const ArchiveFault fault = CheckArchive(strPath);
        if (fault.bWhole) {
            std::cout << strPath << ": whole, " << fault.nFilms << " films\n";
            continue;
        }
        nStatus = 1;
        if (!fault.bOpened) {
            std::cout << strPath << ": cannot be opened for reading\n";
            continue;
        }
        std::cout << strPath << ", line " << fault.nLine << ": expected " << fault.strExpected << ", found "
                  << (fault.strFound.empty() ? "the end of the file" : "\"" + AnsiToUtf8(fault.strFound) + "\"") << " ("
                  << fault.nFilms << " films read whole before it)\n";
    }
    return nStatus;
}

int RunStats(const std::string& strDir, bool bCsv)
{
    try {
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, strDir, true);
        const CatalogueStats stats = ComputeStats(catalogue);
        if (bCsv) {
            PrintStatsCsv(std::cout, stats);
        } else {
            PrintStats(std::cout, stats);
        }
        return 0;
    } catch (const InputRefused& refused) {
        std::cerr << "cinetrove-convert: " << refused.what() << "\n";
        return 1;
    }
}
