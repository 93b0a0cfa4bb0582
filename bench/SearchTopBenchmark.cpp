// Search and Top over a seen list of 100,000 films (or CINETROVE_BENCH_FILMS), run as the user runs
// them: the command on the real main window, its dialog built and answered,
// every row put into the result list. Show List of the same list is the
// yardstick: it costs the rows alone.

#include "ArchiveGenerator.h"
#include "BenchSize.h"
#include "CatalogDlg.h"
#include "ModalDriver.h"
#include "WinApp.h"
#include "resource.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const int kFilms = BenchFilms(100000);

void WriteFileOrDie(const std::filesystem::path& path, const std::string& bytes)
{
    std::FILE* pFile = std::fopen(path.c_str(), "wb");
    if (pFile == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size() ||
        std::fclose(pFile) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// Answers the Search dialog with the identifier and the Top dialog with OK;
// the choices themselves come from the main window's remembered ones. On the
// main window it runs the benchmarks.
class BenchDriver : public CModalDriver {
public:
    std::string m_strIdentifier;

    void RunDialog(CDialog& dialog) override
    {
        switch (dialog.GetTemplateID()) {
        case IDD_CINETROVE_DIALOG:
            RunBenchmarks(static_cast<CCatalogDlg&>(dialog));
            dialog.EndDialog(IDCANCEL);
            break;
        case IDD_SEARCH:
            if (CWnd* pIdentifier = dialog.GetDlgItem(IDC_IDENTIFIER)) pIdentifier->SetWindowText(m_strIdentifier);
            dialog.SendCommand(IDOK);
            break;
        default:
            dialog.SendCommand(IDOK);
        }
    }
    int RunMessageBox(const std::string&, const std::string&, UINT) override { return IDOK; }
    bool RunFileDialog(const std::string&, const std::string&, std::string&) override { return false; }

private:
    void RunBenchmarks(CCatalogDlg& dlg);
};

BenchDriver g_driver;

void SearchAllFields(benchmark::State& state, CCatalogDlg* pDlg, const std::string& strIdentifier)
{
    pDlg->m_bSearchOriginalTitle = pDlg->m_bSearchTitle = pDlg->m_bSearchCountry = 1;
    pDlg->m_bSearchYear = pDlg->m_bSearchDirector = pDlg->m_bSearchCast = 1;
    pDlg->m_bSearchRating = pDlg->m_bSearchViewings = 1;
    pDlg->m_bSearchApproximate = 1;
    pDlg->m_bSearchSeen = pDlg->m_bSearchToSee = 1;
    g_driver.m_strIdentifier = strIdentifier;
    for (auto _ : state) pDlg->OnSearch();
    state.counters["rows"] = pDlg->m_listCtrl.GetItemCount();
    state.SetItemsProcessed(state.iterations() * kFilms);
}

void Top(benchmark::State& state, CCatalogDlg* pDlg, int nCriterion)
{
    pDlg->m_nTopCriterion = nCriterion;
    for (auto _ : state) pDlg->OnTop();
    state.counters["rows"] = pDlg->m_listCtrl.GetItemCount();
    state.SetItemsProcessed(state.iterations() * kFilms);
}

void ShowList(benchmark::State& state, CCatalogDlg* pDlg)
{
    for (auto _ : state) pDlg->OnShowList();
    state.counters["rows"] = pDlg->m_listCtrl.GetItemCount();
    state.SetItemsProcessed(state.iterations() * kFilms);
}

void BenchDriver::RunBenchmarks(CCatalogDlg& dlg)
{
    if (dlg.m_catalogue.m_nSeenCount != kFilms) {
        std::fprintf(stderr, "the seen list holds %d films, not %d\n", dlg.m_catalogue.m_nSeenCount, kFilms);
        std::exit(1);
    }
    const auto ms = benchmark::kMillisecond;
    // A word of some titles (Windows-1250 "pădurea"), and a pair of letters
    // that almost every film holds somewhere: nearly every film becomes a row.
    benchmark::RegisterBenchmark("Search/AllFields/CaseBlind/Word", SearchAllFields, &dlg,
                                 "p\xE3"
                                 "durea")
        ->Unit(ms);
    benchmark::RegisterBenchmark("Search/AllFields/CaseBlind/Common", SearchAllFields, &dlg, "an")->Unit(ms);
    benchmark::RegisterBenchmark("Top/Rating", Top, &dlg, 0)->Unit(ms);
    benchmark::RegisterBenchmark("Top/Viewings", Top, &dlg, 1)->Unit(ms);
    benchmark::RegisterBenchmark("ShowList/Yardstick", ShowList, &dlg)->Unit(ms);
    benchmark::RunSpecifiedBenchmarks();
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);

    // A working folder whose data/ holds the generated catalogue; one film
    // seen two billion times makes the Top by viewings rank up to that number.
    std::vector<GeneratedFilm> films = GenerateFilms(kFilms, 7);
    films[kFilms / 2].nViewings = 2000000000;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cinetrove-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "data" / "comments" / "filme");
    std::filesystem::create_directories(dir / "data" / "comments" / "tosee");
    WriteFileOrDie(dir / "data" / "filme.cta", ArchiveBytes(films, BenchOrder()));
    WriteFileOrDie(dir / "data" / "tosee.cta", ArchiveBytes({}, ArchiveOrder::Descending));
    std::filesystem::current_path(dir);

    const int status = AfxWinMainDisplayless(argv[0], "cinetrove", g_driver);

    std::filesystem::current_path(dir.parent_path());
    std::filesystem::remove_all(dir);
    return status;
}
