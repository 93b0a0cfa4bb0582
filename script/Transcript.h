#pragma once

#include <string>
#include <string_view>

// The runner's transcript: one line per event, texts escaped so that each
// event stays on its line.

// Escapes \, CR, LF, tab and other control bytes of a text of the system's
// own bytes (paths, already UTF-8).
std::string EscapeBytes(std::string_view text);
// Escapes a text of the ANSI code page and writes it in UTF-8.
std::string EscapeAnsi(std::string_view ansi);
// Decodes the escapes of a scenario's TEXT argument: \n, \r, \t and \\.
std::string DecodeScenarioText(std::string_view text);

void PrintLine(const std::string& line);
