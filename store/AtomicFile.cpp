#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kWriteChunk = 256 * 1024;
constexpr std::string_view kTempPrefix = ".cinetrove-";
constexpr std::size_t kTempRandom = 6;  // the XXXXXX of mkstemp
constexpr int kMaxLinks = 40;           // as the system's own limit on a path

int g_nWriteFault = 0;  // countdown to the injected write fault, 0 = none
bool g_bSyncFault = false;

ssize_t WriteToDisk(int fd, const char* pData, std::size_t nSize)
{
    if (g_nWriteFault > 0 && --g_nWriteFault == 0) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, pData, nSize);
}

int SyncToDisk(int fd)
{
    if (g_bSyncFault) {
        g_bSyncFault = false;
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

std::string DirectoryOf(const std::string& strPath)
{
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

std::string BaseNameOf(const std::string& strPath)
{
    const std::size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

void SyncDirectory(const std::string& strDir)
{
    const int fd = ::open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Some file systems refuse to sync a directory; the rename is done by
        // then, so there is nothing left to undo.
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t DefaultMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Removes the temporary files that killed saves left in strDir. A file that
// some save is still writing is locked by it and stays; the name is checked
// again under the lock, so a file put there meanwhile is never the one removed.
void RemoveStaleTemporaries(const std::string& strDir)
{
    DIR* pDir = ::opendir(strDir.c_str());
    if (pDir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(pDir);
    while (const dirent* pEntry = ::readdir(pDir)) {
        if (!IsAtomicFileTemporary(pEntry->d_name)) {
            continue;
        }
        const int fd = ::openat(dirFd, pEntry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, pEntry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named)) {
            ::unlinkat(dirFd, pEntry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(pDir);
}

// The folders whose temporaries this run has swept: a killed save leaves its
// temporary behind once, so one sweep a folder a run finds it, and a save in a
// folder of many files does not read the whole folder each time.
std::mutex g_sweptMutex;
std::set<std::string> g_swept;

bool FirstSaveInFolder(const std::string& strDir)
{
    const std::lock_guard<std::mutex> lock(g_sweptMutex);
    return g_swept.insert(strDir).second;
}

// Creates a temporary file of our naming in strDir and locks it. Another
// instance's clean-up may remove the name between the two steps; then the
// file is given up and another one made.
int CreateLockedTemporary(const std::string& strDir, std::string& strTempPath)
{
    for (int nTry = 0; nTry < 16; ++nTry) {
        std::string strTemplate = strDir + "/" + std::string(kTempPrefix) + "XXXXXX";
        std::vector<char> name(strTemplate.begin(), strTemplate.end());
        name.push_back('\0');
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        struct stat held {};
        struct stat named {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &held) == 0 && ::lstat(name.data(), &named) == 0 &&
            SameFile(held, named)) {
            strTempPath = name.data();
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

// A file the user may replace: a regular file with write permission. The
// permission bits count even for the superuser, as a read-only file does on
// the platform the catalogue comes from.
bool MayReplace(const std::string& strPath, const struct stat& st)
{
    return S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0 && ::access(strPath.c_str(), W_OK) == 0;
}

}  // namespace

bool IsAtomicFileTemporary(std::string_view strName)
{
    if (strName.size() != kTempPrefix.size() + kTempRandom || strName.substr(0, kTempPrefix.size()) != kTempPrefix) {
        return false;
    }
    const std::string_view random = strName.substr(kTempPrefix.size());
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

std::string FollowLinks(const std::string& strPath)
{
    std::string strResult = strPath;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st {};
        if (::lstat(strResult.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return strResult;
        }
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(strResult.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
            return strResult;
        }
        const std::string strTarget(target.data(), static_cast<std::size_t>(n));
        strResult = strTarget.front() == '/' ? strTarget : DirectoryOf(strResult) + "/" + strTarget;
    }
    return strResult;
}

void AtomicFileForgetSweeps()
{
    const std::lock_guard<std::mutex> lock(g_sweptMutex);
    g_swept.clear();
}

void AtomicFileInjectWriteFault(int nNthWrite) { g_nWriteFault = nNthWrite > 0 ? nNthWrite : 0; }
void AtomicFileInjectSyncFault(bool bFail) { g_bSyncFault = bFail; }

AtomicFile::AtomicFile(std::string strPath, Backup backup) : m_strPath(FollowLinks(strPath)), m_backup(backup) {}

AtomicFile::~AtomicFile()
{
    if (!m_bCommitted) {
        Abandon();
    }
}

bool AtomicFile::Open()
{
    struct stat st {};
    const bool bExists = ::stat(m_strPath.c_str(), &st) == 0;
    if (BaseNameOf(m_strPath).empty() || (bExists && !MayReplace(m_strPath, st))) {
        m_bFailed = true;
        return false;
    }
    const std::string strDir = DirectoryOf(m_strPath);
    if (FirstSaveInFolder(strDir)) {
        RemoveStaleTemporaries(strDir);
    }
    m_fd = CreateLockedTemporary(strDir, m_strTempPath);
    if (m_fd < 0) {
        m_bFailed = true;
        return false;
    }
    // mkstemp creates the file for its owner only; give the new file the
    // group and rights the old one had, or those of a newly created file.
    // The group goes first: changing it may clear the set-group-id bit.
    if (bExists) {
        ::fchown(m_fd, static_cast<uid_t>(-1), st.st_gid);
    }
    ::fchmod(m_fd, bExists ? (st.st_mode & 07777) : DefaultMode());
    m_buffer.reserve(kWriteChunk);
    return true;
}

bool AtomicFile::Write(std::string_view bytes)
{
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

bool AtomicFile::FlushBuffer()
{
    if (!WriteAll(m_buffer)) {
        return false;
    }
    m_buffer.clear();
    return true;
}

bool AtomicFile::WriteAll(std::string_view bytes)
{
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

void AtomicFile::KeepBackup() const
{
    // The backup is a hard link to the old file, which the rename then
    // leaves behind under its own name; where links are not possible the old
    // file is copied. Either goes in under a temporary name first and is then
    // renamed over NAME~, so that a process killed here leaves the previous
    // backup or the new one, never none and never half a copy. A backup that
    // cannot be made does not stop the save: the target itself is never at
    // risk.
    struct stat old {};
    if (::lstat(m_strPath.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
        return;
    }
    const std::string strBackup = m_strPath + "~";
    struct stat backup {};
    if (::lstat(strBackup.c_str(), &backup) == 0 && SameFile(old, backup)) {
        return;  // another save already made this file the backup
    }
    // The hidden name is locked from the moment it names the old file until
    // it is renamed, so another writer's sweep of temporaries leaves it; a
    // sweep that took it in the instant before the lock makes the rename
    // fail, and the backup is made again.
    for (int nTry = 0; nTry < 4; ++nTry) {
        std::string strTemp;
        const int placeholder = CreateLockedTemporary(DirectoryOf(m_strPath), strTemp);
        if (placeholder < 0) {
            return;
        }
        ::close(placeholder);
        // link() refuses an existing name, so the placeholder goes first.
        ::unlink(strTemp.c_str());
        bool bMade = ::link(m_strPath.c_str(), strTemp.c_str()) == 0;
        if (!bMade) {
            std::error_code ec;
            bMade =
                std::filesystem::copy_file(m_strPath, strTemp, std::filesystem::copy_options::overwrite_existing, ec);
        }
        const int held = bMade ? ::open(strTemp.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : -1;
        const bool bLocked = held >= 0 && ::flock(held, LOCK_EX | LOCK_NB) == 0;
        // A rename between two names of one file does nothing and leaves
        // both; the temporary name must not outlive the save either way.
        const bool bRenamed = bLocked && ::rename(strTemp.c_str(), strBackup.c_str()) == 0;
        if (!bRenamed || ::lstat(strTemp.c_str(), &backup) == 0) {
            ::unlink(strTemp.c_str());
        }
        if (held >= 0) {
            ::close(held);
        }
        if (bRenamed || !bMade) {
            return;
        }
    }
}

bool AtomicFile::Commit()
{
    if (m_fd < 0 || m_bFailed || !FlushBuffer() || SyncToDisk(m_fd) != 0) {
        Abandon();
        return false;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) == 0) {
        m_writtenStamp = StampOfStat(st);
    }
    // Looked at right before the rename, so that a change that landed while
    // the file was written is not overwritten.
    if (m_expected && StampOfPath(m_strPath) != *m_expected) {
        m_bTargetChanged = true;
        Abandon();
        return false;
    }
    if (m_backup == Backup::Keep) {
        KeepBackup();
    }
    // The temporary file stays open, and so locked, until it has its final
    // name: no other instance's clean-up may take it before.
    if (::rename(m_strTempPath.c_str(), m_strPath.c_str()) != 0) {
        Abandon();
        return false;
    }
    // The rename changes the file's status time: the stamp is taken after it.
    if (::fstat(m_fd, &st) == 0) {
        m_writtenStamp = StampOfStat(st);
    }
    m_bCommitted = true;
    m_strTempPath.clear();
    ::close(std::exchange(m_fd, -1));
    SyncDirectory(DirectoryOf(m_strPath));
    return true;
}

void AtomicFile::Abandon()
{
    m_bFailed = true;
    if (!m_strTempPath.empty()) {
        ::unlink(m_strTempPath.c_str());
        m_strTempPath.clear();
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
