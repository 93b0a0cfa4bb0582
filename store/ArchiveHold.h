#pragma once

#include "Archive.h"
#include "FileStamp.h"

#include <optional>
#include <string>

// Whether the lists of this run hold the whole content of one archive file:
// what Save needs to know before it puts the lists in that file's place.
// Held: the file was read whole, or written by this run, or was not there.
// Not held: a read that failed or stopped short, a file left unread, a file
// the path was pointed at and never read. A held file that has changed on
// disk since (another instance, a sync tool) is not held any longer.
class ArchiveHold {
public:
    // After reading the archive: held when the read took every record and
    // nothing followed them, or when nothing was at the path.
    void AfterRead(ArchiveReadResult result, const ArchiveContents& contents);
    // The archive was not read at all.
    void LeftUnread();
    // After this run wrote the file.
    void AfterWrite(const FileStamp& written);
    // The path now names strPath: held when nothing is there, or when it is
    // the very file held before, unchanged (the same path written another
    // way, or pointed away and back).
    void Repoint(const std::string& strPath);

    // True when putting the lists in place of strPath loses nothing this run
    // has not read: nothing is there, or something other than a regular file
    // (which a save refuses on its own), or the held file, unchanged.
    bool MayReplace(const std::string& strPath) const;

private:
    bool m_bHeld = true;
    std::optional<FileStamp> m_stamp;  // the file read whole or written; none when nothing was there
    bool m_bStampHeld = false;         // m_stamp is a file this run holds
};

// Keeps the current bytes of the file at strPath as NAME.N beside it, N the
// first free number from 1; a save never touches such a copy. strKept
// receives its path. False when no copy could be made.
bool KeepNumberedCopy(const std::string& strPath, std::string& strKept);
