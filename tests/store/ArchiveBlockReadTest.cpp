// The archive reader parses records a block of the file at a time. These tests
// hold it to the rules of reading line by line and number by number, written
// out plainly here over the bytes in memory, on random and hostile files:
// every result, count, film, order and the whole-file flag must agree.
#include "Archive.h"

#include "FileBytes.h"
#include "FilmList.h"
#include "FilmValues.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The reading rules, one byte at a time.
class PlainReader {
public:
    explicit PlainReader(std::string_view bytes) : m_bytes(bytes) {}

    struct Result {
        ArchiveReadResult result = ArchiveInvalid;
        std::vector<FilmValues> films;  // in reading order
        bool bWhole = false;
    };

    Result Read()
    {
        Result r;
        int nCount = 0;
        if (!Word("cinetrove") || !Word("quonwerk") || !Int(nCount) || nCount < 0) {
            return r;
        }
        SkipSpace();
        bool bComplete = true;
        for (int i = 0; i < nCount && bComplete; ++i) {
            FilmValues f;
            auto& [o, t, c, y, d, a, rating, viewings] = f;
            bComplete = Line(o) && Line(t) && Line(c) && Line(y) && Line(d) && Line(a) && Int(rating) && Int(viewings);
            if (bComplete) {
                SkipSpace();
                r.films.push_back(f);
            }
        }
        r.result = bComplete ? ArchiveRead : ArchiveInvalid;
        r.bWhole = bComplete && m_nPos == m_bytes.size();
        return r;
    }

private:
    void SkipSpace()
    {
        while (m_nPos < m_bytes.size() && IsSpace(m_bytes[m_nPos])) ++m_nPos;
    }
    bool Word(std::string_view word)
    {
        SkipSpace();
        std::size_t n = m_nPos;
        while (n < m_bytes.size() && !IsSpace(m_bytes[n])) ++n;
        const bool bEqual = m_bytes.substr(m_nPos, n - m_nPos) == word;
        m_nPos = n;
        return bEqual;
    }
    bool Int(int& nValue)
    {
        SkipSpace();
        bool bNegative = false;
        if (m_nPos < m_bytes.size() && (m_bytes[m_nPos] == '+' || m_bytes[m_nPos] == '-')) {
            bNegative = m_bytes[m_nPos++] == '-';
        }
        std::int64_t n = 0;
        bool bDigits = false;
        for (; m_nPos < m_bytes.size() && m_bytes[m_nPos] >= '0' && m_bytes[m_nPos] <= '9'; ++m_nPos) {
            n = n * 10 + (m_bytes[m_nPos] - '0');
            if (n > (bNegative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX)) return false;
            bDigits = true;
        }
        if (!bDigits || (m_nPos < m_bytes.size() && !IsSpace(m_bytes[m_nPos]))) return false;
        nValue = static_cast<int>(bNegative ? -n : n);
        return true;
    }
    bool Line(std::string& strLine)
    {
        if (m_nPos >= m_bytes.size()) return false;
        const std::size_t nLf = m_bytes.find('\n', m_nPos);
        if (nLf == std::string_view::npos) {  // the last line, without its end
            strLine = m_bytes.substr(m_nPos);
            m_nPos = m_bytes.size();
            return true;
        }
        strLine = m_bytes.substr(m_nPos, nLf - m_nPos);
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        m_nPos = nLf + 1;
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_nPos = 0;
};

std::vector<FilmValues> InsertionOrder(const std::vector<FilmValues>& films)
{
    CFilmNode* pHead = nullptr;
    for (const auto& [o, t, c, y, d, a, r, v] : films) pHead = InsertSorted(pHead, o, t, c, y, d, a, r, v);
    std::vector<FilmValues> values = Values(pHead);
    FreeList(pHead);
    return values;
}

// Archive-like bytes with the faults a hand-edited or damaged file has:
// line ends of every kind, stray CRs, blank lines, numbers with signs, out
// of range or followed by letters, a wrong count, a file cut anywhere.
std::string HostileArchive(std::mt19937& rng, int nRecords, std::size_t nLongLine, bool bFaults = true)
{
    const auto pick = [&rng](std::initializer_list<std::string_view> items) {
        return std::string(items.begin()[rng() % items.size()]);
    };
    const auto text = [&]() {
        std::string s;
        const std::size_t n = rng() % 12;
        for (std::size_t i = 0; i < n; ++i)
            s += pick({"a", "B", " ", "\t", "\r", "\xC3", std::string_view("\0", 1), "7", "-"});
        return s;
    };
    const auto lineEnd = [&]() {
        return rng() % 10 < 7 ? std::string("\r\n") : pick({"\n", "\r\r\n", "\n\n", "\r\n \r\n"});
    };
    const auto number = [&]() {
        return !bFaults || rng() % 10 < 8 ? std::to_string(static_cast<int>(rng() % 7))
                                          : pick({"-5", "+7", "2147483647", "2147483648", "-2147483648", "-2147483649",
                                                  "12a", "+", "", "0009"});
    };
    std::string bytes = pick({"cinetrove\r\nquonwerk\r\n", " cinetrove quonwerk ", "cinetrove\r\nquonwerk\r\n"});
    bytes += std::to_string(rng() % 8 == 0 ? nRecords + static_cast<int>(rng() % 3) : nRecords) + lineEnd();
    for (int i = 0; i < nRecords; ++i) {
        for (int n = 0; n < 6; ++n) {
            bytes += n == 1 && nLongLine > 0 && i == nRecords / 2 ? std::string(nLongLine, 'L') : text();
            bytes += bFaults && rng() % 200 == 0 ? std::string() : lineEnd();
        }
        bytes += number() + pick({" ", "  ", "\t"}) + number() + lineEnd();
        if (rng() % 5 == 0) bytes += pick({"\r\n", "  ", "\n\t\n"});
    }
    if (rng() % 3 == 0) {  // cut anywhere, or near the end of a large file
        const std::size_t nCut = rng() % (bFaults ? bytes.size() + 1 : std::min<std::size_t>(bytes.size() + 1, 200));
        bytes.resize(bFaults ? nCut : bytes.size() - nCut);
    }
    return bytes;
}

class ArchiveBlockReadTest : public ::testing::Test {
protected:
    void Check(const std::string& bytes, const std::string& strWhat)
    {
        WriteBytes(m_strFile, bytes);
        ArchiveContents contents;
        const ArchiveReadResult result = ReadArchive(m_strFile, contents);
        const PlainReader::Result expected = PlainReader(bytes).Read();
        EXPECT_EQ(result, expected.result) << strWhat;
        EXPECT_EQ(contents.nCount, static_cast<int>(expected.films.size())) << strWhat;
        EXPECT_EQ(contents.bWhole, expected.bWhole) << strWhat;
        EXPECT_EQ(Values(contents.pHead), InsertionOrder(expected.films)) << strWhat;
        int nMax = 0;
        for (const FilmValues& f : expected.films) nMax = std::max(nMax, std::get<7>(f));
        EXPECT_EQ(contents.nMaxViewings, nMax) << strWhat;
        FreeList(contents.pHead);
    }

    TempDir m_dir;
    const std::string m_strFile = m_dir / "filme.cta";
};

TEST_F(ArchiveBlockReadTest, SmallHostileFilesReadAsLineByLine)
{
    std::mt19937 rng(15);
    for (int i = 0; i < 600; ++i) {
        Check(HostileArchive(rng, static_cast<int>(rng() % 6), 0), "case " + std::to_string(i));
    }
}

// Files larger than the reader's block, so that records, lines, numbers and
// a CR LF pair fall across the ends of blocks; one line longer than a block;
// the file cut short near its end now and then.
TEST_F(ArchiveBlockReadTest, RecordsAcrossBlocksAndLinesLongerThanABlock)
{
    std::mt19937 rng(1500);
    for (int i = 0; i < 12; ++i) {
        const std::size_t nLong = i % 3 == 0 ? 300000 + rng() % 700000 : 0;
        Check(HostileArchive(rng, 4000 + static_cast<int>(rng() % 8000), nLong, false), "case " + std::to_string(i));
    }
}

// Titles longer than the prefix the sort keys on, many of them alike in
// their first dozen bytes and some equal, in random order: the list must be
// the one inserting them one by one gives.
TEST_F(ArchiveBlockReadTest, LongTitlesAlikeInTheirFirstBytesSortAsWholeTitles)
{
    std::mt19937 rng(1215);
    static const char* const kStarts[] = {"The Last Night",  "The Last Nigh",  "The Last Night of",
                                          "\xCEntoarcerea ", "\xCEntoarcerea", "Ab"};
    static const char* const kEnds[] = {"", " 2", " 2 ", "\xFE", std::string_view("\0", 1).data(), "s", " of Iron"};
    std::string bytes;
    const int nFilms = 5000;
    bytes = "cinetrove\r\nquonwerk\r\n" + std::to_string(nFilms) + "\r\n";
    for (int i = 0; i < nFilms; ++i) {
        std::string title = kStarts[rng() % 6];
        const std::size_t nEnd = rng() % 7;
        title += nEnd == 4 ? std::string(1, '\0') : std::string(kEnds[nEnd]);
        bytes += title + "\r\n" + std::to_string(i) + "\r\nc\r\ny\r\nd\r\na\r\n" + std::to_string(rng() % 7) + " " +
                 std::to_string(i) + "\r\n";
    }
    Check(bytes, "alike titles");
}

}  // namespace
