// Writes a generated archive for measurements through the scenario runner:
//   bench_make_archive FILMS descending|random PATH [seen|tosee] [SEED]
// "tosee" gives every film the to-see rating and no viewings, as the to-see
// archive holds them.
#include "ArchiveGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FILMS descending|random PATH [seen|tosee] [SEED]\n", argv[0]);
        return 2;
    }
    const int nFilms = std::atoi(argv[1]);
    const std::string strOrder = argv[2];
    if (nFilms < 0 || (strOrder != "descending" && strOrder != "random")) {
        std::fprintf(stderr, "bad film count or order\n");
        return 2;
    }
    const bool bToSee = argc > 4 && std::string(argv[4]) == "tosee";
    const auto nSeed = static_cast<std::uint32_t>(argc > 5 ? std::strtoul(argv[5], nullptr, 10) : 1);
    auto films = GenerateFilms(nFilms, nSeed);
    if (bToSee) {
        for (auto& film : films) {
            film.nRating = 6;
            film.nViewings = 0;
        }
    }
    const std::string bytes =
        ArchiveBytes(std::move(films), strOrder == "random" ? ArchiveOrder::Random : ArchiveOrder::Descending, nSeed);
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
