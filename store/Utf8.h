#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One character to and from UTF-8, for the code page's conversions and the
// companion's readers.

// Appends the UTF-8 bytes of one code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

// Decodes one UTF-8 sequence at `pos`, strictly: no overlong forms, no
// surrogates, nothing above U+10FFFF. On an invalid sequence returns false
// and advances past the lead byte and the continuation bytes that fitted.
bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp);
