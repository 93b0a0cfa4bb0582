#pragma once

#include <string>

// What a careful reading of one catalogue archive found: the reader of
// Archive.h reads through the same parser (ArchiveParser.h), but only says
// whether the archive read; this one says where it stopped and what it
// expected there, for the companion program's check and its refusal to
// write over an archive that does not read whole.
struct ArchiveFault {
    bool bOpened = false;     // false when the file cannot be opened for reading
    bool bWhole = false;      // every counted record read and nothing but white space after them
    int nLine = 0;            // line of the first fault, from 1 (lines end with LF)
    std::string strExpected;  // what was expected there, e.g. "a count"
    std::string strFound;     // what stood there instead, as bytes of the archive
    int nFilms = 0;           // records read whole
};

// Reads the archive at strPath as ReadArchive does and reports the first
// fault. Bytes after the last counted record other than white space are a
// fault here, although ReadArchive leaves them unread.
ArchiveFault CheckArchive(const std::string& strPath);
