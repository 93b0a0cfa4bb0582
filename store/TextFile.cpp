#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

TextFileReader::TextFileReader(const std::string& strPath)
{
    // Without O_NONBLOCK a FIFO at the path would hang the program in
    // open(); a device would feed it endless bytes. Only regular files are
    // read, then blocking as usual.
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        m_nOpenError = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        m_nOpenError = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        return;
    }
    m_stamp = StampOfStat(st);
    m_fd = fd;
    m_buffer.resize(kBufferSize);
}

TextFileReader::~TextFileReader()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool TextFileReader::Refill()
{
    if (m_fd < 0 || m_bEof || m_bError) {
        return false;
    }
    if (m_nPos > 0) {  // keep the unread tail at the front
        std::memmove(m_buffer.data(), m_buffer.data() + m_nPos, m_nEnd - m_nPos);
        m_nEnd -= m_nPos;
        m_nPos = 0;
    }
    for (;;) {
        const ssize_t nRead = ::read(m_fd, m_buffer.data() + m_nEnd, m_buffer.size() - m_nEnd);
        if (nRead < 0 && errno == EINTR) {
            continue;
        }
        if (nRead < 0) {
            m_bError = true;
        } else if (nRead == 0) {
            m_bEof = true;
        } else {
            m_nEnd += static_cast<std::size_t>(nRead);
            return true;
        }
        return false;
    }
}

bool TextFileReader::Ensure(std::size_t n)
{
    while (m_nEnd - m_nPos < n) {
        if (!Refill()) {
            return false;
        }
    }
    return true;
}

bool TextFileReader::ReadMore()
{
    if (m_nPos == 0 && m_nEnd == m_buffer.size()) {
        m_buffer.resize(m_buffer.size() * 2);  // a line longer than the buffer
    }
    return Refill();
}

int TextFileReader::Get()
{
    const int c = Peek();
    if (c == '\n' && m_buffer[m_nPos] == '\r') {
        m_nPos += 2;
    } else if (c != EOF) {
        ++m_nPos;
    }
    return c;
}

int TextFileReader::Peek()
{
    if (!Ensure(1)) {
        return EOF;
    }
    const char c = m_buffer[m_nPos];
    if (c == '\r' && Ensure(2) && m_buffer[m_nPos + 1] == '\n') {
        return '\n';
    }
    return static_cast<unsigned char>(c);
}

bool TextFileReader::ReadLine(std::string& strLine)
{
    strLine.clear();
    bool bReadAny = false;
    while (Ensure(1)) {
        bReadAny = true;
        const char* pBegin = m_buffer.data() + m_nPos;
        const std::size_t nAvail = m_nEnd - m_nPos;
        const auto* pLf = static_cast<const char*>(std::memchr(pBegin, '\n', nAvail));
        if (pLf == nullptr) {
            strLine.append(pBegin, nAvail);
            m_nPos = m_nEnd;
            continue;
        }
        strLine.append(pBegin, static_cast<std::size_t>(pLf - pBegin));
        m_nPos += static_cast<std::size_t>(pLf - pBegin) + 1;
        // The last byte appended is the one just before the LF, even when the
        // line spans several buffers: a CR there belongs to the line end.
        if (!strLine.empty() && strLine.back() == '\r') {
            strLine.pop_back();
        }
        return true;
    }
    return bReadAny;
}

std::string TextFileReader::ReadAll()
{
    std::string text;
    while (Ensure(1)) {
        text.append(m_buffer.data() + m_nPos, m_nEnd - m_nPos);
        m_nPos = m_nEnd;
    }
    // Fold CR LF in place.
    std::size_t nOut = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        text[nOut++] = text[i];
    }
    text.resize(nOut);
    return text;
}

void AppendTextMode(std::string& out, std::string_view text)
{
    while (!text.empty()) {
        const std::size_t nLf = text.find('\n');
        if (nLf == std::string_view::npos) {
            out.append(text);
            return;
        }
        out.append(text.substr(0, nLf));
        out.append("\r\n");
        text.remove_prefix(nLf + 1);
    }
}
