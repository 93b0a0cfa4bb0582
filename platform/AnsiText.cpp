#include "AnsiText.h"

namespace {

std::string Latin1ToUtf8(std::string_view ansi)
{
    std::string out;
    for (const unsigned char c : ansi) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf8ToLatin1(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size() && c <= 0xC3) {
            out += static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            out += '?';
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
        }
    }
    return out;
}

TextConversion g_toUtf8 = Latin1ToUtf8;
TextConversion g_fromUtf8 = Utf8ToLatin1;

}  // namespace

void AfxSetAnsiCodePage(TextConversion ansiToUtf8, TextConversion utf8ToAnsi)
{
    g_toUtf8 = ansiToUtf8;
    g_fromUtf8 = utf8ToAnsi;
}

std::string AfxAnsiToUtf8(std::string_view ansi) { return g_toUtf8(ansi); }
std::string AfxUtf8ToAnsi(std::string_view utf8) { return g_fromUtf8(utf8); }
