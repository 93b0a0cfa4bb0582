#include "Catalogue.h"

#include "FileBytes.h"
#include "FilmList.h"
#include "FilmListBatch.h"
#include "FilmValues.h"
#include "ListRule.h"
#include "OwnedList.h"
#include "Rating.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
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
