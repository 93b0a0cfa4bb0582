#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The files of an export made of one fuzz input: the first byte says which
// of the five names are there (bit I for names[I]), the rest holds their
// bytes in that order, split at NUL bytes. nSize is at least 1.
inline std::map<std::string, std::string> SplitExportFiles(const std::uint8_t* pData, std::size_t nSize,
                                                           const char* const (&names)[5])
{
    std::string_view rest(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    std::map<std::string, std::string> files;
    for (int i = 0; i < 5; ++i) {
        if ((pData[0] & (1u << i)) == 0) continue;
        const std::size_t nEnd = std::min(rest.find('\0'), rest.size());
        files[names[i]] = std::string(rest.substr(0, nEnd));
        rest.remove_prefix(std::min(nEnd + 1, rest.size()));
    }
    return files;
}
