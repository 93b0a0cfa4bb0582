#pragma once

#include <map>
#include <string>
#include <vector>

// ZIP files through libzip: the few operations the converter needs.

// Reads the entries of the archive whose names are in `wanted`
// into `entries` (name -> bytes). Throws InputRefused when the file is no
// ZIP archive or an entry cannot be read or is too large to be an export.
void ReadZipEntries(const std::string& strPath, const std::map<std::string, bool>& wanted,
                    std::map<std::string, std::string>& entries);

// The names of every file entry of the archive ("folder/name" below the
// top). Throws InputRefused when the file is no ZIP archive.
std::vector<std::string> ListZipEntries(const std::string& strPath);

// Writes a new archive holding the given entries (name -> bytes), replacing
// `strPath` only once it is complete. False when it cannot be written.
bool WriteZipFile(const std::string& strPath, const std::map<std::string, std::string>& entries);
