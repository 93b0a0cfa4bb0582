#pragma once

#include <map>
#include <string>

// ZIP files through libzip: the few operations the converter needs.

// Reads the entries at the top of the archive whose names are in `wanted`
// into `entries` (name -> bytes). Throws InputRefused when the file is no
// ZIP archive or an entry cannot be read or is too large to be an export.
void ReadZipEntries(const std::string& strPath, const std::map<std::string, bool>& wanted,
                    std::map<std::string, std::string>& entries);

// Writes a new archive holding the given entries (name -> bytes), replacing
// `strPath` only once it is complete. False when it cannot be written.
bool WriteZipFile(const std::string& strPath, const std::map<std::string, std::string>& entries);
