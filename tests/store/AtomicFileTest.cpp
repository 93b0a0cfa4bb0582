#include "AtomicFile.h"

#include "FileBytes.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    ~AtomicFileTest() override
    {
        AtomicFileInjectWriteFault(0);
        AtomicFileInjectSyncFault(false);
    }
    TempDir m_dir;
};

bool Replace(const std::string& strPath, const std::string& content,
             AtomicFile::Backup backup = AtomicFile::Backup::Keep)
{
    AtomicFile file(strPath, backup);
    return file.Open() && file.Write(content) && file.Commit();
}

TEST_F(AtomicFileTest, ReplacesAndKeepsOneLevelOfBackup)
{
    const std::string strFile = m_dir / "a.cta";
    ASSERT_TRUE(Replace(strFile, "one"));
    EXPECT_EQ(ReadBytes(strFile), "one");
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"a.cta"}));  // nothing to back up yet

    ASSERT_TRUE(Replace(strFile, "two"));
    ASSERT_TRUE(Replace(strFile, "three"));
    EXPECT_EQ(ReadBytes(strFile), "three");
    EXPECT_EQ(ReadBytes(strFile + "~"), "two");
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"a.cta", "a.cta~"}));

    ASSERT_TRUE(Replace(strFile, "four", AtomicFile::Backup::None));
    EXPECT_EQ(ReadBytes(strFile + "~"), "two");
}

TEST_F(AtomicFileTest, KeepsTheRightsOfTheFileItReplaces)
{
    const std::string strFile = m_dir / "a.cta";
    ASSERT_TRUE(Replace(strFile, "one"));
    ASSERT_EQ(::chmod(strFile.c_str(), 0640), 0);
    ASSERT_TRUE(Replace(strFile, "two"));
    struct stat st {};
    ASSERT_EQ(::stat(strFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(AtomicFileTest, AnyFailureLeavesTheOldFileAndNoTemporary)
{
    const std::string strFile = m_dir / "a.cta";
    ASSERT_TRUE(Replace(strFile, "old"));
    const std::string big(1 << 20, 'x');  // several writes to disk

    for (const int nWrite : {1, 2, 4}) {
        AtomicFileInjectWriteFault(nWrite);
        EXPECT_FALSE(Replace(strFile, big)) << "write " << nWrite;
    }
    AtomicFileInjectWriteFault(0);
    AtomicFileInjectSyncFault(true);
    EXPECT_FALSE(Replace(strFile, big));

    {  // abandoned without Commit
        AtomicFile file(strFile, AtomicFile::Backup::Keep);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write(big));
    }
    EXPECT_TRUE(ReadBytes(strFile) == "old");
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"a.cta"}));
    EXPECT_TRUE(Replace(strFile, "new"));  // the faults have fired and are gone
}

TEST_F(AtomicFileTest, RefusesDirectoriesAndMissingFolders)
{
    std::filesystem::create_directory(m_dir / "folder");
    EXPECT_FALSE(Replace(m_dir / "folder", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder"));
    EXPECT_FALSE(Replace(m_dir / "missing/a.cta", "x"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
    EXPECT_FALSE(Replace(m_dir.Path() + "/", "x"));
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"folder"}));
}

}  // namespace

namespace {

std::string FileText(const std::string& strPath) { return ReadBytes(strPath); }

TEST_F(AtomicFileTest, FollowsLinksAndKeepsRightsAndGroup)
{
    std::filesystem::create_directory(m_dir / "real");
    const std::string strReal = m_dir / "real/a.cta";
    ASSERT_TRUE(Replace(strReal, "one"));
    ASSERT_EQ(::chmod(strReal.c_str(), 0604), 0);
    const bool bRoot = ::geteuid() == 0;
    if (bRoot) {
        ASSERT_EQ(::chown(strReal.c_str(), static_cast<uid_t>(-1), 1), 0);  // group "daemon"
    }
    std::filesystem::create_symlink("real/a.cta", m_dir / "link.cta");

    ASSERT_TRUE(Replace(m_dir / "link.cta", "two"));
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "link.cta"));
    EXPECT_EQ(FileText(strReal), "two");
    EXPECT_EQ(FileText(strReal + "~"), "one");  // the backup beside the file
    struct stat st {};
    ASSERT_EQ(::stat(strReal.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    if (bRoot) {
        EXPECT_EQ(st.st_gid, 1u);
    }
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"link.cta", "real"}));
}

TEST_F(AtomicFileTest, RefusesWhatTheUserCouldNotReplace)
{
    const std::string strReadOnly = m_dir / "read-only.cta";
    WriteBytes(strReadOnly, "kept");
    ASSERT_EQ(::chmod(strReadOnly.c_str(), 0444), 0);
    EXPECT_FALSE(Replace(strReadOnly, "lost"));  // even for the superuser
    EXPECT_EQ(FileText(strReadOnly), "kept");

    ASSERT_EQ(::mkfifo((m_dir / "fifo.cta").c_str(), 0644), 0);
    EXPECT_FALSE(Replace(m_dir / "fifo.cta", "x"));
    std::filesystem::create_symlink("/dev/null", m_dir / "device.cta");
    EXPECT_FALSE(Replace(m_dir / "device.cta", "x"));
    EXPECT_TRUE(std::filesystem::is_fifo(m_dir / "fifo.cta"));
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"read-only.cta", "fifo.cta", "device.cta"}));
}

TEST_F(AtomicFileTest, NamesOfAnyAllowedLengthCanBeReplaced)
{
    const std::string strName(255, 'n');
    const std::string strFile = m_dir / strName;
    ASSERT_TRUE(Replace(strFile, "one", AtomicFile::Backup::None));
    ASSERT_TRUE(Replace(strFile, "two"));  // NAME~ cannot exist; the save goes on
    EXPECT_EQ(FileText(strFile), "two");
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{strName}));
}

TEST_F(AtomicFileTest, ClearsTemporariesOfKilledSavesButNotOfRunningOnes)
{
    WriteBytes(m_dir / ".cinetrove-Ab12Cd", "left by a killed save");
    WriteBytes(m_dir / ".cinetrove-running", "not of our naming");
    WriteBytes(m_dir / ".a.cta.Ab12Cd", "not of our naming either");
    const std::string strRunning = m_dir / ".cinetrove-Zz99Yy";
    WriteBytes(strRunning, "being written");
    const int fd = ::open(strRunning.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    ASSERT_TRUE(Replace(m_dir / "a.cta", "new"));
    EXPECT_EQ(m_dir.Entries(),
              (std::set<std::string>{"a.cta", ".cinetrove-running", ".a.cta.Ab12Cd", ".cinetrove-Zz99Yy"}));
    ::close(fd);
    // One sweep a folder a run: the next save leaves it, the next run takes it.
    ASSERT_TRUE(Replace(m_dir / "a.cta", "newer"));
    EXPECT_EQ(m_dir.Entries().count(".cinetrove-Zz99Yy"), 1u);
    AtomicFileForgetSweeps();
    ASSERT_TRUE(Replace(m_dir / "a.cta", "newest"));
    EXPECT_EQ(m_dir.Entries().count(".cinetrove-Zz99Yy"), 0u);
}

TEST_F(AtomicFileTest, SavesOfTwoProcessesAtOnceLeaveNoExtraNames)
{
    const std::string strFile = m_dir / "a.cta";
    ASSERT_TRUE(Replace(strFile, "start"));
    std::vector<pid_t> children;
    for (int nChild = 0; nChild < 2; ++nChild) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool bAll = true;
            for (int i = 0; i < 60; ++i) {
                bAll = Replace(strFile, "child " + std::to_string(nChild) + " save " + std::to_string(i)) && bAll;
            }
            std::_Exit(bAll ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"a.cta", "a.cta~"}));
    EXPECT_EQ(FileText(strFile).rfind("child ", 0), 0u);
}

}  // namespace
