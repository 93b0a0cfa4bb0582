#pragma once

#include <filesystem>
#include <set>
#include <string>

// A fresh directory for one test, removed with everything in it afterwards.
// It lives under the folder named by $CINETROVE_TEST_TMP (set by CTest to a
// folder of the build tree), else under /dev/shm where the system has it,
// else under the system's temporary directory.
class TempDir {
public:
    TempDir() : TempDir(DefaultBase("CINETROVE_TEST_TMP")) {}
    explicit TempDir(const std::filesystem::path& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The base folder named by the environment variable, or the default.
    static std::filesystem::path DefaultBase(const char* pszVariable);

    std::string Path() const { return m_path.string(); }
    std::string operator/(const std::string& strName) const { return (m_path / strName).string(); }

    // Names of the entries directly in the directory.
    std::set<std::string> Entries() const;

private:
    std::filesystem::path m_path;
};
