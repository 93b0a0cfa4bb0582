#include "ArchiveHold.h"

#include "FileBytes.h"
#include "FilmList.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <string>

namespace {

const std::string kOneFilm =
    "cinetrove\r\nquonwerk\r\n1\r\nAlien\r\nAlien\r\nSUA\r\n1979\r\nRidley Scott\r\nSigourney Weaver\r\n4 5\r\n";

class ArchiveHoldTest : public ::testing::Test {
protected:
    // Reads the archive at strPath into a fresh hold, as start-up does.
    ArchiveHold Read(const std::string& strPath)
    {
        ArchiveContents contents;
        const ArchiveReadResult result = ReadArchive(strPath, contents);
        FreeList(contents.pHead);
        ArchiveHold hold;
        hold.AfterRead(result, contents);
        return hold;
    }
    TempDir m_dir;
    const std::string m_strPath = m_dir / "filme.cta";
};

TEST_F(ArchiveHoldTest, HeldOnlyWhenTheReadTookTheWholeFile)
{
    WriteBytes(m_strPath, kOneFilm + "\r\n \t\r\n");  // blanks after the last record
    EXPECT_TRUE(Read(m_strPath).MayReplace(m_strPath));

    // A header that counts fewer records than the file holds reads silently,
    // yet the rest of the file is not in the lists.
    WriteBytes(m_strPath, kOneFilm + "Brazil\r\n");
    ArchiveContents contents;
    EXPECT_EQ(ReadArchive(m_strPath, contents), ArchiveRead);
    EXPECT_EQ(contents.nCount, 1);
    EXPECT_FALSE(contents.bWhole);
    FreeList(contents.pHead);
    EXPECT_FALSE(Read(m_strPath).MayReplace(m_strPath));

    WriteBytes(m_strPath, "cinetrove\r\nquonwerk\r\n2\r\nAlien\r\n");  // a format fault
    EXPECT_FALSE(Read(m_strPath).MayReplace(m_strPath));

    // Nothing there: nothing to lose, until something appears.
    std::filesystem::remove(m_strPath);
    const ArchiveHold missing = Read(m_strPath);
    EXPECT_TRUE(missing.MayReplace(m_strPath));
    WriteBytes(m_strPath, kOneFilm);
    EXPECT_FALSE(missing.MayReplace(m_strPath));

    // A folder at the path is not held, yet Save is left to refuse it itself.
    std::filesystem::remove(m_strPath);
    std::filesystem::create_directory(m_strPath);
    EXPECT_TRUE(Read(m_strPath).MayReplace(m_strPath));

    ArchiveHold unread;
    unread.LeftUnread();
    EXPECT_TRUE(unread.MayReplace(m_dir / "not-there.cta"));
    std::filesystem::remove(m_strPath);
    WriteBytes(m_strPath, kOneFilm);
    EXPECT_FALSE(unread.MayReplace(m_strPath));
}

TEST_F(ArchiveHoldTest, AFileChangedOnDiskIsNoLongerHeld)
{
    WriteBytes(m_strPath, kOneFilm);
    const ArchiveHold grown = Read(m_strPath);
    ASSERT_TRUE(grown.MayReplace(m_strPath));
    WriteBytes(m_strPath, kOneFilm + " ");  // written in place: new size
    EXPECT_FALSE(grown.MayReplace(m_strPath));

    // Another program puts a new file of the same size in its place.
    WriteBytes(m_strPath, kOneFilm);
    const ArchiveHold replaced = Read(m_strPath);
    WriteBytes(m_dir / "other.cta", kOneFilm);
    std::filesystem::rename(m_dir / "other.cta", m_strPath);
    EXPECT_FALSE(replaced.MayReplace(m_strPath));

    // What this run wrote itself is held, and so is the same file named
    // another way; another file the path is pointed at is not.
    CFilmNode* pList = InsertSorted(nullptr, "Brazil", "Brazil", "UK", "1985", "Terry Gilliam", "Pryce", 5, 1);
    FileStamp written;
    ASSERT_TRUE(WriteArchive(m_strPath, pList, 1, &written));
    FreeList(pList);
    ArchiveHold hold = replaced;
    hold.AfterWrite(written);
    EXPECT_TRUE(hold.MayReplace(m_strPath));
    hold.Repoint(m_dir.Path() + "/./filme.cta");
    EXPECT_TRUE(hold.MayReplace(m_strPath));
    WriteBytes(m_dir / "alt.cta", kOneFilm);
    hold.Repoint(m_dir / "alt.cta");
    EXPECT_FALSE(hold.MayReplace(m_dir / "alt.cta"));
    hold.Repoint(m_dir / "new.cta");
    EXPECT_TRUE(hold.MayReplace(m_dir / "new.cta"));
}

TEST_F(ArchiveHoldTest, NumberedCopiesTakeTheFirstFreeNumberBesideTheFile)
{
    WriteBytes(m_strPath, "first");
    WriteBytes(m_strPath + ".1", "an older copy");
    std::string strKept;
    ASSERT_TRUE(KeepNumberedCopy(m_strPath, strKept));
    EXPECT_EQ(strKept, m_strPath + ".2");
    EXPECT_EQ(ReadBytes(strKept), "first");
    EXPECT_EQ(ReadBytes(m_strPath + ".1"), "an older copy");

    // A save afterwards leaves the copy as it was.
    ASSERT_TRUE(WriteArchive(m_strPath, nullptr, 0));
    EXPECT_EQ(ReadBytes(strKept), "first");

    // Through a link the copy goes beside the file it names.
    std::filesystem::create_directory(m_dir / "real");
    WriteBytes(m_dir / "real/tosee.cta", "second");
    std::filesystem::create_symlink("real/tosee.cta", m_dir / "tosee.cta");
    ASSERT_TRUE(KeepNumberedCopy(m_dir / "tosee.cta", strKept));
    EXPECT_EQ(strKept, m_dir / "real/tosee.cta.1");
    EXPECT_EQ(ReadBytes(strKept), "second");

    // A copy is a file of its own, never a second name of the file that the
    // next save's backup NAME~ becomes.
    ASSERT_TRUE(WriteArchive(m_dir / "tosee.cta", nullptr, 0));
    EXPECT_NE(StampOfPath(strKept)->nInode, StampOfPath(m_dir / "real/tosee.cta~")->nInode);
}

// A path pointed away and back at the very file held, unchanged, is held;
// a writer that puts the modification time back is still seen.
TEST_F(ArchiveHoldTest, PointedAwayAndBackStillHeldAndEveryChangeSeen)
{
    WriteBytes(m_strPath, kOneFilm);
    WriteBytes(m_dir / "other.cta", kOneFilm);
    ArchiveHold hold = Read(m_strPath);
    hold.Repoint(m_dir / "other.cta");
    EXPECT_FALSE(hold.MayReplace(m_dir / "other.cta"));
    hold.Repoint(m_strPath);
    EXPECT_TRUE(hold.MayReplace(m_strPath));

    struct stat before {};
    ASSERT_EQ(::stat(m_strPath.c_str(), &before), 0);
    std::string changed = kOneFilm;
    changed[changed.size() - 4] = '3';  // same size, another rating
    WriteBytes(m_strPath, changed);
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, m_strPath.c_str(), times, 0), 0);
    EXPECT_FALSE(hold.MayReplace(m_strPath));
}

}  // namespace
