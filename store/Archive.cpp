#include "Archive.h"

#include "ArchiveParser.h"
#include "AtomicFile.h"
#include "FilmList.h"
#include "TextFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string_view>
#include <vector>

// The archive: "cinetrove", "quonwerk" and the count of films, one a line,
// then seven lines per film: the six texts, then rating and viewings
// separated by a space. Every line ends with CR LF on disk. ArchiveParser
// holds the grammar the reader reads by; the writer writes its plainest form.
//
// Texts are bytes. A NUL byte inside a text is kept: it is written as it is
// and read back as it is (lines are split on LF only), so such a film
// survives a save and a load unchanged.

namespace {

// 32 bytes a record: with a million of them beside the films being made,
// every byte counts.
struct ReadRecord {
    // The title's first 12 bytes, big-endian, zero-padded: 8 and then 4.
    std::uint64_t nPrefixHigh;
    std::uint32_t nPrefixLow;
    std::uint32_t nIndex;  // position in the file
    FilmTexts texts;
    int nRating;
    int nViewings;
};

void SetTitlePrefix(ReadRecord& record, std::string_view strTitle)
{
    std::uint64_t nHigh = 0;
    std::uint32_t nLow = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        const unsigned char c = i < strTitle.size() ? static_cast<unsigned char>(strTitle[i]) : 0;
        if (i < 8) {
            nHigh = nHigh << 8 | c;
        } else {
            nLow = nLow << 8 | c;
        }
    }
    record.nPrefixHigh = nHigh;
    record.nPrefixLow = nLow;
}

// Byte-wise order of the titles. Prefixes that differ already decide it the
// same way the whole titles would (a shorter title pads with zero bytes,
// which never sorts above a real byte), so the titles themselves, spread
// over the heap, are only looked at when the prefixes agree.
int CompareRecords(const ReadRecord& a, const ReadRecord& b)
{
    if (a.nPrefixHigh != b.nPrefixHigh) {
        return a.nPrefixHigh < b.nPrefixHigh ? -1 : 1;
    }
    if (a.nPrefixLow != b.nPrefixLow) {
        return a.nPrefixLow < b.nPrefixLow ? -1 : 1;
    }
    return CompareTitles(a.texts.Text(0), b.texts.Text(0));
}

// How many records ahead a walk asks for the blocks of texts it will read.
constexpr std::size_t kLookAhead = 8;

// Sorts descending by title, then descending by position in the file. A
// first sort looks at the prefixes and positions alone, which the records
// hold; only records whose prefixes agree need their whole titles, which lie
// in their blocks all over memory. Each such group has its titles copied
// next to each other, every block read once, and is sorted on the copies.
void SortByTitleAndPosition(std::vector<ReadRecord>& records)
{
    std::sort(records.begin(), records.end(), [](const ReadRecord& a, const ReadRecord& b) {
        if (a.nPrefixHigh != b.nPrefixHigh) {
            return a.nPrefixHigh > b.nPrefixHigh;
        }
        if (a.nPrefixLow != b.nPrefixLow) {
            return a.nPrefixLow > b.nPrefixLow;
        }
        return a.nIndex > b.nIndex;
    });
    struct Title {
        std::size_t nOffset;
        std::size_t nLength;
        std::size_t nRecord;
    };
    std::string titleBytes;
    std::vector<Title> titles;
    std::vector<ReadRecord> sorted;
    for (std::size_t nStart = 0; nStart < records.size();) {
        std::size_t nEnd = nStart + 1;
        while (nEnd < records.size() && records[nEnd].nPrefixHigh == records[nStart].nPrefixHigh &&
               records[nEnd].nPrefixLow == records[nStart].nPrefixLow) {
            ++nEnd;
        }
        if (nEnd - nStart > 1) {
            titleBytes.clear();
            titles.clear();
            for (std::size_t i = nStart; i < nEnd; ++i) {
                if (i + kLookAhead < nEnd) {
                    __builtin_prefetch(records[i + kLookAhead].texts.Key());
                }
                const std::string_view title = records[i].texts.Text(0);
                titles.push_back({titleBytes.size(), title.size(), i});
                titleBytes.append(title);
            }
            // Within a group the records stand by falling position already,
            // so a stable sort by title keeps that order among equal titles.
            const std::string_view bytes = titleBytes;
            std::stable_sort(titles.begin(), titles.end(), [bytes](const Title& a, const Title& b) {
                return CompareTitles(bytes.substr(a.nOffset, a.nLength), bytes.substr(b.nOffset, b.nLength)) > 0;
            });
            sorted.clear();
            for (const Title& title : titles) {
                sorted.push_back(std::move(records[title.nRecord]));
            }
            std::move(sorted.begin(), sorted.end(), records.begin() + static_cast<std::ptrdiff_t>(nStart));
        }
        nStart = nEnd;
    }
}

// Builds the films read into one list, exactly as inserting them one by one
// with InsertSorted in reading order would: descending by title, and equal
// titles in reverse order of reading (InsertSorted puts a new film before
// its equals). Sorting by title and then by reading position, both
// descending, gives that order in n log n comparisons instead of n squared.
// Archives are saved in list order, so usually one pass suffices: it checks
// the order and reverses each run of equal titles as it goes. The nodes and
// films are made in list order, so that a walk of the list goes forward
// through memory whatever the order of the file.
CFilmNode* BuildSorted(std::vector<ReadRecord>& records)
{
    bool bSorted = true;
    std::size_t nRunStart = 0;
    for (std::size_t i = 1; i <= records.size(); ++i) {
        const int nOrder = i < records.size() ? CompareRecords(records[i - 1], records[i]) : 1;
        if (nOrder < 0) {
            bSorted = false;
            break;
        }
        if (nOrder > 0) {
            std::reverse(records.begin() + static_cast<std::ptrdiff_t>(nRunStart),
                         records.begin() + static_cast<std::ptrdiff_t>(i));
            nRunStart = i;
        }
    }
    if (!bSorted) {
        // The runs reversed so far do not matter: the position decides ties.
        SortByTitleAndPosition(records);
    }
    CFilmNode* pHead = nullptr;
    CFilmNode** ppLink = &pHead;
    for (std::size_t i = 0; i < records.size(); ++i) {
        // The blocks lie in file order: ask for the ones a little ahead.
        if (i + kLookAhead < records.size()) {
            __builtin_prefetch(records[i + kLookAhead].texts.Key());
        }
        ReadRecord& record = records[i];
        *ppLink = new CFilmNode(std::move(record.texts), record.nRating, record.nViewings);
        ppLink = &(*ppLink)->m_pNext;
    }
    return pHead;
}

// Reads the counted records into `records`; the step that ended them: End
// or Trailing when all were read, another at the first one that was not,
// with the complete ones before it in `records`.
ArchiveParser::Step ReadRecords(ArchiveParser& parser, TextFileReader& in, std::vector<ReadRecord>& records)
{
    ArchiveParser::Step step;
    while ((step = parser.Next(in)) == ArchiveParser::Step::Record) {
        const ArchiveParser::Record& read = parser.LastRecord();
        ReadRecord& record = records.emplace_back();
        record.nIndex = static_cast<std::uint32_t>(records.size() - 1);
        record.texts = FilmTexts(read.texts);
        SetTitlePrefix(record, read.texts[0]);
        record.nRating = read.nRating;
        record.nViewings = read.nViewings;
    }
    return step;
}

// A film whose record would not read back in step: a line feed inside a text
// would split its line, and an original title that is empty or only white
// space would be skipped with the white space that ends the record before.
bool IsStorable(const CFilm& film)
{
    if (IsBlankOriginalTitle(film.m_strOriginalTitle)) {
        return false;
    }
    for (const FilmText* pText : {&film.m_strOriginalTitle, &film.m_strTitle, &film.m_strCountry, &film.m_strYear,
                                  &film.m_strDirector, &film.m_strCast}) {
        if (pText->find('\n') != FilmText::npos) {
            return false;
        }
    }
    return true;
}

void AppendInt(std::string& out, int n)
{
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), n);
    out.append(digits.data(), result.ptr);
}

enum class WriteOutcome { Written, Failed, WrongCount, Changed };

// Writes the archive with nHeaderCount in its header; nWritten is the number
// of films in the list. With a wrong count nothing is committed.
WriteOutcome WriteRecords(const std::string& strPath, const CFilmNode* pHead, int nHeaderCount, int& nWritten,
                          FileStamp* pWritten, const std::optional<FileStamp>* pExpected)
{
    nWritten = 0;
    AtomicFile file(strPath, AtomicFile::Backup::Keep);
    if (pExpected != nullptr) {
        file.ExpectTarget(*pExpected);
    }
    if (!file.Open()) {
        return WriteOutcome::Failed;
    }
    constexpr std::size_t kChunk = 256 * 1024;
    std::string buffer;
    buffer.reserve(kChunk + 4096);
    buffer.append(ArchiveParser::kMagic1).append("\r\n").append(ArchiveParser::kMagic2).append("\r\n");
    AppendInt(buffer, nHeaderCount);
    buffer.append("\r\n");
    CFilmTextsLookAhead ahead(pHead);
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        ahead.Step();
        const CFilm& film = *p->m_pFilm;
        // Leaving here abandons the temporary file; the archive stays as it was.
        if (!IsStorable(film)) {
            return WriteOutcome::Failed;
        }
        // Storable texts hold no line feed, so they go out as they are.
        for (const FilmText* pText : {&film.m_strOriginalTitle, &film.m_strTitle, &film.m_strCountry, &film.m_strYear,
                                      &film.m_strDirector, &film.m_strCast}) {
            buffer.append(pText->view()).append("\r\n");
        }
        AppendInt(buffer, film.m_nRating);
        buffer += ' ';
        AppendInt(buffer, film.m_nViewings);
        buffer.append("\r\n");
        ++nWritten;
        if (buffer.size() >= kChunk) {
            if (!file.Write(buffer)) {
                return WriteOutcome::Failed;
            }
            buffer.clear();
        }
    }
    if (nWritten != nHeaderCount) {
        return WriteOutcome::WrongCount;
    }
    if (!file.Write(buffer) || !file.Commit()) {
        return file.TargetChanged() ? WriteOutcome::Changed : WriteOutcome::Failed;
    }
    if (pWritten != nullptr) {
        *pWritten = file.WrittenStamp();
    }
    return WriteOutcome::Written;
}

}  // namespace

bool IsBlankOriginalTitle(std::string_view strTitle)
{
    return strTitle.find_first_not_of(" \t\n\v\f\r") == std::string::npos;
}

bool IsStorableFilm(const CFilm& film) { return IsStorable(film); }

ArchiveReadResult ReadArchive(const std::string& strPath, ArchiveContents& contents)
{
    contents = ArchiveContents{};
    TextFileReader in(strPath);
    if (!in.IsOpen()) {
        contents.bMissing = in.OpenError() == ENOENT;
        return ArchiveCannotOpen;
    }
    contents.stamp = in.Stamp();
    ArchiveParser parser;
    if (parser.Next(in) != ArchiveParser::Step::Header) {
        return ArchiveInvalid;
    }

    std::vector<ReadRecord> records;
    // The count is only a claim until the records are there; a record takes
    // at least 9 bytes (six line ends and two one-digit numbers apart), so
    // the file's size bounds the room to make for them.
    constexpr std::int64_t kSmallestRecord = 9;
    records.reserve(static_cast<std::size_t>(
        std::min<std::int64_t>(parser.Count(), std::max<std::int64_t>(contents.stamp.nSize, 0) / kSmallestRecord + 1)));
    const ArchiveParser::Step end = ReadRecords(parser, in, records);

    for (const ReadRecord& r : records) {
        contents.nMaxViewings = std::max(contents.nMaxViewings, r.nViewings);
    }
    contents.nCount = static_cast<int>(records.size());
    contents.pHead = BuildSorted(records);
    // Bytes after the counted records are left unread, but the films read
    // are then not all the file holds.
    contents.bWhole = end == ArchiveParser::Step::End;
    return end == ArchiveParser::Step::End || end == ArchiveParser::Step::Trailing ? ArchiveRead : ArchiveInvalid;
}

bool WriteArchive(const std::string& strPath, const CFilmNode* pHead, int nCount, FileStamp* pWritten)
{
    // The caller's count goes into the header without a walk of the list to
    // check it first (such a walk alone costs as much as writing the
    // records); should it not match the films written, the file is written
    // again with the right count, so that the archive always reads back.
    int nWritten = 0;
    WriteOutcome outcome = WriteRecords(strPath, pHead, nCount, nWritten, pWritten, nullptr);
    if (outcome == WriteOutcome::WrongCount) {
        outcome = WriteRecords(strPath, pHead, nWritten, nWritten, pWritten, nullptr);
    }
    return outcome == WriteOutcome::Written;
}

ArchiveWrite WriteArchiveOver(const std::string& strPath, const CFilmNode* pHead, int nCount,
                              const std::optional<FileStamp>& expected, FileStamp* pWritten)
{
    int nWritten = 0;
    WriteOutcome outcome = WriteRecords(strPath, pHead, nCount, nWritten, pWritten, &expected);
    if (outcome == WriteOutcome::WrongCount) {
        outcome = WriteRecords(strPath, pHead, nWritten, nWritten, pWritten, &expected);
    }
    switch (outcome) {
    case WriteOutcome::Written:
        return ArchiveWrite::Written;
    case WriteOutcome::Changed:
        return ArchiveWrite::Changed;
    default:
        return ArchiveWrite::Failed;
    }
}
