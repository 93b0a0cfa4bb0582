#include "Catalogue.h"

#include "AtomicFile.h"
#include "FileBytes.h"
#include "FilmList.h"
#include "FilmListBatch.h"
#include "FilmValues.h"
#include "FolderLock.h"
#include "ListRule.h"
#include "OwnedList.h"
#include "Rating.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

FilmEntry Entry(const std::string& strTitle, int nRating, int nViewings, const std::string& strYear = "2000")
{
    return {strTitle, strTitle + " (ro)", "RO", strYear, "Regizor", "Actor", nRating, nViewings};
}

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() { EXPECT_TRUE(m_catalogue.UseDataFolder(m_dir.Path())); }

    std::vector<std::string> Dump() const
    {
        return m_catalogue.DumpLists([](std::string_view text) { return std::string(text); });
    }

    TempDir m_dir;
    Catalogue m_catalogue;
};

TEST(ListRuleTest, EachListTakesItsOwnRatingsAndViewingsTheRatingJudgedFirst)
{
    EXPECT_EQ(CheckListRule(kSeenList, 0, 1), ListRuleFault::None);
    EXPECT_EQ(CheckListRule(kSeenList, kBestRating, 40), ListRuleFault::None);
    EXPECT_EQ(CheckListRule(kSeenList, kToSeeRating, 1), ListRuleFault::Rating);
    EXPECT_EQ(CheckListRule(kSeenList, kToSeeRating, 0), ListRuleFault::Rating);
    EXPECT_EQ(CheckListRule(kSeenList, 2, 0), ListRuleFault::Viewings);
    EXPECT_EQ(CheckListRule(kSeenList, 2, -1), ListRuleFault::Viewings);
    EXPECT_EQ(CheckListRule(kToSeeList, kToSeeRating, 0), ListRuleFault::None);
    EXPECT_EQ(CheckListRule(kToSeeList, 2, 0), ListRuleFault::Rating);
    EXPECT_EQ(CheckListRule(kToSeeList, 2, 3), ListRuleFault::Rating);
    EXPECT_EQ(CheckListRule(kToSeeList, kToSeeRating, 1), ListRuleFault::Viewings);
}

// New's rule: a seen film takes the first to-see film of its title off that
// list; a film to see leaves the seen list alone. Modify finds the seen list
// first and keeps the film's place.
TEST_F(CatalogueTest, AddMovesFromTheToSeeListAndModifyFindsTheSeenListFirst)
{
    m_catalogue.AddFilm(kToSeeList, Entry("Alien", kToSeeRating, 0, "1979"));
    m_catalogue.AddFilm(kToSeeList, Entry("Alien", kToSeeRating, 0, "2024"));
    EXPECT_FALSE(m_catalogue.AddFilm(kToSeeList, Entry("Brazil", kToSeeRating, 0)));
    EXPECT_TRUE(m_catalogue.HasUnsavedWork(kToSeeList));
    EXPECT_FALSE(m_catalogue.HasUnsavedWork(kSeenList));

    EXPECT_TRUE(m_catalogue.AddFilm(kSeenList, Entry("Alien", 3, 2)));
    EXPECT_FALSE(m_catalogue.AddFilm(kSeenList, Entry("Zorro", 1, 7)));
    EXPECT_FALSE(m_catalogue.AddFilm(kToSeeList, Entry("Zorro", kToSeeRating, 0)));
    EXPECT_EQ(m_catalogue.m_nMaxViewings, 7);
    EXPECT_EQ(m_catalogue.FindListOf("Zorro"), kSeenList);
    EXPECT_EQ(m_catalogue.FindListOf("Brazil"), kToSeeList);
    EXPECT_EQ(m_catalogue.FindListOf("Nimic"), -1);

    EXPECT_TRUE(m_catalogue.UpdateFilm(kToSeeList, "Brazil", Entry("Abyss", kToSeeRating, 0)));
    EXPECT_FALSE(m_catalogue.UpdateFilm(kSeenList, "Brazil", Entry("Abyss", 1, 1)));
    EXPECT_TRUE(m_catalogue.UpdateFilm(kSeenList, "Alien", Entry("Alien", 4, 9)));
    EXPECT_EQ(m_catalogue.m_nMaxViewings, 9);

    // The later Alien of the to-see list stood first and went; the renamed
    // film kept its place ahead of the 1979 Alien.
    const std::vector<std::string> expected = {
        "seen 2",
        "seen[0]: Zorro | Zorro (ro) | RO | 2000 | Regizor | Actor | 1 | 7",
        "seen[1]: Alien | Alien (ro) | RO | 2000 | Regizor | Actor | 4 | 9",
        "tosee 3",
        "tosee[0]: Zorro | Zorro (ro) | RO | 2000 | Regizor | Actor | 6 | 0",
        "tosee[1]: Abyss | Abyss (ro) | RO | 2000 | Regizor | Actor | 6 | 0",
        "tosee[2]: Alien | Alien (ro) | RO | 1979 | Regizor | Actor | 6 | 0",
    };
    EXPECT_EQ(Dump(), expected);
}

// Save writes both lists and leaves nothing unsaved; a file the run does not
// hold is replaced only when the question says so, its bytes kept first.
TEST_F(CatalogueTest, SaveAsksBeforeReplacingAFileItDoesNotHold)
{
    ASSERT_EQ(m_catalogue.LoadArchives(), ArchiveCannotOpen);  // nothing there yet
    m_catalogue.AddFilm(kSeenList, Entry("Alien", 3, 2));
    std::vector<std::string> asked;
    const auto refuse = [&asked](const std::string& strPath) {
        asked.push_back(strPath);
        return false;
    };
    // The seen archive was not there: held, written without a question. The
    // to-see archive was left unread when the seen one did not open.
    WriteBytes(m_dir / "tosee.cta", "someone else's file");
    EXPECT_TRUE(m_catalogue.SaveArchives(refuse));
    EXPECT_EQ(asked, std::vector<std::string>{m_dir / "tosee.cta"});
    EXPECT_EQ(ReadBytes(m_dir / "tosee.cta"), "someone else's file");
    EXPECT_FALSE(m_catalogue.HasUnsavedWork());  // the to-see list had no change

    m_catalogue.AddFilm(kToSeeList, Entry("Brazil", kToSeeRating, 0));
    EXPECT_TRUE(m_catalogue.SaveArchives(refuse));
    EXPECT_TRUE(m_catalogue.HasUnsavedWork(kToSeeList));  // kept: still unsaved
    EXPECT_TRUE(m_catalogue.SaveArchives([](const std::string&) { return true; }));
    EXPECT_FALSE(m_catalogue.HasUnsavedWork());
    EXPECT_EQ(ReadBytes(m_dir / "tosee.cta.1"), "someone else's file");

    Catalogue reread;
    ASSERT_TRUE(reread.UseDataFolder(m_dir.Path()));
    ASSERT_EQ(reread.LoadArchives(), ArchiveRead);
    EXPECT_EQ(reread.m_nSeenCount, 1);
    EXPECT_EQ(reread.m_nToSeeCount, 1);
    EXPECT_EQ(reread.m_nMaxViewings, 2);
    EXPECT_EQ(Values(reread.m_pSeenList), Values(m_catalogue.m_pSeenList));
}

TEST_F(CatalogueTest, ActivePathsThatDoNotFitAreLeftAsTheyWere)
{
    const std::string strSeen = m_catalogue.m_szSeenFile;
    EXPECT_FALSE(m_catalogue.SetActivePaths(std::string(300, 'x'), m_dir / "b.cta", m_dir / "t", m_dir / "s"));
    EXPECT_EQ(std::string(m_catalogue.m_szSeenFile), strSeen);
    EXPECT_EQ(std::string(m_catalogue.m_szToSeeFile), m_dir / "b.cta");
    EXPECT_EQ(m_catalogue.CommentDir(kSeenList), m_dir / "s");
    EXPECT_EQ(m_catalogue.CommentDir(kToSeeList), m_dir / "t");
}

// The batch of an import gives the very list that adding and taking films
// one at a time gives, ties and moves included.
TEST(FilmListBatchTest, GivesTheListOfOneAtATimeOnRandomWork)
{
    std::mt19937 random(20261209);
    for (int nRound = 0; nRound < 200; ++nRound) {
        // The same films to start with in both lists.
        OwnedList expected;
        OwnedList batched;
        int nCount = nRound % 7;
        for (int i = 0; i < nCount; ++i) {
            const std::string strTitle(1, static_cast<char>('a' + random() % 4));
            for (OwnedList* pList : {&expected, &batched})
                pList->Reset(InsertSorted(pList->Release(), strTitle, "", "", std::to_string(i), "", "", 6, 0));
        }
        FilmListBatch batch(batched.Head());
        CFilmNode* pExpected = expected.Release();
        for (int nStep = 0; nStep < 12; ++nStep) {
            const std::string strTitle(1, static_cast<char>('a' + random() % 4));
            ASSERT_EQ(batch.Contains(strTitle), ContainsFilm(pExpected, strTitle) != 0);
            if (random() % 3 == 0) {
                const bool bThere = ContainsFilm(pExpected, strTitle) != 0;
                pExpected = RemoveFilm(pExpected, strTitle);
                ASSERT_EQ(batch.RemoveFirst(strTitle), bThere);
            } else {
                const std::string strYear = "step " + std::to_string(nStep);
                pExpected = InsertSorted(pExpected, strTitle, "", "", strYear, "", "", 6, 0);
                batch.Insert({strTitle, "", "", strYear, "", "", 6, 0});
            }
        }
        expected.Reset(pExpected);
        batched.Reset(batch.Apply(batched.Release(), nCount));
        ASSERT_EQ(Values(batched.Head()), Values(expected.Head())) << "round " << nRound;
        ASSERT_EQ(nCount, static_cast<int>(Values(expected.Head()).size()));
    }
}

// The rating box of the window offers the store's words, no more, no less.
TEST(RatingWordsTest, TheWindowsRatingBoxListsTheStoresWords)
{
    const std::string strScript = ReadBytes(CINETROVE_RES_DIR "/cinetrove.rc");
    ASSERT_FALSE(strScript.empty());
    std::vector<std::string> offered;
    const std::string kItem = "IDC_RATING, \"";
    for (std::size_t n = strScript.find(kItem); n != std::string::npos; n = strScript.find(kItem, n + 1)) {
        const std::size_t nStart = n + kItem.size();
        offered.emplace_back(strScript.substr(nStart, strScript.find('"', nStart) - nStart));
    }
    std::vector<std::string> words(kRatingWords.begin(), kRatingWords.end());
    std::sort(offered.begin(), offered.end());
    std::sort(words.begin(), words.end());
    EXPECT_EQ(offered, words);
}

}  // namespace

namespace {

// Comments are held like archives: a file this run has not read, or that
// changed since, is replaced only after a yes, its bytes kept as NAME.N.
TEST_F(CatalogueTest, CommentsOfOthersAreAskedAboutAndKept)
{
    const std::string strDir = m_catalogue.CommentDir(kSeenList);
    std::filesystem::create_directories(strDir);
    int nAsked = 0;
    const auto no = [&nAsked](const std::string&) { return ++nAsked, false; };
    const auto yes = [&nAsked](const std::string&) { return ++nAsked, true; };

    // Nothing there, then what this run wrote: no question.
    EXPECT_EQ(m_catalogue.SaveComment("Alien", kSeenList, "unu\r\ndoi", no), Catalogue::SaveResult::Written);
    EXPECT_EQ(m_catalogue.SaveComment("Alien", kSeenList, "trei", no), Catalogue::SaveResult::Written);
    EXPECT_EQ(nAsked, 0);
    // Another program's text: asked; no leaves it, yes keeps it first.
    WriteBytes(strDir + "/Alien.ctc", "scris de altcineva");
    EXPECT_EQ(m_catalogue.SaveComment("Alien", kSeenList, "patru", no), Catalogue::SaveResult::Kept);
    EXPECT_EQ(ReadBytes(strDir + "/Alien.ctc"), "scris de altcineva");
    EXPECT_EQ(m_catalogue.SaveComment("Alien", kSeenList, "patru", yes), Catalogue::SaveResult::Written);
    EXPECT_EQ(ReadBytes(strDir + "/Alien.ctc.1"), "scris de altcineva");
    EXPECT_EQ(nAsked, 2);
    // Read by this run, or empty: no question.
    WriteBytes(strDir + "/Brazil.ctc", "citit");
    std::string strText;
    ASSERT_TRUE(m_catalogue.LoadComment("Brazil", kSeenList, strText));
    EXPECT_EQ(m_catalogue.SaveComment("Brazil", kSeenList, "nou", no), Catalogue::SaveResult::Written);
    WriteBytes(strDir + "/Zorro.ctc", "");
    EXPECT_EQ(m_catalogue.SaveComment("Zorro", kSeenList, "nou", no), Catalogue::SaveResult::Written);
    EXPECT_EQ(nAsked, 2);
}

// A move: the to-see comment goes only with the Save that writes the to-see
// list without the film, and that list waits for the seen one.
TEST_F(CatalogueTest, AMoveKeepsTheToSeeNoteUntilBothArchivesAreWritten)
{
    ASSERT_EQ(m_catalogue.LoadArchives(), ArchiveCannotOpen);
    m_catalogue.AddFilm(kToSeeList, Entry("Alien", kToSeeRating, 0));
    const auto yes = [](const std::string&) { return true; };
    ASSERT_TRUE(m_catalogue.SaveArchives(yes));
    const std::string strToSeeDir = m_catalogue.CommentDir(kToSeeList);
    std::filesystem::create_directories(strToSeeDir);
    WriteBytes(strToSeeDir + "/Alien.ctc", "de vazut");
    const std::string strToSeeBytes = ReadBytes(m_dir / "tosee.cta");

    ASSERT_TRUE(m_catalogue.AddFilm(kSeenList, Entry("Alien", 3, 1)));
    m_catalogue.RemoveToSeeCommentOnSave("Alien");
    // The seen archive cannot be written (a folder stands in its place): the
    // to-see archive is not written either, and the note stays.
    std::filesystem::remove(m_dir / "filme.cta");
    std::filesystem::create_directory(m_dir / "filme.cta");
    EXPECT_FALSE(m_catalogue.SaveArchives(yes));
    EXPECT_EQ(ReadBytes(m_dir / "tosee.cta"), strToSeeBytes);
    EXPECT_TRUE(std::filesystem::exists(strToSeeDir + "/Alien.ctc"));
    EXPECT_TRUE(m_catalogue.HasUnsavedWork(kToSeeList));

    std::filesystem::remove(m_dir / "filme.cta");
    ASSERT_TRUE(m_catalogue.SaveArchives(yes));
    EXPECT_FALSE(std::filesystem::exists(strToSeeDir + "/Alien.ctc"));
    EXPECT_FALSE(m_catalogue.HasUnsavedWork());
}

// Writers take turns: the folder's lock keeps another process out while it
// is held, and the same run may take it again inside.
TEST_F(CatalogueTest, TheFolderLockKeepsOtherWritersOut)
{
    int toChild[2];
    int toParent[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(toParent), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        char c = 0;
        (void)::read(toChild[0], &c, 1);  // the parent holds the lock now
        const int fd = ::open(m_dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
        const bool bKeptOut = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        (void)::write(toParent[1], bKeptOut ? "y" : "n", 1);
        (void)::read(toChild[0], &c, 1);  // the parent let it go
        std::_Exit(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
    }
    char answer = 0;
    {
        const FolderLock lock(m_dir / "filme.cta");
        const FolderLock again(m_dir / "tosee.cta");  // shared, no deadlock
        EXPECT_TRUE(lock.IsHeld() && again.IsHeld());
        ASSERT_EQ(::write(toChild[1], "1", 1), 1);
        ASSERT_EQ(::read(toParent[0], &answer, 1), 1);
    }
    ASSERT_EQ(::write(toChild[1], "2", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_EQ(answer, 'y');
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A change that lands while a save writes is not overwritten: the target is
// looked at again right before the rename.
TEST_F(CatalogueTest, AChangeDuringTheWriteIsNotOverwritten)
{
    const std::string strPath = m_dir / "filme.cta";
    WriteBytes(strPath, "before");
    AtomicFile file(strPath, AtomicFile::Backup::Keep);
    file.ExpectTarget(StampOfPath(strPath));
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("ours"));
    WriteBytes(strPath, "theirs, meanwhile");
    EXPECT_FALSE(file.Commit());
    EXPECT_TRUE(file.TargetChanged());
    EXPECT_EQ(ReadBytes(strPath), "theirs, meanwhile");
    EXPECT_FALSE(std::filesystem::exists(strPath + "~"));
}

}  // namespace
