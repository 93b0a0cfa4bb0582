#include "ArchiveCheck.h"

#include "TextFile.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The reader's text-mode stream with the number of the line it is on.
class CountingReader {
public:
    explicit CountingReader(const std::string& strPath) : m_in(strPath) {}

    bool IsOpen() const { return m_in.IsOpen(); }
    bool HasError() const { return m_in.HasError(); }
    int Line() const { return m_nLine; }
    // The line the next character would be on; at the end of a file whose
    // last line has no LF, the line after it.
    int NextLine() { return m_nLine + (Peek() == EOF && m_bMidLine ? 1 : 0); }
    int Peek() { return m_in.Peek(); }
    int Get()
    {
        const int c = m_in.Get();
        if (c != EOF) {
            m_bMidLine = c != '\n';
        }
        if (c == '\n') {
            ++m_nLine;
        }
        return c;
    }
    void SkipSpace()
    {
        while (IsSpace(Peek())) {
            Get();
        }
    }
    // Takes the rest of the current line, cut short for a message; only
    // called once a fault has been found, when nothing more is read.
    std::string RestOfLine()
    {
        std::string strRest;
        while (strRest.size() < 40 && Peek() != EOF && Peek() != '\n') {
            strRest += static_cast<char>(Get());
        }
        return strRest;
    }
    // Takes a line as TextFileReader::ReadLine does: false at the end of the
    // file with nothing read; a last line without LF counts as a line.
    bool SkipLine()
    {
        int c = Get();
        if (c == EOF) {
            return false;
        }
        while (c != EOF && c != '\n') {
            c = Get();
        }
        return true;
    }

private:
    TextFileReader m_in;
    int m_nLine = 1;
    bool m_bMidLine = false;  // the last character taken was not a LF
};

// A word as the reader scans it; `found` gets the word read (at most a few
// bytes more than `word`, so garbage is not taken into memory).
bool ScanWord(CountingReader& in, std::string_view word, std::string& found)
{
    in.SkipSpace();
    found.clear();
    while (in.Peek() != EOF && !IsSpace(in.Peek())) {
        if (found.size() > word.size() + 16) {
            return false;
        }
        found += static_cast<char>(in.Get());
    }
    return found == word;
}

// A decimal number as the reader scans it: an optional sign and digits that
// fit in 32 bits, ending at white space or the end of the file. `found`
// gets the characters taken and the one that stopped the scan.
bool ScanInt(CountingReader& in, int& nValue, std::string& found)
{
    in.SkipSpace();
    found.clear();
    bool bNegative = false;
    if (in.Peek() == '+' || in.Peek() == '-') {
        found += static_cast<char>(in.Peek());
        bNegative = in.Get() == '-';
    }
    const std::int64_t nLimit = bNegative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t nMagnitude = 0;
    bool bDigits = false;
    while (in.Peek() >= '0' && in.Peek() <= '9') {
        const int c = in.Get();
        found += static_cast<char>(c);
        nMagnitude = nMagnitude * 10 + (c - '0');
        if (nMagnitude > nLimit) {
            return false;
        }
        bDigits = true;
    }
    if (!bDigits || (in.Peek() != EOF && !IsSpace(in.Peek()))) {
        found += in.RestOfLine();
        return false;
    }
    nValue = static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
    return true;
}

ArchiveFault Fault(ArchiveFault result, int nLine, std::string strExpected, std::string strFound)
{
    result.nLine = nLine;
    result.strExpected = std::move(strExpected);
    result.strFound = std::move(strFound);
    return result;
}

// A fault where the scan found `strFound`, on the reader's current line, or
// at the end of the file when it found nothing.
ArchiveFault Fault(ArchiveFault result, CountingReader& in, std::string strExpected, std::string strFound)
{
    const int nLine = strFound.empty() ? in.NextLine() : in.Line();
    return Fault(result, nLine, std::move(strExpected), std::move(strFound));
}

}  // namespace

ArchiveFault CheckArchive(const std::string& strPath)
{
    ArchiveFault result;
    CountingReader in(strPath);
    if (!in.IsOpen()) {
        return result;
    }
    result.bOpened = true;

    std::string found;
    if (!ScanWord(in, "cinetrove", found)) {
        return Fault(result, in, "the word \"cinetrove\"", found);
    }
    if (!ScanWord(in, "quonwerk", found)) {
        return Fault(result, in, "the word \"quonwerk\"", found);
    }
    int nCount = 0;
    if (!ScanInt(in, nCount, found) || nCount < 0) {
        return Fault(result, in, "a count", found);
    }
    in.SkipSpace();

    for (int i = 0; i < nCount; ++i) {
        for (int nText = 0; nText < 6; ++nText) {
            if (!in.SkipLine()) {
                return Fault(result, in, "a text line", {});
            }
        }
        const int nRecordLine = in.NextLine();
        int nRating = 0;
        int nViewings = 0;
        if (!ScanInt(in, nRating, found)) {
            return Fault(result, nRecordLine, "two whole numbers", found);
        }
        if (!ScanInt(in, nViewings, found)) {
            return Fault(result, nRecordLine, "two whole numbers", found);
        }
        in.SkipSpace();
        ++result.nFilms;
    }
    if (in.HasError()) {
        return Fault(result, in.Line(), "a readable file", {});
    }
    if (in.Peek() != EOF) {
        return Fault(result, in, "the end of the file", in.RestOfLine());
    }
    result.bWhole = true;
    return result;
}
