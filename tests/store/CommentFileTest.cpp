#include "CommentFile.h"

#include "AtomicFile.h"
#include "FileBytes.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class CommentFileTest : public ::testing::Test {
protected:
    CommentFileTest() { std::filesystem::create_directory(m_strDir); }
    ~CommentFileTest() override { AtomicFileInjectWriteFault(0); }
    TempDir m_root;
    const std::string m_strDir = m_root / "filme";
};

TEST_F(CommentFileTest, PathIsTheTitleInUtf8WithBackslashAsSeparator)
{
    std::string strPath;
    ASSERT_TRUE(CommentFilePath("d", "Alien", strPath));
    EXPECT_EQ(strPath, "d/Alien.ctc");
    // The archive drops blanks before a title; its comment's name does too.
    ASSERT_TRUE(CommentFilePath("d", " \tZorro", strPath));
    EXPECT_EQ(strPath, "d/Zorro.ctc");
    ASSERT_TRUE(CommentFilePath("d",
                                "P\xE3"
                                "durea",
                                strPath));
    EXPECT_EQ(strPath, "d/Pădurea.ctc");
    ASSERT_TRUE(CommentFilePath("d", "Serii\\Dune", strPath));
    EXPECT_EQ(strPath, "d/Serii/Dune.ctc");
    for (const char* pTitle : {"..", "a..b", ".hidden", "a\\.."}) {  // still inside
        EXPECT_TRUE(CommentFilePath("d", pTitle, strPath)) << pTitle;
    }
    strPath = "unchanged";
    for (const std::string& title : {std::string("..\\x"), std::string("../x"), std::string("a\\..\\..\\x"),
                                     std::string("a/../b"), std::string("A\0B", 3)}) {
        EXPECT_FALSE(CommentFilePath("d", title, strPath)) << title;
    }
    EXPECT_EQ(strPath, "unchanged");
}

TEST_F(CommentFileTest, LineBreaksOfTheCommentBoxAreStoredAsCrCrLf)
{
    ASSERT_TRUE(WriteCommentFile(m_strDir, "Alien", "one\r\ntwo"));
    EXPECT_EQ(ReadBytes(m_strDir + "/Alien.ctc"), "one\r\r\ntwo");
    std::string strText;
    ASSERT_TRUE(ReadCommentFile(m_strDir, "Alien", strText));
    EXPECT_EQ(strText, "one\r\ntwo");

    for (const std::string& text : {std::string("ends with a break\r\n"), std::string(), std::string(600, 'x'),
                                    std::string(100000, 'y') + "\r\nz", std::string("nul\0inside", 10)}) {
        ASSERT_TRUE(WriteCommentFile(m_strDir, "Alien", text));
        ASSERT_TRUE(ReadCommentFile(m_strDir, "Alien", strText));
        EXPECT_EQ(strText, text);
    }
    EXPECT_EQ(ReadBytes(m_strDir + "/Alien.ctc"), std::string("nul\0inside", 10));
}

TEST_F(CommentFileTest, FilesOfOtherProgramsRead)
{
    WriteBytes(m_strDir + "/B.ctc", "plain\r\nline ends\r\n");
    std::string strText = "old";
    ASSERT_TRUE(ReadCommentFile(m_strDir, "B", strText));
    EXPECT_EQ(strText, "plain\nline ends\n");
    WriteBytes(m_strDir + "/B.ctc", "bare\rcr\n");
    ASSERT_TRUE(ReadCommentFile(m_strDir, "B", strText));
    EXPECT_EQ(strText, "bare\rcr\n");
}

TEST_F(CommentFileTest, MissingFilesAndFoldersFailWithoutSideEffects)
{
    std::string strText = "kept";
    EXPECT_FALSE(ReadCommentFile(m_strDir, "None", strText));
    EXPECT_EQ(strText, "kept");
    EXPECT_FALSE(ReadCommentFile(m_root / "tosee", "None", strText));

    EXPECT_FALSE(WriteCommentFile(m_root / "tosee", "Alien", "x"));  // not created
    EXPECT_FALSE(std::filesystem::exists(m_root / "tosee"));
    EXPECT_FALSE(WriteCommentFile(m_strDir, "NoSuchFolder\\Alien", "x"));

    ASSERT_TRUE(WriteCommentFile(m_strDir, "Alien", "old"));
    AtomicFileInjectWriteFault(1);
    EXPECT_FALSE(WriteCommentFile(m_strDir, "Alien", "new"));
    EXPECT_EQ(ReadBytes(m_strDir + "/Alien.ctc"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_strDir), std::filesystem::directory_iterator()),
              1);  // no temporary, no backup
}

TEST_F(CommentFileTest, SubdirectoriesAndTheTwoListsAreKeptApart)
{
    std::filesystem::create_directory(m_strDir + "/Serii");
    ASSERT_TRUE(WriteCommentFile(m_strDir, "Serii\\Dune", "x"));
    EXPECT_EQ(ReadBytes(m_strDir + "/Serii/Dune.ctc"), "x");

    const std::string strToSee = m_root / "tosee";
    std::filesystem::create_directory(strToSee);
    EXPECT_EQ(&SelectCommentDir(0, m_strDir, strToSee), &m_strDir);
    EXPECT_EQ(&SelectCommentDir(1, m_strDir, strToSee), &strToSee);
    EXPECT_EQ(&SelectCommentDir(-1, m_strDir, strToSee), &strToSee);

    ASSERT_TRUE(WriteCommentFile(m_strDir, "Alien", "seen"));
    ASSERT_TRUE(WriteCommentFile(strToSee, "Alien", "to see"));
    RemoveCommentFile(strToSee, "Alien");
    RemoveCommentFile(strToSee, "Alien");  // already gone: no error
    std::string strText;
    EXPECT_FALSE(ReadCommentFile(strToSee, "Alien", strText));
    ASSERT_TRUE(ReadCommentFile(m_strDir, "Alien", strText));
    EXPECT_EQ(strText, "seen");
}

TEST_F(CommentFileTest, TitlesClimbingOutOfTheFolderTouchNothing)
{
    WriteBytes(m_root / "secret.ctc", "outside");
    std::string strText = "kept";
    EXPECT_FALSE(ReadCommentFile(m_strDir, "..\\secret", strText));
    EXPECT_EQ(strText, "kept");
    EXPECT_FALSE(WriteCommentFile(m_strDir, "..\\secret", "overwritten"));
    RemoveCommentFile(m_strDir, "..\\secret");
    RemoveCommentFile(m_strDir, "../secret");
    EXPECT_EQ(ReadBytes(m_root / "secret.ctc"), "outside");
}

}  // namespace
