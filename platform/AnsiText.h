#pragma once

#include <string>
#include <string_view>

// Texts outside the framework are bytes in the program's ANSI code page. The
// program hands the framework its conversions to and from UTF-8 at start-up;
// until then texts pass as Latin-1.
using TextConversion = std::string (*)(std::string_view);

void AfxSetAnsiCodePage(TextConversion ansiToUtf8, TextConversion utf8ToAnsi);
std::string AfxAnsiToUtf8(std::string_view ansi);
std::string AfxUtf8ToAnsi(std::string_view utf8);
