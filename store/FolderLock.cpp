#include "FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <map>
#include <utility>

namespace {

struct Held {
    int fd = -1;
    int nHolders = 0;
};

// The folders this run holds locked, by device and inode.
std::map<std::pair<std::uint64_t, std::uint64_t>, Held>& HeldFolders()
{
    static std::map<std::pair<std::uint64_t, std::uint64_t>, Held> held;
    return held;
}

std::string FolderOf(const std::string& strPath)
{
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) return ".";
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

}  // namespace

FolderLock::FolderLock(const std::string& strFilePath)
{
    const int fd = ::open(FolderOf(strFilePath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return;
    }
    m_nDevice = static_cast<std::uint64_t>(st.st_dev);
    m_nInode = static_cast<std::uint64_t>(st.st_ino);
    Held& held = HeldFolders()[{m_nDevice, m_nInode}];
    if (held.nHolders > 0) {
        ::close(fd);
    } else {
        int nResult = 0;
        while ((nResult = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {}
        if (nResult != 0) {
            ::close(fd);
            HeldFolders().erase({m_nDevice, m_nInode});
            return;
        }
        held.fd = fd;
    }
    ++held.nHolders;
    m_bHeld = true;
}

FolderLock::~FolderLock()
{
    if (!m_bHeld) return;
    const auto it = HeldFolders().find({m_nDevice, m_nInode});
    if (it == HeldFolders().end()) return;
    if (--it->second.nHolders == 0) {
        ::close(it->second.fd);  // lets the lock go
        HeldFolders().erase(it);
    }
}
