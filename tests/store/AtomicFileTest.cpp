#include "AtomicFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    ~AtomicFileTest() override {
        AtomicFileInjectWriteFault(0);
        AtomicFileInjectSyncFault(false);
    }
    TempDir m_dir;
};

bool Replace(const std::string& strPath, const std::string& content,
             AtomicFile::Backup backup = AtomicFile::Backup::Keep) {
    AtomicFile file(strPath, backup);
    return file.Open() && file.Write(content) && file.Commit();
}

TEST_F(AtomicFileTest, ReplacesAndKeepsOneLevelOfBackup) {
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

TEST_F(AtomicFileTest, KeepsTheRightsOfTheFileItReplaces) {
    const std::string strFile = m_dir / "a.cta";
    ASSERT_TRUE(Replace(strFile, "one"));
    ASSERT_EQ(::chmod(strFile.c_str(), 0640), 0);
    ASSERT_TRUE(Replace(strFile, "two"));
    struct stat st{};
    ASSERT_EQ(::stat(strFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(AtomicFileTest, AnyFailureLeavesTheOldFileAndNoTemporary) {
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

TEST_F(AtomicFileTest, RefusesDirectoriesAndMissingFolders) {
    std::filesystem::create_directory(m_dir / "folder");
    EXPECT_FALSE(Replace(m_dir / "folder", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder"));
    EXPECT_FALSE(Replace(m_dir / "missing/a.cta", "x"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
    EXPECT_FALSE(Replace(m_dir.Path() + "/", "x"));
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"folder"}));
}

}  // namespace
