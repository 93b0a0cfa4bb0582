#pragma once

#include "FileStamp.h"
#include "Film.h"

#include <optional>
#include <string>
#include <string_view>

// Result of reading one catalogue archive.
enum ArchiveReadResult : int {
    ArchiveRead = 0,        // every record read
    ArchiveCannotOpen = 1,  // the file cannot be opened for reading
    ArchiveInvalid = 2,     // bad header, or a record that cannot be read
};

struct ArchiveContents {
    CFilmNode* pHead = nullptr;  // the films read, sorted; owned by the caller
    int nCount = 0;              // number of films in pHead
    int nMaxViewings = 0;        // largest viewings read, at least 0
    // What the read saw of the file. bMissing: nothing was at the path.
    // bWhole: every record was read and nothing but white space follows the
    // last counted one, so the films read are all the file holds. stamp: the
    // file as it was opened.
    bool bMissing = false;
    bool bWhole = false;
    FileStamp stamp;
};

// Reads the archive at strPath. Whatever the result, `contents` holds exactly
// the films read before any fault, and nCount is their number.
ArchiveReadResult ReadArchive(const std::string& strPath, ArchiveContents& contents);

// True for an original title that is empty or only white space: the reader
// skips white space, blank lines included, before each original title, so
// such a title cannot be stored.
bool IsBlankOriginalTitle(std::string_view strTitle);

// False for a film whose record would throw the archive out of step when read
// back: a text that holds a line feed (it would split its line), or an
// original title that is empty or only white space (the reader skips white
// space, blank lines included, before each original title).
bool IsStorableFilm(const CFilm& film);

// Writes the list with its count, replacing the file atomically and keeping
// the previous file beside it as NAME~. Returns false when the archive cannot
// be written, or when a film of the list is not storable; the old file is
// then left as it was. The count stored is the number of films in the list.
// pWritten, when given, receives the stamp of the file written.
bool WriteArchive(const std::string& strPath, const CFilmNode* pHead, int nCount, FileStamp* pWritten = nullptr);

// WriteArchive that puts the new file in place only while the file at the
// path is still `expected` (none: nothing there), looked at right before.
enum class ArchiveWrite { Written, Failed, Changed };
ArchiveWrite WriteArchiveOver(const std::string& strPath, const CFilmNode* pHead, int nCount,
                              const std::optional<FileStamp>& expected, FileStamp* pWritten);
