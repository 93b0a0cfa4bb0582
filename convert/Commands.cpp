#include "Commands.h"

#include "ArchiveCheck.h"
#include "ArchiveText.h"
#include "CatalogueCsv.h"
#include "CatalogueFolder.h"
#include "CatalogueReplace.h"
#include "CatalogueStats.h"
#include "CodePage.h"
#include "Diary.h"
#include "FilmIds.h"
#include "ImdbImport.h"
#include "ImportPlan.h"
#include "ImportSummary.h"
#include "InputRefused.h"
#include "LetterboxdExport.h"
#include "LetterboxdImport.h"
#include "Rating.h"
#include "ReportHtml.h"
#include "TellicoExport.h"
#include "TellicoImport.h"
#include "TextTools.h"
#include "TraktImport.h"

#include "FolderLock.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>
#include <system_error>
#include <tuple>

namespace {

IncomingRows ReadInput(const ImportOptions& options)
{
    switch (options.source) {
    case ImportSource::Imdb:
        return ReadImdbExport(ReadWholeFile(options.strInput), options.strInput, options.bAllTypes);
    case ImportSource::Letterboxd:
        return ReadLetterboxdExport(LoadLetterboxdFiles(options.strInput), options.strInput);
    case ImportSource::Trakt:
        return ReadTraktExport(LoadTraktFiles(options.strInput), options.strInput);
    case ImportSource::Csv:
        return ReadCatalogueCsv(ReadWholeFile(options.strInput), options.strInput);
    case ImportSource::Tellico:
        return ReadTellicoFile(options.strInput, options.strList == "tosee" ? TargetList::ToSee : TargetList::Seen);
    }
    return {};
}

// Lines longer than the original platform's archive reader takes: it reads
// the first 253 characters and the rest as the next line, so the archive
// reads whole here but not there. A warning, not a fault.
void WarnOfLongLines(const std::string& strPath)
{
    std::string bytes;
    try {
        bytes = ReadWholeFile(strPath);
    } catch (const InputRefused&) {
        return;  // the check has said why already
    }
    int nLine = 0;
    for (std::size_t nStart = 0; nStart < bytes.size();) {
        const std::size_t nEnd = std::min(bytes.find('\n', nStart), bytes.size());
        std::size_t nLength = nEnd - nStart;
        if (nLength > 0 && bytes[nEnd - 1] == '\r') --nLength;
        ++nLine;
        if (nLength > kMaxArchiveLine) {
            std::cout << strPath << ", line " << nLine << ": warning: " << nLength << " characters, more than the "
                      << kMaxArchiveLine << " the archive's reader on the original platform takes\n";
        }
        nStart = nEnd + 1;
    }
}

// Says whether the archive at strPath reads whole, or the line of its first
// fault; true when whole.
bool CheckOneArchive(const std::string& strPath)
{
    const ArchiveFault fault = CheckArchive(strPath);
    if (fault.bOpened) {
        WarnOfLongLines(strPath);
    }
    if (fault.bWhole) {
        std::cout << strPath << ": whole, " << fault.nFilms << " films\n";
        return true;
    }
    if (!fault.bOpened) {
        std::cout << strPath << ": cannot be opened for reading\n";
        return false;
    }
    std::cout << strPath << ", line " << fault.nLine << ": expected " << fault.strExpected << ", found "
              << (fault.strFound.empty() ? "the end of the file" : "\"" + AnsiToUtf8(fault.strFound) + "\"") << " ("
              << fault.nFilms << " films read whole before it)\n";
    return false;
}

// Writes a Letterboxd CSV, in parts of at most 1 MB when it is larger.
bool WriteLetterboxdFiles(const std::string& strPath, const std::string& csv, int nFilms)
{
    const std::vector<std::string> parts = SplitCsv(csv, kLetterboxdFileLimit);
    const std::vector<std::string> names = PartNames(strPath, parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!WriteWholeFile(names[i], parts[i])) return false;
    }
    std::cout << nFilms << " films written to " << names.front();
    if (names.size() > 1) std::cout << " ... " << names.back() << " (" << names.size() << " files of at most 1 MB)";
    std::cout << "\n";
    return true;
}

// True when strOutput names one of the catalogue's archives, its side file
// of ids or its diary, or lies in one of its comment folders, links
// followed: an export must not take their place.
bool IsInsideCatalogue(const Catalogue& catalogue, const std::string& strOutput)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path output = fs::weakly_canonical(strOutput, ec);
    const fs::path folder = fs::weakly_canonical(fs::path(catalogue.ArchivePath(kSeenList)).parent_path(), ec);
    for (const char* pSideFile : {FilmIds::kFileName, Diary::kFileName}) {
        if (output == folder / pSideFile) {
            return true;
        }
    }
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

}  // namespace

int ReportFailures(const std::vector<std::string>& failed)
{
    for (const std::string& strFailure : failed) {
        std::cerr << "cinetrove-convert: " << strFailure << "\n";
    }
    return failed.empty() ? 0 : 1;
}

int RunImport(const ImportOptions& options)
{
    try {
        const IncomingRows rows = ReadInput(options);
        // Other writers of the folder wait from this read to the last write.
        if (!options.bDryRun) {
            std::error_code ec;
            std::filesystem::create_directories(options.strDir, ec);
        }
        const FolderLock lock(options.strDir + "/filme.cta");
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, options.strDir, false);
        if (options.bReplace) {
            for (const std::string& strNote : rows.notes) std::cout << strNote << "\n";
            CatalogueReplace replace(catalogue, TextToRating(Utf8ToAnsi(options.strUnratedWord)));
            replace.Plan(rows.films);
            const int nStatus = options.bDryRun ? 0 : ReportFailures(replace.Commit());
            replace.PrintSummary(std::cout, options.bDryRun);
            return nStatus;
        }
        ImportPlan plan(catalogue, TextToRating(Utf8ToAnsi(options.strUnratedWord)));
        ImportSummary& summary = plan.Summary();
        summary.notes = rows.notes;
        for (const IncomingRows::Row& row : rows.leftOut) {
            summary.leftOut.push_back({row.strTitle, row.strSource, row.strWhy});
        }
        for (const IncomingRows::Row& row : rows.unknownTypes) {
            summary.unknownTypes.push_back({row.strTitle, row.strSource, row.strWhy});
        }
        for (const IncomingFilm& film : rows.films) {
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

int RunExport(ExportFormat format, const std::string& strOutput, const std::string& strDir,
              const std::string& strWatchlist)
{
    try {
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, strDir, true);
        for (const std::string& strPath : {strOutput, strWatchlist}) {
            if (!strPath.empty() && IsInsideCatalogue(catalogue, strPath)) {
                throw InputRefused(strPath, 0, "is a file of the catalogue itself; export to a file outside it");
            }
        }
        bool bWritten = false;
        int nFilms = catalogue.m_nSeenCount + catalogue.m_nToSeeCount;
        switch (format) {
        case ExportFormat::Csv:
            bWritten = WriteWholeFile(strOutput, WriteCatalogueCsv(catalogue));
            break;
        case ExportFormat::Letterboxd: {
            FilmIds ids;
            ids.Load(strDir);
            bWritten = WriteLetterboxdFiles(strOutput, WriteLetterboxdCsv(catalogue, ids), catalogue.m_nSeenCount);
            if (bWritten && !strWatchlist.empty()) {
                bWritten = WriteLetterboxdFiles(strWatchlist, WriteLetterboxdWatchlist(catalogue, ids),
                                                catalogue.m_nToSeeCount);
                if (!bWritten) return ReportFailures({strWatchlist + ": cannot be written"});
            }
            return bWritten ? 0 : ReportFailures({strOutput + ": cannot be written"});
        }
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

namespace {

// What is wrong with the diary, which never fails the check: a diary that
// does not read, rows that cannot be understood, rows naming a film neither
// list holds (renamed or removed in the window since).
void CheckDiary(const Catalogue& catalogue, const std::string& strDir, bool bListsRead)
{
    const std::string strPath = strDir + "/" + Diary::kFileName;
    std::error_code ec;
    if (!std::filesystem::exists(strPath, ec)) {
        return;
    }
    Diary diary;
    diary.Load(strDir);
    if (!diary.Problem().empty()) {
        std::cout << "warning: " << diary.Problem() << "\n";
        return;
    }
    for (const std::string& strFault : diary.Faults()) std::cout << "warning: " << strFault << "\n";
    std::cout << strPath << ": " << diary.Rows().size() << " dated viewings\n";
    if (!bListsRead) {
        return;
    }
    std::set<std::tuple<bool, std::string, std::string>> films;
    for (const bool bSeen : {true, false}) {
        for (const CFilmNode* p = bSeen ? catalogue.m_pSeenList : catalogue.m_pToSeeList; p != nullptr;
             p = p->m_pNext) {
            films.emplace(bSeen, AnsiToUtf8(p->m_pFilm->m_strOriginalTitle), AnsiToUtf8(p->m_pFilm->m_strYear));
        }
    }
    std::set<std::tuple<bool, std::string, std::string>> missing;
    for (const Diary::Row& row : diary.Rows()) {
        if (!films.contains({row.bSeen, row.strTitle, row.strYear}))
            missing.emplace(row.bSeen, row.strTitle, row.strYear);
    }
    for (const auto& [bSeen, strTitle, strYear] : missing) {
        std::cout << strPath << ": warning: rows of \"" << strTitle << "\""
                  << (strYear.empty() ? "" : " (" + strYear + ")") << ", which the " << (bSeen ? "seen" : "to-see")
                  << " list does not hold\n";
    }
}

}  // namespace

int RunCheck(const std::string& strDir)
{
    // A file is one archive checked alone: a numbered copy a run left
    // (filme.cta.1) is read the same way.
    std::error_code error;
    if (std::filesystem::is_regular_file(strDir, error)) {
        return CheckOneArchive(strDir) ? 0 : 1;
    }
    Catalogue catalogue;
    if (!catalogue.UseDataFolder(strDir)) {
        std::cerr << "cinetrove-convert: " << strDir << ": the folder's path is too long for a catalogue\n";
        return 1;
    }
    bool bWhole = true;
    for (const std::string strPath : {catalogue.ArchivePath(kSeenList), catalogue.ArchivePath(kToSeeList)}) {
        bWhole = CheckOneArchive(strPath) && bWhole;
    }
    try {
        if (bWhole) OpenCatalogueFolder(catalogue, strDir, false);
    } catch (const InputRefused&) {
        bWhole = false;  // changed on disk since the check read it
    }
    CheckDiary(catalogue, strDir, bWhole);
    return bWhole ? 0 : 1;
}

int RunStats(const std::string& strDir, bool bCsv, const std::string& strYear)
{
    try {
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, strDir, true);
        CatalogueStats stats = ComputeStats(catalogue);
        Diary diary;
        diary.Load(strDir);
        AddDiaryStats(stats, diary, strYear);
        if (!diary.Problem().empty()) std::cerr << "cinetrove-convert: warning: " << diary.Problem() << "\n";
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

int RunReport(const std::string& strOutput, const std::string& strDir, const std::string& strYear)
{
    try {
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, strDir, true);
        if (IsInsideCatalogue(catalogue, strOutput)) {
            throw InputRefused(strOutput, 0, "is a file of the catalogue itself; write the report outside it");
        }
        // The diary only adds the dated viewings: without it the page is
        // the same less those.
        Diary diary;
        diary.Load(strDir);
        if (!diary.Problem().empty()) {
            std::cerr << "cinetrove-convert: warning: " << diary.Problem() << "\n";
        }
        if (!diary.Faults().empty()) {
            std::cerr << "cinetrove-convert: warning: " << diary.Faults().size()
                      << " diary rows not understood and left out, the first: " << diary.Faults().front() << "\n";
        }
        if (!WriteWholeFile(strOutput, WriteReportHtml(catalogue, diary, strYear))) {
            return ReportFailures({strOutput + ": cannot be written"});
        }
        std::cout << catalogue.m_nSeenCount + catalogue.m_nToSeeCount << " films written to " << strOutput << "\n";
        return 0;
    } catch (const InputRefused& refused) {
        std::cerr << "cinetrove-convert: " << refused.what() << "\n";
        return 1;
    }
}
