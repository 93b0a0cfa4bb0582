#include "FileStamp.h"

#include <sys/stat.h>

FileStamp StampOfStat(const struct stat& st)
{
    FileStamp stamp;
    stamp.nDevice = static_cast<std::uint64_t>(st.st_dev);
    stamp.nInode = static_cast<std::uint64_t>(st.st_ino);
    stamp.nSize = static_cast<std::int64_t>(st.st_size);
    stamp.nModifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.nChangedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.bRegular = S_ISREG(st.st_mode);
    return stamp;
}

std::optional<FileStamp> StampOfPath(const std::string& strPath)
{
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return StampOfStat(st);
}
