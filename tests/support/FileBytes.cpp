#include "FileBytes.h"

#include <fstream>

std::string ReadBytes(const std::string& strPath)
{
    // The whole file in one read: some tests read archives of ten megabytes
    // a few hundred times.
    std::ifstream in(strPath, std::ios::binary | std::ios::ate);
    if (!in) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

bool WriteBytes(const std::string& strPath, std::string_view bytes)
{
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
