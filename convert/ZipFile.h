#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// ZIP files through libzip: the few operations the converter needs.

// The largest entry an export's ZIP file may hold once unpacked.
constexpr std::size_t kMaxZipEntryBytes = 64u * 1024u * 1024u;  // 64 MiB

// Reads the entries of the archive whose names are in `wanted`
// into `entries` (name -> bytes). Throws InputRefused, naming the file and
// the entry, when the file is no ZIP archive or is inconsistent, or a wanted
// entry cannot be read, is larger than nMaxEntryBytes, fails its checksum,
// or has the name of another entry; and, before reading any, when the
// wanted entries are larger than nMaxTotalBytes together.
void ReadZipEntries(const std::string& strPath, const std::map<std::string, bool>& wanted,
                    std::map<std::string, std::string>& entries, std::size_t nMaxEntryBytes = kMaxZipEntryBytes,
                    std::size_t nMaxTotalBytes = SIZE_MAX);

// The names of every file entry of the archive ("folder/name" below the
// top). Throws InputRefused when the file is no ZIP archive.
std::vector<std::string> ListZipEntries(const std::string& strPath);

// Writes a new archive holding the given entries (name -> bytes), replacing
// `strPath` only once it is complete. False when it cannot be written.
bool WriteZipFile(const std::string& strPath, const std::map<std::string, std::string>& entries);
