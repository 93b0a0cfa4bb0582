#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kWriteChunk = 256 * 1024;

int g_nWriteFault = 0;  // countdown to the injected write fault, 0 = none
bool g_bSyncFault = false;

ssize_t WriteToDisk(int fd, const char* pData, std::size_t nSize) {
    if (g_nWriteFault > 0 && --g_nWriteFault == 0) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, pData, nSize);
}

int SyncToDisk(int fd) {
    if (g_bSyncFault) {
        g_bSyncFault = false;
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

std::string DirectoryOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

std::string BaseNameOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

void SyncDirectory(const std::string& strDir) {
    const int fd = ::open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Some file systems refuse to sync a directory; the rename is done by
        // then, so there is nothing left to undo.
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void AtomicFileInjectWriteFault(int nNthWrite) { g_nWriteFault = nNthWrite > 0 ? nNthWrite : 0; }
void AtomicFileInjectSyncFault(bool bFail) { g_bSyncFault = bFail; }

AtomicFile::AtomicFile(std::string strPath, Backup backup)
    : m_strPath(std::move(strPath)), m_backup(backup) {}

AtomicFile::~AtomicFile() {
    if (!m_bCommitted) {
        Abandon();
    }
}

bool AtomicFile::Open() {
    const std::string strBase = BaseNameOf(m_strPath);
    struct stat st{};
    const bool bExists = ::stat(m_strPath.c_str(), &st) == 0;
    if (strBase.empty() || (bExists && S_ISDIR(st.st_mode))) {
        m_bFailed = true;
        return false;
    }
    std::string strTemplate = DirectoryOf(m_strPath) + "/." + strBase + ".XXXXXX";
    std::vector<char> name(strTemplate.begin(), strTemplate.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_bFailed = true;
        return false;
    }
    m_strTempPath = name.data();
    // mkstemp creates the file for its owner only; give the new file the
    // rights the old one had, or those of a newly created file.
    ::fchmod(m_fd, bExists ? (st.st_mode & 07777) : DefaultMode());
    m_buffer.reserve(kWriteChunk);
    return true;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (m_fd < 0 || m_bFailed) {
        return false;
    }
    if (m_buffer.size() + bytes.size() < kWriteChunk) {
        m_buffer.append(bytes);
        return true;
    }
    // A large piece goes straight to disk, after what is buffered.
    return FlushBuffer() && WriteAll(bytes);
}

bool AtomicFile::FlushBuffer() {
    if (!WriteAll(m_buffer)) {
        return false;
    }
    m_buffer.clear();
    return true;
}

bool AtomicFile::WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = WriteToDisk(m_fd, bytes.data(), std::min(bytes.size(), kWriteChunk));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_bFailed = true;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void AtomicFile::KeepBackup() const {
    // The backup is a hard link to the old file, which the rename then
    // leaves behind under its own name; where links are not possible the old
    // file is copied. Either goes in under a temporary name first and is then
    // renamed over NAME~, so that a process killed here leaves the previous
    // backup or the new one, never none and never half a copy. A backup that
    // cannot be made does not stop the save: the target itself is never at
    // risk.
    struct stat st{};
    if (::lstat(m_strPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    const std::string strBackup = m_strPath + "~";
    std::string strTemplate = DirectoryOf(m_strPath) + "/." + BaseNameOf(strBackup) + ".XXXXXX";
    std::vector<char> name(strTemplate.begin(), strTemplate.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    ::close(fd);
    const std::string strTemp = name.data();
    // link() refuses an existing name, so the placeholder goes first.
    ::unlink(strTemp.c_str());
    bool bMade = ::link(m_strPath.c_str(), strTemp.c_str()) == 0;
    if (!bMade) {
        std::error_code ec;
        bMade = std::filesystem::copy_file(m_strPath, strTemp,
                                           std::filesystem::copy_options::overwrite_existing, ec);
    }
    if (!bMade || ::rename(strTemp.c_str(), strBackup.c_str()) != 0) {
        ::unlink(strTemp.c_str());
    }
}

bool AtomicFile::Commit() {
    if (m_fd < 0 || m_bFailed || !FlushBuffer() || SyncToDisk(m_fd) != 0) {
        Abandon();
        return false;
    }
    struct stat st{};
    if (::fstat(m_fd, &st) == 0) {
        m_writtenStamp = StampOfStat(st);
    }
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) {
        Abandon();
        return false;
    }
    if (m_backup == Backup::Keep) {
        KeepBackup();
    }
    if (::rename(m_strTempPath.c_str(), m_strPath.c_str()) != 0) {
        Abandon();
        return false;
    }
    m_bCommitted = true;
    m_strTempPath.clear();
    SyncDirectory(DirectoryOf(m_strPath));
    return true;
}

void AtomicFile::Abandon() {
    m_bFailed = true;
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTempPath.empty()) {
        ::unlink(m_strTempPath.c_str());
        m_strTempPath.clear();
    }
}
