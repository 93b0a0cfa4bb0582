#pragma once

#include <cstdint>
#include <string>

// The lock that every Cinetrove writer of a catalogue folder takes while it
// writes there (the window while it saves, an import from its read to its
// last write), so that two writers take turns and each looks at the files
// again under the lock. An advisory lock on the folder itself: nothing is
// added to it. Taken again by the same run while it holds it, it is shared
// (an import's save inside the import's lock). A folder that cannot be
// opened is not locked; the write then fails or succeeds on its own.
class FolderLock {
public:
    // Locks the folder that holds strPath (a file's path), waiting for
    // another writer to let it go.
    explicit FolderLock(const std::string& strFilePath);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool IsHeld() const { return m_bHeld; }

private:
    bool m_bHeld = false;
    std::uint64_t m_nDevice = 0;
    std::uint64_t m_nInode = 0;
};
