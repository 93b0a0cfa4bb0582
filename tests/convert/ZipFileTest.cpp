#include "ZipFile.h"

#include "FileBytes.h"
#include "InputRefused.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

namespace {

const std::map<std::string, bool> kWanted = {{"ratings.csv", true}, {"watched.csv", true}};
const std::string kRatings = "Date,Name,Year,Letterboxd URI,Rating\n2024-01-02,Alien,1979,u,4.5\n";

// What ReadZipEntries says of the file: "read N" or the refusal.
std::string ReadOutcome(const std::string& strPath, std::size_t nMaxEntryBytes = kMaxZipEntryBytes,
                        std::size_t nMaxTotalBytes = SIZE_MAX)
{
    std::map<std::string, std::string> entries;
    try {
        ReadZipEntries(strPath, kWanted, entries, nMaxEntryBytes, nMaxTotalBytes);
    } catch (const InputRefused& refused) {
        return refused.what();
    }
    return "read " + std::to_string(entries.size());
}

// Replaces every `from` in the file's bytes by `to`, of the same length.
void Patch(const std::string& strPath, const std::string& from, const std::string& to)
{
    std::string bytes = ReadBytes(strPath);
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + 1))
        bytes.replace(at, to.size(), to);
    WriteBytes(strPath, bytes);
}

// Sets the checksum of the file's one entry, in its local header (offset
// 14) and in the central directory (offset 16), so the two still agree.
void SetChecksum(const std::string& strPath, const std::string& crc)
{
    std::string bytes = ReadBytes(strPath);
    bytes.replace(bytes.find("PK\x03\x04") + 14, 4, crc);
    bytes.replace(bytes.find("PK\x01\x02") + 16, 4, crc);
    WriteBytes(strPath, bytes);
}

// A damaged or hostile export is refused with the file and the entry, never
// read in part: an entry past the size limit, wanted entries past the limit
// of all together (those not wanted not counted), a wrong checksum, two
// entries of one name, headers that disagree.
TEST(ZipFileTest, HostileArchivesAreRefused)
{
    TempDir dir;
    const std::string strZip = dir / "export.zip";
    ASSERT_TRUE(WriteZipFile(strZip, {{"ratings.csv", kRatings}, {"other.txt", "x"}}));
    EXPECT_EQ(ReadOutcome(strZip), "read 1");
    EXPECT_EQ(ReadOutcome(strZip, kRatings.size()), "read 1");
    EXPECT_EQ(ReadOutcome(strZip, kRatings.size() - 1), strZip + ":ratings.csv: the entry is larger than " +
                                                            std::to_string(kRatings.size() - 1) +
                                                            " bytes, more than an export holds");

    ASSERT_TRUE(WriteZipFile(strZip, {{"ratings.csv", kRatings}, {"watched.csv", kRatings}, {"other.txt", kRatings}}));
    EXPECT_EQ(ReadOutcome(strZip, kMaxZipEntryBytes, 2 * kRatings.size()), "read 2");
    EXPECT_EQ(ReadOutcome(strZip, kMaxZipEntryBytes, 2 * kRatings.size() - 1),
              strZip + ": the files of the export are larger than " + std::to_string(2 * kRatings.size() - 1) +
                  " bytes together, more than an export holds");

    ASSERT_TRUE(WriteZipFile(strZip, {{"ratings.csv", kRatings}}));
    SetChecksum(strZip, "\x01\x02\x03\x04");
    EXPECT_EQ(ReadOutcome(strZip), strZip + ":ratings.csv: the entry's checksum is wrong: the ZIP file is damaged");

    // Two entries named alike: libzip writes no such file, so the second
    // name is changed in the bytes afterwards.
    ASSERT_TRUE(WriteZipFile(strZip, {{"ratings.csv", kRatings}, {"ratingz.csv", kRatings}}));
    Patch(strZip, "ratingz.csv", "ratings.csv");
    EXPECT_EQ(ReadOutcome(strZip), strZip + ": two entries of one name in the ZIP file");

    // A local header that disagrees with the central directory.
    ASSERT_TRUE(WriteZipFile(strZip, {{"ratings.csv", kRatings}}));
    std::string bytes = ReadBytes(strZip);
    bytes[bytes.find("PK\x03\x04") + 14] ^= 0x55;
    WriteBytes(strZip, bytes);
    EXPECT_EQ(ReadOutcome(strZip).rfind(strZip + ": not a folder nor a ZIP file that can be read", 0), 0u)
        << ReadOutcome(strZip);
}

}  // namespace
