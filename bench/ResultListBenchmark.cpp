// Show List and To See of 100,000 films (or CINETROVE_BENCH_FILMS, see BenchSize.h) into the real result list, with the
// toolkit's display-less platform; Count alongside, which reads two members.
#include "ArchiveGenerator.h"
#include "BenchSize.h"
#include "CatalogDlg.h"
#include "ModalDriver.h"
#include "WinApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

const int kFilms = BenchFilms(100000);
CCatalogDlg* g_pDlg = nullptr;

void BM_ShowList(benchmark::State& state)
{
    for (auto _ : state) g_pDlg->OnShowList();
    state.counters["rows"] = g_pDlg->m_listCtrl.GetItemCount();
}
BENCHMARK(BM_ShowList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ToSee(benchmark::State& state)
{
    for (auto _ : state) g_pDlg->OnToSee();
    state.counters["rows"] = g_pDlg->m_listCtrl.GetItemCount();
}
BENCHMARK(BM_ToSee)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Count(benchmark::State& state)
{
    for (auto _ : state) g_pDlg->OnCount();
}
BENCHMARK(BM_Count)->Unit(benchmark::kMicrosecond);

// Runs the benchmarks inside the main window's modal run, then closes it.
class BenchmarkDriver : public CModalDriver {
public:
    void RunDialog(CDialog& dialog) override
    {
        g_pDlg = dynamic_cast<CCatalogDlg*>(&dialog);
        if (g_pDlg) benchmark::RunSpecifiedBenchmarks();
        dialog.EndDialog(IDCANCEL);
    }
    int RunMessageBox(const std::string&, const std::string&, UINT) override { return IDOK; }
    bool RunFileDialog(const std::string&, const std::string&, std::string&) override { return false; }
};

void WriteCatalogue(const std::filesystem::path& folder)
{
    const std::filesystem::path data = folder / "data";
    std::filesystem::create_directories(data / "comments" / "filme");
    std::filesystem::create_directories(data / "comments" / "tosee");
    std::ofstream(data / "filme.cta", std::ios::binary) << ArchiveBytes(GenerateFilms(kFilms, 1), BenchOrder());
    auto toSee = GenerateFilms(kFilms, 2);
    for (auto& film : toSee) {
        film.nRating = 6;
        film.nViewings = 0;
    }
    std::ofstream(data / "tosee.cta", std::ios::binary) << ArchiveBytes(std::move(toSee), BenchOrder());
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "cinetrove-bench-list";
    std::filesystem::remove_all(folder);
    WriteCatalogue(folder);
    std::filesystem::current_path(folder);
    BenchmarkDriver driver;
    const int status = AfxWinMainDisplayless(argv[0], "cinetrove", driver);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);
    return status;
}
