#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct stat;

// What tells one version of a file from another without reading it: the
// device and inode (a new file was put in its place), its size, its time of
// last modification (it was written in place) and of its last status change
// (a writer that put the modification time back still changes that one).
struct FileStamp {
    std::uint64_t nDevice = 0;
    std::uint64_t nInode = 0;
    std::int64_t nSize = 0;
    std::int64_t nModifiedNs = 0;
    std::int64_t nChangedNs = 0;
    bool bRegular = false;  // a regular file, not a folder, FIFO or device

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOfStat(const struct stat& st);
// The stamp of what is at strPath now, symbolic links followed; nothing when
// there is nothing there (or it cannot be looked at).
std::optional<FileStamp> StampOfPath(const std::string& strPath);
