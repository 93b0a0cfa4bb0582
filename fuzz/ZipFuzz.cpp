// ZIP reading on any bytes, with an entry limit of 1 MiB: it refuses, naming
// the file, or reads only the wanted entries, none past the limit; written
// to a new ZIP file (when there are any) the entries read back the same; and the Letterboxd
// reader takes them as an export, refusing or reading.
#include "FuzzFile.h"
#include "InputRefused.h"
#include "LetterboxdImport.h"
#include "ZipFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const FuzzDir dir;
    constexpr std::size_t kLimit = 1024u * 1024u;
    const std::string strPath = dir.Put("export.zip", std::string_view(reinterpret_cast<const char*>(pData), nSize));
    std::map<std::string, bool> wanted;
    for (const char* pName : kLetterboxdFiles) wanted[pName] = true;

    std::map<std::string, std::string> entries;
    try {
        ReadZipEntries(strPath, wanted, entries, kLimit);
    } catch (const InputRefused& refused) {
        FUZZ_CHECK(refused.File().rfind(strPath, 0) == 0 && refused.Line() == 0);
        return 0;
    }
    for (const auto& [strName, bytes] : entries) FUZZ_CHECK(wanted.contains(strName) && bytes.size() <= kLimit);

    // libzip writes no file for an archive without entries, and no export
    // asks it to: the round trip is for what an export holds.
    if (entries.empty()) return 0;
    const std::string strAgain = dir / "again.zip";
    FUZZ_CHECK(WriteZipFile(strAgain, entries));
    std::map<std::string, std::string> back;
    ReadZipEntries(strAgain, wanted, back, kLimit);
    FUZZ_CHECK(back == entries);

    try {
        ReadLetterboxdExport(entries, strPath);
    } catch (const InputRefused&) {
    }
    return 0;
}
