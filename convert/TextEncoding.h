#pragma once

#include <string>
#include <string_view>

// The encodings exports arrive in. Sites write UTF-8, but a file saved on
// Windows by a spreadsheet or an older download holds the system's code page.

// True when every byte sequence is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);
// Windows-1252 text as UTF-8; the five bytes the code page leaves undefined
// stand for the C1 controls of the same value.
std::string Windows1252ToUtf8(std::string_view bytes);
