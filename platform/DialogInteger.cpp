#include "DialogInteger.h"

#include <cstdint>

bool ParseDialogInteger(std::string_view text, int& value)
{
    std::size_t i = 0;
    const auto blank = [&](std::size_t k) { return text[k] == ' ' || text[k] == '\t'; };
    while (i < text.size() && blank(i)) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digitsStart = i;
    std::int64_t magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{INT32_MAX} + 1) return false;
        ++i;
    }
    if (i == digitsStart) return false;
    while (i < text.size() && blank(i)) ++i;
    if (i != text.size()) return false;
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return false;
    value = static_cast<int>(result);
    return true;
}
