#include "ArchiveHold.h"

#include "AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

void ArchiveHold::AfterRead(ArchiveReadResult result, const ArchiveContents& contents)
{
    if (result == ArchiveRead && contents.bWhole) {
        m_bHeld = m_bStampHeld = true;
        m_stamp = contents.stamp;
    } else if (result == ArchiveCannotOpen && contents.bMissing) {
        m_bHeld = true;
        m_stamp.reset();
    } else {
        LeftUnread();
    }
}

void ArchiveHold::LeftUnread()
{
    m_bHeld = m_bStampHeld = false;
    m_stamp.reset();
}

void ArchiveHold::AfterWrite(const FileStamp& written)
{
    m_bHeld = m_bStampHeld = true;
    m_stamp = written;
}

void ArchiveHold::Repoint(const std::string& strPath)
{
    // The file read or written is remembered while the path points
    // elsewhere, so pointing back at it, unchanged, holds it again.
    const std::optional<FileStamp> now = StampOfPath(strPath);
    if (m_stamp && now == m_stamp) {
        m_bHeld = m_bStampHeld;
        return;
    }
    m_bHeld = !now.has_value();
}

bool ArchiveHold::MayReplace(const std::string& strPath) const
{
    const std::optional<FileStamp> now = StampOfPath(strPath);
    if (!now || !now->bRegular) {
        return true;
    }
    return m_bHeld && now == m_stamp;
}

namespace {

// Copies the bytes of strFrom into the new file strTo, which must not exist.
// errno is EEXIST when it does.
bool CopyToNewFile(const std::string& strFrom, const std::string& strTo)
{
    const int in = ::open(strFrom.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    const int out = ::open(strTo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out < 0) {
        const int nError = errno;
        ::close(in);
        errno = nError;
        return false;
    }
    char buffer[64 * 1024];
    bool bOk = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            bOk = n == 0;
            break;
        }
        for (ssize_t done = 0; bOk && done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) {
                continue;
            }
            bOk = w > 0;
            done += w > 0 ? w : 0;
        }
        if (!bOk) {
            break;
        }
    }
    bOk = ::fsync(out) == 0 && bOk;
    bOk = ::close(out) == 0 && bOk;
    ::close(in);
    if (!bOk) {
        ::unlink(strTo.c_str());
        errno = EIO;
    }
    return bOk;
}

}  // namespace

bool KeepNumberedCopy(const std::string& strPath, std::string& strKept)
{
    // Beside the file itself when the path is a link to it, as the save
    // that follows replaces that file.
    const std::string strFile = FollowLinks(strPath);
    for (int n = 1; n < 1000000; ++n) {
        const std::string strCopy = strFile + "." + std::to_string(n);
        // A copy of the bytes, not a second name of the file: the save's
        // backup NAME~ is such a name, and a copy that shared its file with
        // it would change with it.
        if (CopyToNewFile(strFile, strCopy)) {
            strKept = strCopy;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}
