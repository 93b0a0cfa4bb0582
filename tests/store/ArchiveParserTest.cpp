// The archive parser is handed a file a block at a time and asked again with
// more bytes whenever an item runs past the end of a block. Wherever the
// blocks end (here after every few bytes), it must yield exactly what it
// yields on the whole file at once: the same records, and the same line,
// expectation and bytes for the first fault.
#include "ArchiveParser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Step = ArchiveParser::Step;

std::string Describe(Step step, const ArchiveParser& parser)
{
    switch (step) {
    case Step::Header:
        return "header " + std::to_string(parser.Count());
    case Step::Record: {
        std::string text = "record";
        for (const std::string_view field : parser.LastRecord().texts) text += " [" + std::string(field) + "]";
        return text + " " + std::to_string(parser.LastRecord().nRating) + " " +
               std::to_string(parser.LastRecord().nViewings);
    }
    case Step::End:
        return "end at line " + std::to_string(parser.Line());
    case Step::Trailing:
    case Step::Fault:
        return std::string(step == Step::Trailing ? "trailing " : "fault ") + std::to_string(parser.LastFault().nLine) +
               " " + std::string(parser.LastFault().strExpected) + " [" + parser.LastFault().strFound + "]";
    default:
        return "unexpected step";
    }
}

// What the parser yields when it has the bytes all at once (no pRandom), or
// a few more at each request.
std::vector<std::string> Parse(std::string_view bytes, std::mt19937* pRandom)
{
    ArchiveParser parser;
    std::vector<std::string> steps;
    std::size_t nTaken = 0;
    std::size_t nGiven = pRandom == nullptr ? bytes.size() : 0;
    for (;;) {
        const Step step = parser.Next(bytes.substr(nTaken, nGiven - nTaken), nGiven == bytes.size());
        nTaken += parser.Used();
        if (step == Step::More) {
            EXPECT_LT(nGiven, bytes.size()) << "more asked for after the end";
            if (nGiven == bytes.size()) return steps;
            nGiven = std::min(bytes.size(), nGiven + 1 + (*pRandom)() % 5);
            continue;
        }
        steps.push_back(Describe(step, parser));
        if (step != Step::Header && step != Step::Record) return steps;
    }
}

// A small archive with every kind of white space, damaged at random: bytes
// dropped or put in, the file cut short.
std::string DamagedArchive(std::mt19937& random)
{
    std::string bytes =
        " cinetrove\r\n\tquonwerk\r\n3\r\n\r\n  Zed\r\nT\r\nRO\r\n1999\r\n\r\nC\r\n2 1\r\n\r\n"
        "Y\r\r\nT\nFR\r\n\r\n\r\n\r\n+6\t-0\n \nA\r\nT\r\n\r\n\r\n\r\n\r\n0009  4\r\n";
    static const char* const kPieces[] = {" ", "\r", "\n", "\r\n", "x", "9", "-", "99999999999", "cinetrove"};
    const int nChanges = static_cast<int>(random() % 4);
    for (int i = 0; i < nChanges; ++i) {
        const std::size_t nAt = random() % (bytes.size() + 1);
        if (random() % 2 == 0 && nAt < bytes.size()) {
            bytes.erase(nAt, 1 + random() % 3);
        } else {
            bytes.insert(nAt, kPieces[random() % std::size(kPieces)]);
        }
    }
    if (random() % 4 == 0) bytes.resize(random() % (bytes.size() + 1));
    return bytes + (random() % 4 == 0 ? "  trailing words\r\n" : "");
}

TEST(ArchiveParserTest, BlocksEndingAnywhereYieldWhatTheWholeFileYields)
{
    std::mt19937 random(1903);
    for (int i = 0; i < 3000; ++i) {
        const std::string bytes = DamagedArchive(random);
        const std::vector<std::string> whole = Parse(bytes, nullptr);
        ASSERT_FALSE(whole.empty()) << bytes;
        EXPECT_EQ(Parse(bytes, &random), whole) << "case " << i << ":\n" << bytes;
    }
}

}  // namespace
