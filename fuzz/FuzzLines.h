#pragma once

#include <cstddef>
#include <string_view>

// The lines of a text as the CSV reader counts them: CR LF, LF and a lone
// CR each end one, and a last line without an end is a line too.
inline int CountCsvLines(std::string_view text)
{
    int nLines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++nLines;
    }
    return nLines;
}
