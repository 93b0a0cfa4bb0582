#include "ArchiveCopy.h"

#include "Archive.h"
#include "AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>

namespace {

// A name of this process's own beside the archive: the whole copy is
// written there first, then given its number.
std::string PrivateName(const std::string& strFile)
{
    const std::filesystem::path file(strFile);
    return (file.parent_path() / ("." + file.filename().string() + ".unsaved-" + std::to_string(::getpid()))).string();
}

}  // namespace

bool WriteNumberedArchiveCopy(const std::string& strPath, const CFilmNode* pHead, int nCount, std::string& strWritten)
{
    const std::string strFile = FollowLinks(strPath);
    const std::string strPrivate = PrivateName(strFile);
    // A name left by an earlier process of this number is no one's; with it
    // gone the write below keeps no backup of it either.
    ::unlink(strPrivate.c_str());
    if (!WriteArchive(strPrivate, pHead, nCount)) {
        ::unlink(strPrivate.c_str());
        return false;
    }
    bool bNamed = false;
    for (int n = 1; n < 1000000 && !bNamed; ++n) {
        const std::string strCopy = strFile + "." + std::to_string(n);
        // link() never replaces a file: a number taken meanwhile by another
        // program is skipped.
        if (::link(strPrivate.c_str(), strCopy.c_str()) == 0) {
            strWritten = strCopy;
            bNamed = true;
        } else if (errno == EEXIST) {
            continue;
        } else {
            // A file system without links: a rename to a free name, which
            // only another writer racing for that very number could take.
            struct stat st {};
            if (::lstat(strCopy.c_str(), &st) == 0) continue;
            if (errno == ENOENT && ::rename(strPrivate.c_str(), strCopy.c_str()) == 0) {
                strWritten = strCopy;
                return true;
            }
            break;
        }
    }
    ::unlink(strPrivate.c_str());
    return bNamed;
}
