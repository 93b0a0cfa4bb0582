#pragma once

#include <string>
#include <string_view>

// A file's bytes as they are on disk; empty when it cannot be read.
std::string ReadBytes(const std::string& strPath);
// Replaces the file with exactly these bytes; false when it cannot.
bool WriteBytes(const std::string& strPath, std::string_view bytes);
