#include "TextEncoding.h"

#include <array>

namespace {

// Windows-1252, bytes 0x80..0x9F; from 0xA0 on it is Latin-1.
constexpr std::array<char16_t, 32> kLow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) {
            continue;
        }
        std::size_t nMore = 0;
        char32_t cpSmallest = 0;  // below it the sequence would be overlong
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            nMore = 1;
            cpSmallest = 0x80;
            cp = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            nMore = 2;
            cpSmallest = 0x800;
            cp = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            nMore = 3;
            cpSmallest = 0x10000;
            cp = lead & 0x07u;
        } else {
            return false;
        }
        if (bytes.size() - i < nMore) {
            return false;
        }
        for (std::size_t k = 0; k < nMore; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i++]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if (cp < cpSmallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kLow[b - 0x80u] : char32_t{b});
    }
    return out;
}
