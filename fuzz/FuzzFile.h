#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

// A private directory for one fuzzing process, in memory where the system
// has /dev/shm (or under $CINETROVE_FUZZ_TMP), removed at exit. The readers
// under test take paths, so each input goes to a file there first.
class FuzzDir {
public:
    FuzzDir() {
        // libFuzzer may end the process without running destructors, so
        // tools/fuzz.sh names a parent folder that it removes itself.
        const char* pBase = std::getenv("CINETROVE_FUZZ_TMP");
        if (pBase == nullptr) {
            pBase = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        }
        std::string strTemplate = std::string(pBase) + "/cinetrove-fuzz-XXXXXX";
        if (::mkdtemp(strTemplate.data()) == nullptr) {
            std::abort();
        }
        m_strPath = strTemplate;
    }
    ~FuzzDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_strPath, ec);
    }
    FuzzDir(const FuzzDir&) = delete;
    FuzzDir& operator=(const FuzzDir&) = delete;

    std::string operator/(std::string_view name) const { return m_strPath + "/" + std::string(name); }
    const std::string& Path() const { return m_strPath; }

    // Writes the bytes to NAME in the directory and returns its path.
    std::string Put(std::string_view name, std::string_view bytes) const {
        const std::string strPath = *this / name;
        std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::abort();
        }
        return strPath;
    }

private:
    std::string m_strPath;
};

inline std::string ReadWhole(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A property the target checks: a failure aborts, which the fuzzer reports
// as a crash with the input that caused it.
#define FUZZ_CHECK(cond)                                                            \
    do {                                                                            \
        if (!(cond)) {                                                              \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                           \
        }                                                                           \
    } while (0)
