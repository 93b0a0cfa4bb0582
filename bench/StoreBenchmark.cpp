// Loading and saving a catalogue of 100,000 films, each beside its floor: the
// cost of merely reading the file and splitting it into lines, and of merely
// writing (and syncing) the same bytes. After the runs the ratios are printed.
// Then a million films in both orders: loading on a cold heap (each load in a
// fresh process, as at start-up), saving and freeing what was loaded.
// CINETROVE_BENCH_MILLION=0 leaves the million out.

#include "Archive.h"
#include "ArchiveGenerator.h"
#include "FilmList.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kFilms = 100000;

std::filesystem::path g_dir;

std::string PathOf(const std::string& strName) { return (g_dir / strName).string(); }

void WriteFileOrDie(const std::string& strPath, const std::string& bytes)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size() ||
        std::fclose(pFile) != 0) {
        std::fprintf(stderr, "cannot write %s\n", strPath.c_str());
        std::exit(1);
    }
}

void BM_Load(benchmark::State& state, const std::string& strPath)
{
    for (auto _ : state) {
        ArchiveContents contents;
        const ArchiveReadResult result = ReadArchive(strPath, contents);
        benchmark::DoNotOptimize(result);
        state.PauseTiming();  // neither side pays for freeing what it built
        FreeList(contents.pHead);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFilms);
}

// The floor of loading: read the whole file and split it into lines.
void BM_ReadLinesFloor(benchmark::State& state, const std::string& strPath)
{
    for (auto _ : state) {
        const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        ::fstat(fd, &st);
        std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
        std::size_t nDone = 0;
        while (nDone < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + nDone, bytes.size() - nDone);
            if (n <= 0) break;
            nDone += static_cast<std::size_t>(n);
        }
        ::close(fd);
        bytes.resize(nDone);
        std::vector<std::string> lines;
        lines.reserve(static_cast<std::size_t>(kFilms) * 7 + 3);
        std::size_t nStart = 0;
        for (std::size_t nLf = bytes.find('\n'); nLf != std::string::npos; nLf = bytes.find('\n', nStart)) {
            lines.emplace_back(bytes, nStart, nLf - nStart);
            nStart = nLf + 1;
        }
        benchmark::DoNotOptimize(lines.data());
        state.PauseTiming();
        lines = {};
        bytes = {};
        state.ResumeTiming();
    }
}

void BM_Save(benchmark::State& state, const CFilmNode* pList, int nCount)
{
    const std::string strPath = PathOf("save.cta");
    for (auto _ : state) {
        if (!WriteArchive(strPath, pList, nCount)) {
            state.SkipWithError("WriteArchive failed");
            break;
        }
    }
}

// The floor of saving: write the same bytes to a file, with or without the
// sync to disk that a save which survives a crash needs.
void BM_WriteFloor(benchmark::State& state, const std::string& bytes, bool bSync)
{
    const std::string strPath = PathOf("floor.cta");
    for (auto _ : state) {
        const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        std::size_t nDone = 0;
        while (nDone < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + nDone, bytes.size() - nDone);
            if (n <= 0) break;
            nDone += static_cast<std::size_t>(n);
        }
        if (bSync) ::fsync(fd);
        ::close(fd);
    }
}

constexpr int kMillion = 1000000;

// One load timed in this process; what a fresh process started with
// kLoadOnce runs instead of the benchmarks.
constexpr const char* kLoadOnce = "--cinetrove-load-once";

int LoadOnce(const char* pPath)
{
    const auto t0 = std::chrono::steady_clock::now();
    ArchiveContents contents;
    const bool bRead = ReadArchive(pPath, contents) == ArchiveRead && contents.nCount == kMillion;
    const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!bRead) return 1;
    std::printf("%.6f\n", dSeconds);
    return 0;  // the films go with the process, as they would at the program's end
}

// A load in a fresh process: its heap has never been used, as on the
// program's start (a forked child would share, and copy, this one's heap).
void BM_LoadColdHeap(benchmark::State& state, const std::string& strPath)
{
    for (auto _ : state) {
        int fds[2];
        if (::pipe(fds) != 0) {
            state.SkipWithError("pipe failed");
            break;
        }
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            ::execl("/proc/self/exe", "bench_store", kLoadOnce, strPath.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char text[64] = {};
        const ssize_t nRead = pid > 0 ? ::read(fds[0], text, sizeof text - 1) : -1;
        ::close(fds[0]);
        int nStatus = 1;
        if (pid > 0) ::waitpid(pid, &nStatus, 0);
        if (nRead <= 0 || nStatus != 0) {
            state.SkipWithError("the fresh process did not load the archive");
            break;
        }
        state.SetIterationTime(std::strtod(text, nullptr));
    }
}

// Saving, then freeing, a million films loaded from the file at strPath.
void BM_SaveMillion(benchmark::State& state, const std::string& strPath)
{
    ArchiveContents contents;
    ReadArchive(strPath, contents);
    const std::string strOut = PathOf("million-save.cta");
    for (auto _ : state) {
        if (!WriteArchive(strOut, contents.pHead, contents.nCount)) {
            state.SkipWithError("WriteArchive failed");
            break;
        }
    }
    FreeList(contents.pHead);
}

void BM_FreeMillion(benchmark::State& state, const std::string& strPath)
{
    for (auto _ : state) {
        state.PauseTiming();
        ArchiveContents contents;
        ReadArchive(strPath, contents);
        state.ResumeTiming();
        FreeList(contents.pHead);
    }
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(::isatty(1) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With --benchmark_repetitions the median, reported after the
        // repetitions, replaces the single runs.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
                m_times[run.run_name.str()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatio(const std::string& strWhat, const std::string& strA, const std::string& strB, double dTarget) const
    {
        const auto a = m_times.find(strA);
        const auto b = m_times.find(strB);
        if (a == m_times.end() || b == m_times.end() || b->second <= 0) return;
        const double dRatio = a->second / b->second;
        std::printf("%-40s %6.2f  (target <= %.0f) %s\n", strWhat.c_str(), dRatio, dTarget,
                    dRatio <= dTarget ? "ok" : "OVER");
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == kLoadOnce) {
        return LoadOnce(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    const char* pDir = std::getenv("CINETROVE_BENCH_DIR");
    g_dir = std::filesystem::path(pDir != nullptr ? pDir : std::filesystem::temp_directory_path()) /
            ("cinetrove-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(g_dir);

    const std::vector<GeneratedFilm> films = GenerateFilms(kFilms);
    const std::string strSorted = PathOf("sorted.cta");
    const std::string strRandom = PathOf("random.cta");
    const std::string sortedBytes = ArchiveBytes(films, ArchiveOrder::Descending);
    WriteFileOrDie(strSorted, sortedBytes);
    WriteFileOrDie(strRandom, ArchiveBytes(films, ArchiveOrder::Random));

    ArchiveContents list;
    if (ReadArchive(strSorted, list) != ArchiveRead || list.nCount != kFilms) {
        std::fprintf(stderr, "generated archive does not read\n");
        return 1;
    }

    benchmark::RegisterBenchmark("Load/descending", BM_Load, strSorted)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Load/random", BM_Load, strRandom)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ReadLinesFloor", BM_ReadLinesFloor, strSorted)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Save", BM_Save, list.pHead, list.nCount)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WriteFloor/sync", BM_WriteFloor, sortedBytes, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WriteFloor/nosync", BM_WriteFloor, sortedBytes, false)->Unit(benchmark::kMillisecond);

    const char* pMillion = std::getenv("CINETROVE_BENCH_MILLION");
    if (pMillion == nullptr || std::string(pMillion) != "0") {
        const std::vector<GeneratedFilm> million = GenerateFilms(kMillion);
        for (const auto& [strName, order] :
             {std::pair<std::string, ArchiveOrder>{"descending", ArchiveOrder::Descending},
              std::pair<std::string, ArchiveOrder>{"random", ArchiveOrder::Random}}) {
            const std::string strPath = PathOf("million-" + strName + ".cta");
            WriteFileOrDie(strPath, ArchiveBytes(million, order));
            benchmark::RegisterBenchmark(("Million/LoadColdHeap/" + strName).c_str(), BM_LoadColdHeap, strPath)
                ->UseManualTime()
                ->Iterations(3)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Million/Save/" + strName).c_str(), BM_SaveMillion, strPath)
                ->Iterations(3)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Million/Free/" + strName).c_str(), BM_FreeMillion, strPath)
                ->Iterations(3)
                ->Unit(benchmark::kMillisecond);
        }
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%d films, %zu bytes\n", kFilms, sortedBytes.size());
    reporter.PrintRatio("load (descending file) / read+split", "Load/descending", "ReadLinesFloor", 4);
    reporter.PrintRatio("load (random file) / read+split", "Load/random", "ReadLinesFloor", 4);
    reporter.PrintRatio("save / write+fsync same bytes", "Save", "WriteFloor/sync", 3);
    reporter.PrintRatio("save / write same bytes, no fsync", "Save", "WriteFloor/nosync", 3);

    FreeList(list.pHead);
    std::error_code ec;
    std::filesystem::remove_all(g_dir, ec);
    benchmark::Shutdown();
    return 0;
}
