// Comment files where the folders are not what the program expects: a
// missing comment folder, titles that would climb out of it, a comment file
// that is a folder. Each operation fails or succeeds as it should and writes
// nothing anywhere else: the whole tree around the folder is compared before
// and after.
#include "Archive.h"
#include "AtomicFile.h"
#include "CommentFile.h"

#include "FileBytes.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;

// Every file and folder under `root` with the content of each file.
std::map<std::string, std::string> Snapshot(const std::string& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        tree[name] = entry.is_directory() ? "<dir>" : ReadBytes(entry.path().string());
    }
    return tree;
}

class CommentFaultTest : public ::testing::Test {
protected:
    CommentFaultTest()
    {
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

TEST_F(CommentFaultTest, NothingIsReadOrWrittenOutsideTheFolder)
{
    const auto before = Snapshot(m_dir.Path());
    struct Case {
        std::string dir;
        std::string title;
    };
    const std::vector<Case> cases = {
        {m_strToSee, "Alien"},      // the folder is missing
        {m_strSeen, "Alien"},       // the comment file is a folder
        {m_strSeen, "..\\secret"},  // climbing out, either separator
        {m_strSeen, "../secret"},
        {m_strSeen, "..\\..\\secret"},
        {m_strSeen, "Serii\\..\\..\\secret"},
        {m_strSeen, "..\\filme\\Brazil"},          // out and back in is refused too
        {m_strSeen, std::string("Brazil\0x", 8)},  // a NUL would cut the name
        {m_strSeen, "Missing\\Brazil"},            // a subfolder that is not there
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

TEST_F(CommentFaultTest, AFailedWriteKeepsTheOldComment)
{
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

TEST_F(CommentFaultTest, AFifoOrADeviceIsNotReadAndDoesNotHang)
{
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

namespace {

// Runs `body` in a child process as an ordinary user (nobody), where the
// permission bits count, in the folder strDir; false when this test cannot
// change user. The child enters the folder before it gives up root, so that
// what it may do there does not hang on the modes of the folders above it
// (a temporary folder made under a umask of 077, or a home folder of 0700).
bool RunAsOrdinaryUserIn(const std::string& strDir, const std::function<bool()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(strDir.c_str()) != 0) {
            std::_Exit(1);
        }
        const bool bSwitched = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        std::_Exit(!bSwitched ? 2 : body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 1) << "the checks as an ordinary user failed";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(CommentPermissionTest, FilesTheUserMayNotReadOrWriteAreNeverReplaced)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to become an ordinary user";
    }
    TempDir dir;
    const std::string strDir = dir / "comments";
    fs::create_directory(strDir);
    ::chmod(strDir.c_str(), 0777);
    // A comment the user cannot read (write-only), one it cannot write.
    WriteBytes(strDir + "/Unreadable.ctc", "a note never seen");
    WriteBytes(strDir + "/Locked.ctc", "a locked note");
    ::chown((strDir + "/Unreadable.ctc").c_str(), 65534, 65534);
    ::chmod((strDir + "/Unreadable.ctc").c_str(), 0200);
    ::chmod((strDir + "/Locked.ctc").c_str(), 0644);  // root's, read-only for others

    const bool bRan = RunAsOrdinaryUserIn(strDir, [] {
        std::string strText = "untouched";
        // It shows as an empty box, and the box is not written back over it.
        return !ReadCommentFile(".", "Unreadable", strText) && strText == "untouched" &&
               !WriteCommentFile(".", "Unreadable", "") && !WriteCommentFile(".", "Unreadable", "new") &&
               !WriteCommentFile(".", "Locked", "new") && WriteCommentFile(".", "Fresh", "new");
    });
    if (!bRan) {
        GTEST_SKIP() << "cannot become an ordinary user here";
    }
    EXPECT_EQ(ReadBytes(strDir + "/Unreadable.ctc"), "a note never seen");
    EXPECT_EQ(ReadBytes(strDir + "/Locked.ctc"), "a locked note");
    EXPECT_EQ(ReadBytes(strDir + "/Fresh.ctc"), "new");
}

}  // namespace
