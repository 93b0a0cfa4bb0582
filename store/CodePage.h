#pragma once

#include <string>
#include <string_view>

// Texts of the catalogue are bytes in Windows-1250. These convert them to and
// from UTF-8 with our own tables. Comma-below s and t (U+0218..U+021B) become
// the cedilla forms that the code page has; every other character outside
// the code page becomes '?'. Invalid UTF-8 sequences become '?' as well.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// Upper-casing of one Windows-1250 text, letters with diacritics included.
std::string AnsiToUpper(std::string_view ansi);
