#include "Utf8.h"

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) {
        cp = lead;
        return true;
    }
    int nMore = 0;            // continuation bytes that follow
    char32_t cpSmallest = 0;  // below it the sequence would be overlong
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
    for (int i = 0; i < nMore; ++i) {
        if (pos >= s.size()) {
            return false;
        }
        const auto c = static_cast<unsigned char>(s[pos]);
        if ((c & 0xC0) != 0x80) {
            return false;
        }
        ++pos;
        cp = (cp << 6) | (c & 0x3F);
    }
    return cp >= cpSmallest && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}
