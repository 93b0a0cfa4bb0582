#include "CodePage.h"

#include "Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

namespace {

struct FoldEntry {
    char32_t cp;
    unsigned char byte;
};

struct ComposeEntry {
    char16_t base;
    char16_t mark;
    unsigned char byte;
};

struct SpellEntry {
    char32_t cp;
    const char* pMixed;  // in a word of small letters, or after a capital starting one
    const char* pCaps;   // in a word of capitals
};

struct PairEntry {
    char16_t first;
    char16_t second;
    const char* pText;
    const char* pBeforeVoiceless;  // also at the end of a word
};

#include "CodePageFold.inc"

const SpellEntry* FindSpelling(char32_t cp)
{
    const auto it = std::lower_bound(std::begin(kSpell), std::end(kSpell), cp,
                                     [](const SpellEntry& e, char32_t value) { return e.cp < value; });
    return it != std::end(kSpell) && it->cp == cp ? it : nullptr;
}

const PairEntry* FindPair(char32_t first, char32_t second)
{
    const auto it = std::lower_bound(std::begin(kPair), std::end(kPair), std::pair{first, second},
                                     [](const PairEntry& e, const std::pair<char32_t, char32_t>& value) {
                                         return std::pair<char32_t, char32_t>{e.first, e.second} < value;
                                     });
    return it != std::end(kPair) && it->first == first && it->second == second ? it : nullptr;
}

bool IsGreekLetter(char32_t cp) { return cp >= 0x0386 && cp <= 0x03CE && cp != 0x0387; }
bool IsGreekCapital(char32_t cp) { return cp >= 0x0386 && cp <= 0x03AB && cp != 0x0387; }
bool IsVoiceless(char32_t cp)
{
    return std::find(std::begin(kVoiceless), std::end(kVoiceless), cp) != std::end(kVoiceless);
}

// The nearest letter of the code page for a character it lacks; 0 for none.
unsigned char Fold(char32_t cp)
{
    const auto it = std::lower_bound(std::begin(kFold), std::end(kFold), cp,
                                     [](const FoldEntry& e, char32_t value) { return e.cp < value; });
    return it != std::end(kFold) && it->cp == cp ? it->byte : 0;
}

// The letter a base and a combining accent after it make; 0 for none.
unsigned char Compose(char32_t base, char32_t mark)
{
    const auto it = std::lower_bound(std::begin(kCompose), std::end(kCompose), std::pair{base, mark},
                                     [](const ComposeEntry& e, const std::pair<char32_t, char32_t>& value) {
                                         return std::pair<char32_t, char32_t>{e.base, e.mark} < value;
                                     });
    return it != std::end(kCompose) && it->base == base && it->mark == mark ? it->byte : 0;
}

bool IsCombiningMark(char32_t cp)
{
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) || (cp >= 0x1DC0 && cp <= 0x1DFF) ||
           (cp >= 0x20D0 && cp <= 0x20FF) || (cp >= 0xFE20 && cp <= 0xFE2F);
}

// Windows-1250, bytes 0x80..0xFF. The five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) stand for the C1 controls of the
// same value, so that every byte survives a round trip through UTF-8.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// Code point -> byte for everything above ASCII, with the comma-below
// letters of Romanian written as the cedilla letters the code page has.
const std::unordered_map<char32_t, unsigned char>& ReverseTable()
{
    static const auto table = [] {
        std::unordered_map<char32_t, unsigned char> map;
        for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
            map.emplace(kHighHalf[i], static_cast<unsigned char>(0x80 + i));
        }
        map.emplace(U'\u0218', 0xAA);  // Ș -> Ş
        map.emplace(U'\u0219', 0xBA);  // ș -> ş
        map.emplace(U'\u021A', 0xDE);  // Ț -> Ţ
        map.emplace(U'\u021B', 0xFE);  // ț -> ţ
        return map;
    }();
    return table;
}

constexpr std::array<unsigned char, 256> MakeUpperTable()
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 0x20);
    }
    // š ś ť ž ź in the 0x9A..0x9F row, upper case 0x10 below.
    for (const int c : {0x9A, 0x9C, 0x9D, 0x9E, 0x9F}) {
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 0x10);
    }
    t[0xB3] = 0xA3;  // ł Ł
    t[0xB9] = 0xA5;  // ą Ą
    t[0xBA] = 0xAA;  // ş Ş
    t[0xBE] = 0xBC;  // ľ Ľ
    t[0xBF] = 0xAF;  // ż Ż
    for (int c = 0xE0; c <= 0xFE; ++c) {
        if (c != 0xF7) {  // ÷ is no letter
            t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 0x20);
        }
    }
    return t;  // ß (0xDF) and ˙ (0xFF) have no upper case in the code page
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

}  // namespace

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (const char ch : ansi) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else {
            AppendUtf8(out, kHighHalf[b - 0x80u]);
        }
    }
    return out;
}

namespace {

// The character that starts at `pos`, without moving on; 0 at the end or
// before an invalid sequence.
char32_t PeekUtf8(std::string_view utf8, std::size_t pos)
{
    char32_t cp = 0;
    return pos < utf8.size() && DecodeUtf8(utf8, pos, cp) ? cp : 0;
}

// Greek letters spelt with more than one Latin letter, alone or in a pair
// (ELOT 743). Appends the spelling and moves `pos` past a pair's second
// letter; false for a letter the code page's fold takes one for one.
bool AppendGreekSpelling(std::string& out, std::string_view utf8, std::size_t& pos, char32_t cp)
{
    const char32_t cpNext = PeekUtf8(utf8, pos);
    if (const PairEntry* pPair = FindPair(cp, cpNext)) {
        std::size_t posAfter = pos;
        char32_t cpSecond = 0;
        DecodeUtf8(utf8, posAfter, cpSecond);
        const char32_t cpThird = PeekUtf8(utf8, posAfter);
        out += !IsGreekLetter(cpThird) || IsVoiceless(cpThird) ? pPair->pBeforeVoiceless : pPair->pText;
        pos = posAfter;
        return true;
    }
    if (const SpellEntry* pSpelling = FindSpelling(cp)) {
        out += IsGreekCapital(cp) && IsGreekCapital(cpNext) ? pSpelling->pCaps : pSpelling->pMixed;
        return true;
    }
    return false;
}

// Letters spelt in Latin ones only in texts, not in paths (PathToAnsi).
bool IsGreekOrCyrillicLetter(char32_t cp) { return IsGreekLetter(cp) || (cp >= 0x0400 && cp <= 0x04FF); }

std::string ToAnsi(std::string_view utf8, bool bSpell)
{
    const auto& reverse = ReverseTable();
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    char32_t cpLast = 0;  // the character the last byte written stands for
    while (pos < utf8.size()) {
        char32_t cp = 0;
        unsigned char byte = '?';
        if (!DecodeUtf8(utf8, pos, cp)) {
            cp = '?';
        } else if (cp < 0x80) {
            byte = static_cast<unsigned char>(cp);
        } else if (const auto it = reverse.find(cp); it != reverse.end()) {
            byte = it->second;
        } else if (IsCombiningMark(cp) && !out.empty()) {
            // Decomposed text: the accent joins the letter before it when the
            // code page has the two as one letter, else the letter stays bare.
            // Once an accent is dropped, the ones after it belong to no letter
            // of the page either.
            const unsigned char composed = Compose(cpLast, cp);
            if (composed) out.back() = static_cast<char>(composed);
            cpLast = composed ? kHighHalf[composed - 0x80u] : 0;
            continue;
        } else if (!bSpell && IsGreekOrCyrillicLetter(cp)) {
            // byte stays '?'
        } else if (IsGreekLetter(cp) && AppendGreekSpelling(out, utf8, pos, cp)) {
            cpLast = static_cast<unsigned char>(out.back());
            cpLast = cpLast < 0x80 ? cpLast : kHighHalf[cpLast - 0x80u];
            continue;
        } else if (const unsigned char nearest = Fold(cp)) {
            byte = nearest;
        }
        out += static_cast<char>(byte);
        cpLast = byte < 0x80 ? byte : kHighHalf[byte - 0x80u];
    }
    return out;
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) { return ToAnsi(utf8, true); }
std::string PathToAnsi(std::string_view utf8) { return ToAnsi(utf8, false); }

std::string AnsiToUpper(std::string_view ansi)
{
    std::string out(ansi);
    for (char& ch : out) {
        ch = static_cast<char>(kUpper[static_cast<unsigned char>(ch)]);
    }
    return out;
}
