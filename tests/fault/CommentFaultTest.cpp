// Comment files where the folders are not what the program expects: a
// missing comment folder, titles that would climb out of it, a comment file
// that is a folder. Each operation fails or succeeds as it should and writes
// nothing anywhere else: the whole tree around the folder is compared before
// and after.
#include "Archive.h"
#include "AtomicFile.h"
#include "CommentFile.h"

#include "../store/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Every file and folder under `root` with the content of each file.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        tree[name] = entry.is_directory() ? "<dir>" : ReadBytes(entry.path().string());
    }
    return tree;
}

class CommentFaultTest : public ::testing::Test {
protected:
    CommentFaultTest() {
        // data/comments/filme holds a comment and a folder named like one;
        // data/comments/tosee is missing; files beside and above must stay.
        fs::create_directories(m_strSeen);
        fs::create_directories(m_strSeen + "/Alien.ctc");
        WriteBytes(m_strSeen + "/Brazil.ctc", "old\r\r\n");
        WriteBytes(m_dir / "data/filme.cta", "archive");
        WriteBytes(m_dir / "data/secret.ctc", "outside");
        WriteBytes(m_dir / "data/comments/secret.ctc", "outside");
    }

    TempDir m_dir;
    const std::string m_strSeen = m_dir / "data/comments/filme";
    const std::string m_strToSee = m_dir / "data/comments/tosee";
};

TEST_F(CommentFaultTest, NothingIsReadOrWrittenOutsideTheFolder) {
    const auto before = Snapshot(m_dir.Path());
    struct Case {
        std::string dir;
        std::string title;
    };
    const std::vector<Case> cases = {
        {m_strToSee, "Alien"},                    // the folder is missing
        {m_strSeen, "Alien"},                     // the comment file is a folder
        {m_strSeen, "..\\secret"},                // climbing out, either separator
        {m_strSeen, "../secret"},
        {m_strSeen, "..\\..\\secret"},
        {m_strSeen, "Serii\\..\\..\\secret"},
        {m_strSeen, "..\\filme\\Brazil"},         // out and back in is refused too
        {m_strSeen, std::string("Brazil\0x", 8)}, // a NUL would cut the name
        {m_strSeen, "Missing\\Brazil"},           // a subfolder that is not there
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir + " | " + c.title);
        std::string strText = "kept";
        EXPECT_FALSE(ReadCommentFile(c.dir, c.title, strText));
        EXPECT_EQ(strText, "kept");
        EXPECT_FALSE(WriteCommentFile(c.dir, c.title, "overwritten"));
        RemoveCommentFile(c.dir, c.title);
        EXPECT_EQ(Snapshot(m_dir.Path()), before);
    }
}

TEST_F(CommentFaultTest, AFailedWriteKeepsTheOldComment) {
    const auto before = Snapshot(m_dir.Path());
    AtomicFileInjectWriteFault(1);
    EXPECT_FALSE(WriteCommentFile(m_strSeen, "Brazil", "new"));
    AtomicFileInjectSyncFault(true);
    EXPECT_FALSE(WriteCommentFile(m_strSeen, "Brazil", "new"));
    EXPECT_EQ(Snapshot(m_dir.Path()), before);

    std::string strText;
    ASSERT_TRUE(ReadCommentFile(m_strSeen, "Brazil", strText));
    EXPECT_EQ(strText, "old\r\n");
    ASSERT_TRUE(WriteCommentFile(m_strSeen, "Brazil", "new\n"));
    EXPECT_EQ(ReadBytes(m_strSeen + "/Brazil.ctc"), "new\r\n");
}

TEST_F(CommentFaultTest, AFifoOrADeviceIsNotReadAndDoesNotHang) {
    // Opening a FIFO for reading would wait for a writer for ever; a device
    // would feed the reader endless bytes.
    ASSERT_EQ(::mkfifo((m_strSeen + "/Fifo.ctc").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((m_dir / "data/tosee.cta").c_str(), 0644), 0);
    std::string strText = "kept";
    EXPECT_FALSE(ReadCommentFile(m_strSeen, "Fifo", strText));
    EXPECT_EQ(strText, "kept");
    ArchiveContents contents;
    EXPECT_EQ(ReadArchive(m_dir / "data/tosee.cta", contents), ArchiveCannotOpen);
    EXPECT_EQ(ReadArchive("/dev/zero", contents), ArchiveCannotOpen);
    EXPECT_EQ(contents.pHead, nullptr);
}

}  // namespace
