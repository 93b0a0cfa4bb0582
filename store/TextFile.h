#pragma once

#include "FileStamp.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text-mode files as the catalogue's home platform keeps them: a line feed is
// stored as CR LF; reading delivers CR LF as a line feed and keeps a lone CR
// (so CR CR LF reads as CR LF). Bytes are otherwise passed through as they
// are, NUL included.

class TextFileReader {
public:
    // Bytes read from the file at a time (the buffer grows beyond it only for
    // a block parser's item longer than it).
    static constexpr std::size_t kBufferSize = 256 * 1024;

    // Opens a regular file for reading; a directory, a FIFO, a device or a
    // missing file leaves the reader closed.
    explicit TextFileReader(const std::string& strPath);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Why the file is not open: ENOENT when nothing is at the path, another
    // errno value otherwise (EISDIR, ENODEV... for what is not a regular file).
    int OpenError() const { return m_nOpenError; }
    // The stamp of the file as it was opened.
    const FileStamp& Stamp() const { return m_stamp; }
    // True once a read from the file failed (as opposed to reaching its end).
    bool HasError() const { return m_bError; }

    // Next character with CR LF folded to LF, or EOF.
    int Get();
    // The character Get would return, without taking it.
    int Peek();
    // Reads up to and including the next LF (removed from the result), the
    // line whole whatever its length. False at the end of the file with
    // nothing read; a last line without LF is returned.
    bool ReadLine(std::string& strLine);
    // Reads everything that is left.
    std::string ReadAll();

    // Block access for parsers that take many lines at a time: the unread
    // bytes held in memory as they are in the file (CR LF not folded), taking
    // n of them, and reading more of the file behind them (the buffer grows
    // when they fill it). ReadMore is false when nothing more came: the end
    // of the file, or a failed read.
    std::string_view Pending() const { return {m_buffer.data() + m_nPos, m_nEnd - m_nPos}; }
    void Consume(std::size_t n) { m_nPos += n; }
    bool ReadMore();

private:
    // Makes at least n (1 or 2) unread bytes available unless the file ends
    // first; false when fewer than n are left.
    bool Ensure(std::size_t n);
    // Moves the unread bytes to the front and reads once behind them.
    bool Refill();

    int m_fd = -1;
    int m_nOpenError = 0;
    FileStamp m_stamp;
    bool m_bError = false;
    bool m_bEof = false;
    std::vector<char> m_buffer;
    std::size_t m_nPos = 0;  // next unread byte in m_buffer
    std::size_t m_nEnd = 0;  // end of the bytes read into m_buffer
};

// Appends `text` to `out` the way a text-mode stream stores it: each LF as CR LF.
void AppendTextMode(std::string& out, std::string_view text);
