#include "ArchiveParser.h"

#include "TextFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace {

// How much of a wrong magic word a fault shows: enough to tell it from the
// word, never a whole file of garbage without white space.
constexpr std::size_t kWordShown = 17;
// How much of the rest of a line a fault shows.
constexpr std::size_t kRestShown = 40;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Skips white space from nPos, counting the LFs passed.
std::size_t SkipSpace(std::string_view bytes, std::size_t nPos, int& nLines)
{
    for (; nPos < bytes.size() && IsSpace(bytes[nPos]); ++nPos) {
        nLines += bytes[nPos] == '\n' ? 1 : 0;
    }
    return nPos;
}

// Appends the rest of the line from nPos to `found`, cut short, as a
// text-mode stream delivers it (CR LF ends the line, a lone CR is kept).
// False when the bytes end before that is known.
bool AppendRestOfLine(std::string_view bytes, std::size_t nPos, bool bFinal, std::string& found)
{
    for (std::size_t n = 0; n < kRestShown; ++nPos, ++n) {
        if (nPos >= bytes.size()) {
            return bFinal;
        }
        if (bytes[nPos] == '\n') {
            return true;
        }
        if (bytes[nPos] == '\r') {
            if (nPos + 1 >= bytes.size() && !bFinal) {
                return false;
            }
            if (nPos + 1 < bytes.size() && bytes[nPos + 1] == '\n') {
                return true;
            }
        }
        found += bytes[nPos];
    }
    return true;
}

enum class Scan { Number, Bad, More };

// A decimal number after white space: an optional sign and digits that fit
// in 32 bits, ending at white space or the end of the file. nPos moves past
// it; on Bad, `found` holds what stood there.
Scan ScanInt(std::string_view bytes, std::size_t& nPos, bool bFinal, int& nValue, int& nLines, std::string& found)
{
    nPos = SkipSpace(bytes, nPos, nLines);
    const std::size_t nStart = nPos;
    bool bNegative = false;
    if (nPos < bytes.size() && (bytes[nPos] == '+' || bytes[nPos] == '-')) {
        bNegative = bytes[nPos++] == '-';
    }
    const std::int64_t nLimit = bNegative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t nMagnitude = 0;
    bool bDigits = false;
    for (; nPos < bytes.size() && bytes[nPos] >= '0' && bytes[nPos] <= '9'; ++nPos) {
        nMagnitude = nMagnitude * 10 + (bytes[nPos] - '0');
        if (nMagnitude > nLimit) {
            found.assign(bytes.substr(nStart, nPos + 1 - nStart));
            return Scan::Bad;
        }
        bDigits = true;
    }
    if (nPos >= bytes.size() && !bFinal) {
        return Scan::More;
    }
    if (!bDigits || (nPos < bytes.size() && !IsSpace(bytes[nPos]))) {
        found.assign(bytes.substr(nStart, nPos - nStart));
        return AppendRestOfLine(bytes, nPos, bFinal, found) ? Scan::Bad : Scan::More;
    }
    nValue = static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
    return Scan::Number;
}

}  // namespace

ArchiveParser::Step ArchiveParser::Next(std::string_view bytes, bool bFinal)
{
    m_nUsed = 0;
    for (;;) {
        if (m_item == Item::Done) {
            return m_doneStep;
        }
        std::string_view rest = bytes.substr(m_nUsed);
        int nLines = 0;
        const std::size_t nSpace = SkipSpace(rest, 0, nLines);
        Take(rest, nSpace, nLines);
        if (nSpace == rest.size() && !bFinal) {
            return Step::More;
        }
        rest.remove_prefix(nSpace);
        switch (m_item) {
        case Item::Magic1:
        case Item::Magic2: {
            const bool bFirst = m_item == Item::Magic1;
            const std::optional<Step> step = ParseHeaderWord(
                rest, bFinal, bFirst ? kMagic1 : kMagic2, bFirst ? "the word \"cinetrove\"" : "the word \"quonwerk\"");
            if (step.has_value()) {
                return *step;
            }
            m_item = bFirst ? Item::Magic2 : Item::Count;
            break;
        }
        case Item::Count:
            return ParseCount(rest, bFinal);
        case Item::Record:
            return ParseRecord(rest, bFinal);
        case Item::End:
            return ParseEnd(rest, bFinal);
        case Item::Done:
            break;
        }
    }
}

ArchiveParser::Step ArchiveParser::Next(TextFileReader& in)
{
    for (;;) {
        const Step step = Next(in.Pending(), m_bFileEnded);
        in.Consume(m_nUsed);
        if (step != Step::More) {
            return step;
        }
        if (!in.ReadMore()) {
            if (in.HasError()) {
                m_item = Item::Done;
                m_doneStep = Step::ReadError;
                return m_doneStep;
            }
            m_bFileEnded = true;
        }
    }
}

std::optional<ArchiveParser::Step> ArchiveParser::ParseHeaderWord(std::string_view bytes, bool bFinal,
                                                                  std::string_view word, std::string_view strExpected)
{
    const std::size_t nLimit = word.size() + kWordShown;
    std::size_t n = 0;
    while (n < bytes.size() && n < nLimit && !IsSpace(bytes[n])) {
        ++n;
    }
    if (n == bytes.size() && n < nLimit && !bFinal) {
        return Step::More;  // the word may go on
    }
    if (bytes.substr(0, n) != word) {
        return Failed(bytes, 0, bFinal, strExpected, std::string(bytes.substr(0, n)));
    }
    Take(bytes, n, 0);
    return std::nullopt;
}

ArchiveParser::Step ArchiveParser::ParseCount(std::string_view bytes, bool bFinal)
{
    std::size_t nPos = 0;
    int nLines = 0;
    std::string found;
    const Scan scan = ScanInt(bytes, nPos, bFinal, m_nCount, nLines, found);
    if (scan == Scan::More) {
        return Step::More;
    }
    if (scan == Scan::Bad || m_nCount < 0) {
        if (scan == Scan::Number) {
            found.assign(bytes.substr(0, nPos));
        }
        return Failed(bytes, 0, bFinal, "a count", std::move(found));
    }
    Take(bytes, nPos, nLines);
    m_nLeft = m_nCount;
    m_item = m_nLeft > 0 ? Item::Record : Item::End;
    return Step::Header;
}

ArchiveParser::Step ArchiveParser::ParseRecord(std::string_view bytes, bool bFinal)
{
    std::size_t nPos = 0;
    int nLines = 0;
    for (std::string_view& text : m_record.texts) {
        const std::size_t nLf = bytes.find('\n', nPos);
        if (nLf == std::string_view::npos) {
            if (!bFinal) {
                return Step::More;
            }
            if (nPos >= bytes.size()) {
                return Failed(bytes, bytes.size(), bFinal, "a text line", {});
            }
            text = bytes.substr(nPos);  // the last line of the file, without its end
            nPos = bytes.size();
            continue;
        }
        // A CR before the LF belongs to the line end; any other CR is kept.
        const std::size_t nEnd = nLf > nPos && bytes[nLf - 1] == '\r' ? nLf - 1 : nLf;
        text = bytes.substr(nPos, nEnd - nPos);
        nPos = nLf + 1;
        ++nLines;
    }
    // A fault in the numbers is on the line after the texts, wherever the
    // number scan stopped.
    const std::size_t nNumbers = nPos;
    for (int* pValue : {&m_record.nRating, &m_record.nViewings}) {
        std::string found;
        const Scan scan = ScanInt(bytes, nPos, bFinal, *pValue, nLines, found);
        if (scan == Scan::More) {
            return Step::More;
        }
        if (scan == Scan::Bad) {
            return Failed(bytes, nNumbers, bFinal, "two whole numbers", std::move(found));
        }
    }
    Take(bytes, nPos, nLines);
    if (--m_nLeft == 0) {
        m_item = Item::End;
    }
    return Step::Record;
}

ArchiveParser::Step ArchiveParser::ParseEnd(std::string_view bytes, bool bFinal)
{
    if (bytes.empty()) {
        m_item = Item::Done;
        m_doneStep = Step::End;
        return m_doneStep;
    }
    std::string found;
    if (!AppendRestOfLine(bytes, 0, bFinal, found)) {
        return Step::More;
    }
    Failed(bytes, 0, bFinal, "the end of the file", std::move(found));
    m_doneStep = Step::Trailing;
    return m_doneStep;
}

ArchiveParser::Step ArchiveParser::Failed(std::string_view bytes, std::size_t nOffset, bool bFinal,
                                          std::string_view strExpected, std::string strFound)
{
    // The line holding nOffset; at the end of a file whose last line has no
    // LF, the line after it, where the missing item would have begun.
    const bool bAfterLine = nOffset > 0 ? bytes[nOffset - 1] != '\n' : m_bMidLine;
    const bool bPastLastLine = bFinal && nOffset == bytes.size() && bAfterLine;
    m_fault.nLine =
        m_nLine + static_cast<int>(std::count(bytes.begin(), bytes.begin() + nOffset, '\n')) + (bPastLastLine ? 1 : 0);
    m_fault.strExpected = strExpected;
    m_fault.strFound = std::move(strFound);
    m_item = Item::Done;
    m_doneStep = Step::Fault;
    return m_doneStep;
}

void ArchiveParser::Take(std::string_view bytes, std::size_t nUsed, int nLines)
{
    if (nUsed > 0) {
        m_bMidLine = bytes[nUsed - 1] != '\n';
    }
    m_nLine += nLines;
    m_nUsed += nUsed;
}
