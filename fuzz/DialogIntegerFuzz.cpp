// The integer field of the dialog exchange on any text, against a plain
// reading of the rule: blanks and tabs around an optional sign and decimal
// digits, and a value that fits in 32 bits. Nothing else is accepted, and an
// accepted text gives exactly its value.
#include "DialogInteger.h"
#include "FuzzFile.h"

#include <climits>

namespace {

bool Reference(std::string_view text, long long& value)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 1LL << 40) return false;  // far outside 32 bits already
    }
    value = negative ? -magnitude : magnitude;
    return value >= INT_MIN && value <= INT_MAX;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    int value = 12345;
    long long expected = 0;
    const bool bAccepted = ParseDialogInteger(text, value);
    FUZZ_CHECK(bAccepted == Reference(text, expected));
    FUZZ_CHECK(bAccepted ? value == expected : value == 12345);
    return 0;
}
