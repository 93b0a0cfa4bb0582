#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A fresh directory for one test, removed with everything in it afterwards.
// It lives under $CINETROVE_TEST_TMP (set by CTest to a folder of the build
// tree) or else under the system's temporary directory.
class TempDir {
public:
    TempDir() {
        const char* pBase = std::getenv("CINETROVE_TEST_TMP");
        const std::filesystem::path base =
            pBase != nullptr ? std::filesystem::path(pBase) : std::filesystem::temp_directory_path();
        std::filesystem::create_directories(base);
        std::string strTemplate = (base / "store-XXXXXX").string();
        std::vector<char> name(strTemplate.begin(), strTemplate.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = name.data();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path() const { return m_path.string(); }
    std::string operator/(const std::string& strName) const { return (m_path / strName).string(); }

    // Names of the entries directly in the directory.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& strPath, const std::string& bytes) {
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out << bytes;
}
