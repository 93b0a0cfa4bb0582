#pragma once

#include "FilmTexts.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class TextFileReader;

// The grammar of a catalogue archive, in one place: "cinetrove", "quonwerk"
// and the count of films, then seven lines per film: the six texts, then
// rating and viewings. White space (blank lines included) is skipped before
// the magic words, the count, each record's first line and each number; a
// text line is taken up to its LF, a CR before the LF being part of the line
// end, and a last line without LF is a line too. Numbers are decimal, with
// an optional sign, fit in 32 bits and end at white space or the end of the
// file. The archive reader (Archive.h) and the archive check (ArchiveCheck.h)
// both read through this parser, so a change to the format is made here.
//
// The parser works on the bytes of the file as they are (CR LF not folded),
// one item at a time: the header, then each counted record, then the end.
// It is given the bytes not yet taken, a block of the file at a time; when
// they end before the next item does, it asks for more, and is then given
// the same bytes again with more behind them.
class ArchiveParser {
public:
    // The magic words of the header, which the writer writes as well.
    static constexpr std::string_view kMagic1 = "cinetrove";
    static constexpr std::string_view kMagic2 = "quonwerk";

    enum class Step {
        Header,     // the magic words and the count: Count()
        Record,     // one counted record: LastRecord()
        End,        // nothing but white space after the counted records
        Trailing,   // bytes other than white space after the counted records: LastFault()
        Fault,      // the first fault; the items before it stand: LastFault()
        More,       // the bytes end before the next item does
        ReadError,  // (files only) a read of the file failed
    };

    // A record as it stands in the bytes given; the views last as long as
    // those bytes.
    struct Record {
        std::array<std::string_view, FilmTexts::kCount> texts;
        int nRating = 0;
        int nViewings = 0;
    };

    // Where the first fault is and what stood there.
    struct Fault {
        int nLine = 0;                 // from 1; lines end with LF
        std::string_view strExpected;  // e.g. "a count"
        std::string strFound;          // the bytes there, cut short; empty at the end of the file
    };

    // Parses the next item at the start of `bytes`, the bytes not yet taken;
    // bFinal when the file ends with them. Used() bytes are then taken, also
    // after More (white space before the next item). After End, Trailing or
    // Fault nothing more is parsed.
    Step Next(std::string_view bytes, bool bFinal);
    // The same over a file, a block of it at a time: the reader's buffer is
    // the bytes, and the views of LastRecord() last until the next call.
    Step Next(TextFileReader& in);

    std::size_t Used() const { return m_nUsed; }
    int Count() const { return m_nCount; }
    const Record& LastRecord() const { return m_record; }
    const Fault& LastFault() const { return m_fault; }
    // The line of the next byte to be taken.
    int Line() const { return m_nLine; }

private:
    enum class Item { Magic1, Magic2, Count, Record, End, Done };

    // Each item is given the bytes from its first one on, white space before
    // it taken already.
    std::optional<Step> ParseHeaderWord(std::string_view bytes, bool bFinal, std::string_view word,
                                        std::string_view strExpected);
    Step ParseCount(std::string_view bytes, bool bFinal);
    Step ParseRecord(std::string_view bytes, bool bFinal);
    Step ParseEnd(std::string_view bytes, bool bFinal);
    // Ends the item with a fault at nOffset of `bytes`.
    Step Failed(std::string_view bytes, std::size_t nOffset, bool bFinal, std::string_view strExpected,
                std::string strFound);
    // Takes the first nUsed bytes, counting their lines.
    void Take(std::string_view bytes, std::size_t nUsed, int nLines);

    Item m_item = Item::Magic1;
    int m_nCount = 0;
    int m_nLeft = 0;  // counted records not yet read
    std::size_t m_nUsed = 0;
    Record m_record;
    Fault m_fault;
    int m_nLine = 1;
    bool m_bMidLine = false;  // the last byte taken is not a LF
    bool m_bFileEnded = false;
    Step m_doneStep = Step::End;  // what every call gives after the last item
};
