#include "TempDir.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

TempDir::TempDir(const std::filesystem::path& base)
{
    std::filesystem::create_directories(base);
    std::string strTemplate = (base / "cinetrove-XXXXXX").string();
    std::vector<char> name(strTemplate.begin(), strTemplate.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed in " + base.string());
    }
    m_path = name.data();
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempDir::DefaultBase(const char* pszVariable)
{
    if (const char* pBase = std::getenv(pszVariable)) {
        return pBase;
    }
    std::error_code ec;
    return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                         : std::filesystem::temp_directory_path();
}

std::set<std::string> TempDir::Entries() const
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}
