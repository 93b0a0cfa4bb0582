#pragma once

#include "FileBytes.h"
#include "TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A private directory for one fuzzing process, in memory where the system
// has /dev/shm (or under $CINETROVE_FUZZ_TMP), removed at exit. The readers
// under test take paths, so each input goes to a file there first.
// libFuzzer may end the process without running destructors, so
// tools/fuzz.sh names a parent folder that it removes itself.
class FuzzDir : public TempDir {
public:
    FuzzDir() : TempDir(DefaultBase("CINETROVE_FUZZ_TMP")) {}

    // Writes the bytes to NAME in the directory and returns its path.
    std::string Put(const std::string& name, std::string_view bytes) const
    {
        const std::string strPath = *this / name;
        if (!WriteBytes(strPath, bytes)) {
            std::abort();
        }
        return strPath;
    }
};

// A property the target checks: a failure aborts, which the fuzzer reports
// as a crash with the input that caused it.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)
