#pragma once

#include "ArchiveGenerator.h"

#include <cstdlib>
#include <string>

// The size and order of the catalogue the window benchmarks load: 100,000
// films in descending order unless CINETROVE_BENCH_FILMS (e.g. 1000000) and
// CINETROVE_BENCH_ORDER ("random") say otherwise.
inline int BenchFilms(int nDefault)
{
    const char* p = std::getenv("CINETROVE_BENCH_FILMS");
    const int n = p != nullptr ? std::atoi(p) : 0;
    return n > 0 ? n : nDefault;
}

inline ArchiveOrder BenchOrder()
{
    const char* p = std::getenv("CINETROVE_BENCH_ORDER");
    return p != nullptr && std::string(p) == "random" ? ArchiveOrder::Random : ArchiveOrder::Descending;
}
