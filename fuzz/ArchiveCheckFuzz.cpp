// The archive check on any bytes, against the archive reader: both must
// agree on how many films read whole; the check calls an archive whole
// exactly when the reader reads it all and only white space follows; a
// fault names a line that is in the file (or the one after its end).
#include "Archive.h"
#include "ArchiveCheck.h"
#include "FilmList.h"
#include "FuzzFile.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const FuzzDir dir;
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    const std::string strPath = dir.Put("filme.cta", bytes);

    ArchiveContents contents;
    const ArchiveReadResult result = ReadArchive(strPath, contents);
    FreeList(contents.pHead);
    const ArchiveFault fault = CheckArchive(strPath);

    FUZZ_CHECK(fault.bOpened);
    FUZZ_CHECK(fault.nFilms == contents.nCount);
    if (fault.bWhole) {
        FUZZ_CHECK(result == ArchiveRead);
        FUZZ_CHECK(fault.nLine == 0 && fault.strExpected.empty());
    } else {
        FUZZ_CHECK(result == ArchiveInvalid || fault.strExpected == "the end of the file");
        // A last line without LF is a line too.
        const auto nLines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) +
                            (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
        FUZZ_CHECK(fault.nLine >= 1 && fault.nLine <= nLines + 1);
    }
    return 0;
}
