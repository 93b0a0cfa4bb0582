#pragma once

#include <string>
#include <string_view>

// Texts of the catalogue are bytes in Windows-1250. These convert them to and
// from UTF-8 with our own tables. Comma-below s and t (U+0218..U+021B) become
// the cedilla forms that the code page has; every other character outside
// the code page becomes its nearest letter there (è to e, ñ to n, ø to o,
// fullwidth Ａ to A, ‐ to -; Greek and Cyrillic letters spelt in Latin ones
// by ELOT 743 and ISO 9, θ to th, ж to ž; the table and its rules are in
// tools/make_codepage_fold.py), and '?' when it has none. A combining accent
// joins the letter before it where the code page has the pair as one letter
// and is dropped otherwise. Invalid UTF-8 sequences become '?'.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
// A path shown as code-page text: the same, except that Greek and Cyrillic
// letters stay '?' rather than spelt in Latin ones, so that a folder's name
// shown in a box never reads as the name of another folder that may exist.
std::string PathToAnsi(std::string_view utf8);

// Upper-casing of one Windows-1250 text, letters with diacritics included.
std::string AnsiToUpper(std::string_view ansi);
