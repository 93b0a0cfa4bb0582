#include "CodePage.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <string>

namespace {

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

// Decodes one well-formed UTF-8 character (test helper for the table checks).
char32_t CodePointOf(const std::string& utf8)
{
    const auto b0 = static_cast<unsigned char>(utf8[0]);
    if (b0 < 0x80) return b0;
    if (b0 < 0xE0) return ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[1]) & 0x3Fu);
    return ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
}

TEST(CodePageTest, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string utf8 = AnsiToUtf8(Byte(b));
        EXPECT_EQ(Utf8ToAnsi(utf8), Byte(b)) << "byte " << b;
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(CodePageTest, TableFollowsWindows1250)
{
    const struct {
        int nByte;
        char32_t cp;
    } samples[] = {{0x41, U'A'},      {0x80, U'\u20AC'}, {0x81, 0x81},      {0x8A, U'\u0160'}, {0x98, 0x98},
                   {0x9F, U'\u017A'}, {0xA0, U'\u00A0'}, {0xAA, U'\u015E'}, {0xBA, U'\u015F'}, {0xC3, U'\u0102'},
                   {0xC2, U'\u00C2'}, {0xCE, U'\u00CE'}, {0xDE, U'\u0162'}, {0xDF, U'\u00DF'}, {0xE3, U'\u0103'},
                   {0xFE, U'\u0163'}, {0xFF, U'\u02D9'}};
    for (const auto& s : samples) {
        EXPECT_EQ(CodePointOf(AnsiToUtf8(Byte(s.nByte))), s.cp) << "byte " << s.nByte;
    }
    EXPECT_EQ(AnsiToUtf8("P\xE3"
                         "durea \xBA"
                         "i \xFE"
                         "ara"),
              "Pădurea şi ţara");
}

TEST(CodePageTest, CommaBelowLettersBecomeTheirCedillaForms)
{
    EXPECT_EQ(Utf8ToAnsi("ȘșȚț"), "\xAA\xBA\xDE\xFE");
    EXPECT_EQ(Utf8ToAnsi("Pădure și țară"),
              "P\xE3"
              "dure \xBA"
              "i \xFE"
              "ar\xE3");
}

// Greek by ELOT 743 (stress kept as an acute, θ χ ψ in two letters, the
// pairs ου, αυ/ευ as v or f, γγ as ng), Cyrillic by ISO 9, then folded.
TEST(CodePageTest, GreekAndCyrillicAreSpeltInLatinLetters)
{
    EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi("Οι επίλεκτοι")), "Oi epílektoi");
    EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi("Θεσσαλονίκη ΘΕΑ Ψυχή")), "Thessaloníki THEA Psychí");
    EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi("Ευρώπη ευθύνη Αυγή ουρανός Άγγελος")), "Evrópi efthýni Avgí ouranós Ángelos");
    EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi("Жизнь Щука Чёрный Юг")), "Žizn' Suka Čërnyj Ug");
    // A path keeps them as '?': "Fil'my" might be another folder.
    EXPECT_EQ(PathToAnsi("/home/Фильмы/Ωè.cta"), std::string("/home/") + std::string(6, '?') + "/?e.cta");
}

TEST(CodePageTest, WhatTheCodePageLacksBecomesAQuestionMark)
{
    EXPECT_EQ(Utf8ToAnsi("אmega"), "?mega");  // no Latin letter near a Hebrew one
    EXPECT_EQ(Utf8ToAnsi("日本"), "??");      // one '?' per character
    EXPECT_EQ(Utf8ToAnsi("a\xF0\x9F\x8E\xAC"
                         "b"),
              "a?b");                        // a four-byte character
    EXPECT_EQ(Utf8ToAnsi("\xC2\x80"), "?");  // U+0080 is no byte of the table
}

// Letters the code page lacks become their nearest letter of it, composed or
// decomposed; marks become their code-page forms; only what has no such
// letter, and no look-alike of a path separator, becomes '?'.
TEST(CodePageTest, LettersOutsideTheCodePageBecomeTheirNearestLetter)
{
    EXPECT_EQ(Utf8ToAnsi("señor"), "senor");
    EXPECT_EQ(Utf8ToAnsi("crème brûlée"),
              "creme brul\xE9"
              "e");  // é stays: the code page has it
    EXPECT_EQ(Utf8ToAnsi("Åsa Øystein Ærø Œuvre Đorđe"),
              "Asa Oystein Aro Ouvre \xD0or\xF0"
              "e");
    EXPECT_EQ(Utf8ToAnsi("ǍḈ"), "A\xC7");           // accents dropped until a letter of the page is left
    EXPECT_EQ(Utf8ToAnsi("Ｆｉｌｍ ²"), "Film 2");  // fullwidth and superscript forms
    EXPECT_EQ(Utf8ToAnsi("e\u0300 a\u0306 s\u0326 A\u030A\u0301"), "e \xE3 \xBA A");  // decomposed text
    EXPECT_EQ(Utf8ToAnsi("\u0301x"), "?x");  // an accent with no letter before it
    EXPECT_EQ(Utf8ToAnsi("a\u2010b\u2015c\u2032\u02BC\u201F"),
              "a-b\x97"
              "c'\x92\x93");
    EXPECT_EQ(Utf8ToAnsi("\u2260 \uFF0F\uFF3C\u2215"), "? ???");  // ≠ is not =; no look-alike slashes
    for (const char* text : {"èñÅ", "ø\u0301", "Ｚ\u2015"}) {     // what comes out converts to itself
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(Utf8ToAnsi(text))), Utf8ToAnsi(text)) << text;
    }
}

TEST(CodePageTest, InvalidUtf8BecomesAQuestionMark)
{
    EXPECT_EQ(Utf8ToAnsi("a\x80"
                         "b"),
              "a?b");                      // stray continuation byte
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");  // cut short at the end
    EXPECT_EQ(Utf8ToAnsi("\xC3"
                         "a"),
              "?a");                             // cut short by an ASCII byte
    EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");     // overlong '/'
    EXPECT_EQ(Utf8ToAnsi("\xE0\x80\xAF"), "?");  // overlong, three bytes
    EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "?");  // a surrogate
    EXPECT_EQ(Utf8ToAnsi("\xF5\x80"), "??");     // beyond U+10FFFF
    EXPECT_EQ(Utf8ToAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePageTest, UpperCasingCoversTheLettersWithDiacritics)
{
    EXPECT_EQ(AnsiToUpper("abc xyz 09"), "ABC XYZ 09");
    EXPECT_EQ(AnsiToUpper("\xE3\xE2\xEE\xBA\xFE"), "\xC3\xC2\xCE\xAA\xDE");  // ăâîşţ
    EXPECT_EQ(AnsiToUpper("\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBE\xBF"), "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xBC\xAF");
    EXPECT_EQ(AnsiToUpper("\xDF\xF7\xFF\xB5"), "\xDF\xF7\xFF\xB5");  // ß ÷ ˙ µ stay
    EXPECT_EQ(AnsiToUpper(AnsiToUpper("\xC3\xAA")), "\xC3\xAA");
}

// Every byte against the C library's Unicode upper-casing: the upper case
// of a letter is taken when the code page holds it, else the byte stays.
TEST(CodePageTest, UpperCasingAgreesWithUnicode)
{
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) {
        GTEST_SKIP() << "no C.UTF-8 locale";
    }
    for (int b = 0; b < 256; ++b) {
        const auto cp = static_cast<wint_t>(CodePointOf(AnsiToUtf8(Byte(b))));
        const auto upper = static_cast<char32_t>(std::towupper(cp));
        std::string expected = Byte(b);
        for (int u = 0; u < 256; ++u) {
            if (upper != cp && CodePointOf(AnsiToUtf8(Byte(u))) == upper) {
                expected = Byte(u);
            }
        }
        EXPECT_EQ(AnsiToUpper(Byte(b)), expected) << "byte " << b;
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
