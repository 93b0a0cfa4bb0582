// The companion's import at 10,000 and 100,000 IMDb rows into an empty
// catalogue (read, match, insert, write), and a comment saved in a folder of
// 100,000 comment files against one in an empty folder.
#include "Catalogue.h"
#include "CatalogueFolder.h"
#include "FilmList.h"
#include "ImdbImport.h"
#include "ImportPlan.h"
#include "Rating.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

namespace {

// A folder of its own under the system's temporary directory, removed after.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string strTemplate = (std::filesystem::temp_directory_path() / "cinetrove-bench-XXXXXX").string();
        if (::mkdtemp(strTemplate.data()) == nullptr) std::abort();
        m_path = strTemplate;
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// An IMDb ratings export of n rated films in random order, some titles twice.
std::string ImdbRatings(int nRows)
{
    std::mt19937 random(42);
    std::string csv =
        "Const,Your Rating,Date Rated,Title,Original Title,URL,Title Type,IMDb Rating,Runtime (mins),Year,"
        "Genres,Num Votes,Release Date,Directors\n";
    char line[256];
    for (int i = 0; i < nRows; ++i) {
        const auto nTitle = static_cast<unsigned>(random() % static_cast<unsigned>(nRows));
        std::snprintf(line, sizeof line,
                      "tt%07d,%u,2020-01-01,Film %07u,Film %07u,https://example.invalid/,Movie,7.0,90,%d,Drama,100,"
                      "2000-01-01,\"Regizor %d, Altul\"\n",
                      i, static_cast<unsigned>(1 + random() % 10), nTitle, nTitle, 1950 + i % 70, i % 500);
        csv += line;
    }
    return csv;
}

void BM_ImportImdbIntoEmptyCatalogue(benchmark::State& state)
{
    const std::string csv = ImdbRatings(static_cast<int>(state.range(0)));
    int nAdded = 0;
    std::optional<ScratchFolder> folder;
    for (auto _ : state) {
        state.PauseTiming();
        folder.reset();  // the last run's catalogue goes first
        folder.emplace();
        state.ResumeTiming();
        Catalogue catalogue;
        OpenCatalogueFolder(catalogue, folder->Path().string(), false);
        ImportPlan plan(catalogue, TextToRating("Bun"));
        for (const IncomingFilm& film : ReadImdbExport(csv, "ratings.csv").films) plan.Add(film);
        if (!plan.Commit().empty()) state.SkipWithError("the import could not be written");
        nAdded = plan.Summary().nSeenAdded;
    }
    state.counters["films_added"] = nAdded;
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ImportImdbIntoEmptyCatalogue)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// New's comment: the first save of a run sweeps the folder once; the saves
// measured here come after it, as every New but the first of a run does.
void BM_SaveCommentInFolderOf(benchmark::State& state)
{
    ScratchFolder folder;
    Catalogue catalogue;
    catalogue.UseDataFolder(folder.Path().string());
    const std::string strDir = catalogue.CommentDir(kSeenList);
    std::filesystem::create_directories(strDir);
    for (int i = 0; i < state.range(0); ++i) {
        if (std::FILE* pFile = std::fopen((strDir + "/Film " + std::to_string(i) + ".ctc").c_str(), "w"))
            std::fclose(pFile);
    }
    const auto yes = [](const std::string&) { return true; };
    catalogue.SaveComment("Primul", kSeenList, "un comentariu", yes);
    int n = 0;
    for (auto _ : state) {
        if (catalogue.SaveComment("Nou " + std::to_string(n++ % 100), kSeenList, "un comentariu\nde doua linii", yes) !=
            Catalogue::SaveResult::Written)
            state.SkipWithError("the comment could not be written");
    }
    state.counters["files_in_folder"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_SaveCommentInFolderOf)->Arg(0)->Arg(100'000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
