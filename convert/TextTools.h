#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small text helpers shared by the importers and exporters.

// The text without blanks (spaces, tabs) at either end.
std::string TrimBlanks(std::string_view text);
// The text without line breaks (CR, LF) at either end.
std::string TrimLineBreaks(std::string_view text);
// Every line break (CR LF, LF, lone CR) as CR LF, the line break of the
// window's comment box.
std::string WithCrLfBreaks(std::string_view text);
// A size as a refusal states it: "64 MiB" for a whole number of MiB,
// otherwise "N bytes".
std::string SizeText(std::size_t nBytes);
// A count with a dot between groups of three digits, as Romanian texts
// write it: "1.234.567", "-12.000".
std::string GroupedNumber(long long nValue);
// The whole file's bytes; throws InputRefused when it cannot be read.
std::string ReadWholeFile(const std::string& strPath);
// Replaces the file atomically with `bytes`; false when it cannot be written.
bool WriteWholeFile(const std::string& strPath, std::string_view bytes);
