#include "ArchiveCopy.h"

#include "Archive.h"
#include "FileBytes.h"
#include "FilmList.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::string kOneFilm =
    "cinetrove\r\nquonwerk\r\n1\r\nAlien\r\nAlien\r\nSUA\r\n1979\r\nRidley Scott\r\nSigourney Weaver\r\n4 5\r\n";

// A copy goes to the first free number, beside the file a link names, reads
// back with the list's films, and leaves the archive, its backup, the copies
// already there and no other file behind.
TEST(ArchiveCopyTest, TheListGoesToTheFirstFreeNumberAndNothingElseChanges)
{
    TempDir dir;
    const std::string strArchive = dir / "filme.cta";
    WriteBytes(strArchive, kOneFilm);
    WriteBytes(strArchive + ".1", "kept before");
    WriteBytes(strArchive + "~", "backup");
    ArchiveContents read;
    ASSERT_EQ(ReadArchive(strArchive, read), ArchiveRead);

    std::string strCopy;
    ASSERT_TRUE(WriteNumberedArchiveCopy(strArchive, read.pHead, read.nCount, strCopy));
    EXPECT_EQ(strCopy, strArchive + ".2");
    ASSERT_TRUE(WriteNumberedArchiveCopy(strArchive, read.pHead, read.nCount, strCopy));
    EXPECT_EQ(strCopy, strArchive + ".3");
    ArchiveContents back;
    EXPECT_EQ(ReadArchive(strCopy, back), ArchiveRead);
    EXPECT_TRUE(back.bWhole);
    ASSERT_EQ(back.nCount, 1);
    EXPECT_EQ(back.pHead->m_pFilm->m_strOriginalTitle, "Alien");
    FreeList(back.pHead);
    EXPECT_EQ(ReadBytes(strArchive), kOneFilm);
    EXPECT_EQ(ReadBytes(strArchive + ".1"), "kept before");
    EXPECT_EQ(ReadBytes(strArchive + "~"), "backup");
    int nFiles = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++nFiles;
    EXPECT_EQ(nFiles, 5);  // the archive, its backup, .1, .2 and .3

    // Through a link: beside the file it names, the link left as it was.
    const std::string strLink = dir / "link.cta";
    std::filesystem::create_symlink(strArchive, strLink);
    ASSERT_TRUE(WriteNumberedArchiveCopy(strLink, read.pHead, read.nCount, strCopy));
    EXPECT_EQ(strCopy, strArchive + ".4");
    EXPECT_TRUE(std::filesystem::is_symlink(strLink));

    // A folder that is not there: no copy, nothing made.
    EXPECT_FALSE(WriteNumberedArchiveCopy(dir / "none/filme.cta", read.pHead, read.nCount, strCopy));
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
    FreeList(read.pHead);
}

}  // namespace
