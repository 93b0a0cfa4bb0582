#include "FilmList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CFilmNode* Insert(CFilmNode* pHead, const std::string& strTitle, int nViewings = 0)
{
    return InsertSorted(pHead, strTitle, "t", "c", "y", "d", "a", 2, nViewings);
}

std::vector<std::string> Titles(const CFilmNode* pHead)
{
    std::vector<std::string> titles;
    for (; pHead != nullptr; pHead = pHead->m_pNext) {
        titles.push_back(pHead->m_pFilm->m_strOriginalTitle);
    }
    return titles;
}

// Viewings serve as a tag telling films of equal title apart.
std::vector<int> Tags(const CFilmNode* pHead)
{
    std::vector<int> tags;
    for (; pHead != nullptr; pHead = pHead->m_pNext) {
        tags.push_back(pHead->m_pFilm->m_nViewings);
    }
    return tags;
}

class FilmListTest : public ::testing::Test {
protected:
    ~FilmListTest() override { FreeList(m_pHead); }
    CFilmNode* m_pHead = nullptr;
};

TEST_F(FilmListTest, InsertKeepsDescendingOrderAndPutsNewFilmBeforeItsEquals)
{
    m_pHead = Insert(m_pHead, "Zorro", 1);
    ASSERT_NE(m_pHead, nullptr);
    EXPECT_EQ(m_pHead->m_pNext, nullptr);
    EXPECT_EQ(m_pHead->m_pFilm->m_strTitle, "t");
    EXPECT_EQ(m_pHead->m_pFilm->m_nRating, 2);

    m_pHead = Insert(m_pHead, "Brazil", 2);
    m_pHead = Insert(m_pHead, "Alien", 3);
    EXPECT_EQ(Titles(m_pHead), (std::vector<std::string>{"Zorro", "Brazil", "Alien"}));

    m_pHead = Insert(m_pHead, "Zorro", 4);   // new head, before the old Zorro
    m_pHead = Insert(m_pHead, "Brazil", 5);  // directly before the old Brazil
    m_pHead = Insert(m_pHead, "Brazil", 6);
    EXPECT_EQ(Titles(m_pHead), (std::vector<std::string>{"Zorro", "Zorro", "Brazil", "Brazil", "Brazil", "Alien"}));
    EXPECT_EQ(Tags(m_pHead), (std::vector<int>{4, 1, 6, 5, 2, 3}));
}

TEST_F(FilmListTest, OrderIsOnUnsignedBytesOverTheWholeText)
{
    for (const char* pTitle : {"Zorro", "alien", "Alien", "Alien 2", "\xC3rbore", "", "\x7F"}) {
        m_pHead = Insert(m_pHead, pTitle);
    }
    m_pHead = Insert(m_pHead, std::string("A\0B", 3));
    m_pHead = Insert(m_pHead, std::string("A", 1));
    // Bytes >= 0x80 first, then lower case before upper; a prefix comes after
    // the longer text, and a NUL inside a title does not end it.
    EXPECT_EQ(Titles(m_pHead), (std::vector<std::string>{"\xC3rbore", "\x7F", "alien", "Zorro", "Alien 2", "Alien",
                                                         std::string("A\0B", 3), "A", ""}));
}

TEST_F(FilmListTest, LookupIsExactAndCaseSensitive)
{
    m_pHead = Insert(m_pHead, "Alien");
    EXPECT_EQ(ContainsFilm(m_pHead, "Alien"), 1);
    EXPECT_EQ(ContainsFilm(m_pHead, "alien"), 0);
    EXPECT_EQ(ContainsFilm(m_pHead, "Alien "), 0);
    EXPECT_EQ(ContainsFilm(m_pHead, std::string("Alien\0", 6)), 0);
    EXPECT_EQ(ContainsFilm(nullptr, "Alien"), 0);
}

TEST_F(FilmListTest, RemoveTakesOnlyTheFirstMatch)
{
    for (int i = 1; i <= 3; ++i) {
        m_pHead = Insert(m_pHead, "Brazil", i);
    }
    m_pHead = Insert(m_pHead, "Zorro", 9);
    m_pHead = Insert(m_pHead, "Alien", 8);

    m_pHead = RemoveFilm(m_pHead, "Brazil");  // the last inserted stands first
    EXPECT_EQ(Tags(m_pHead), (std::vector<int>{9, 2, 1, 8}));

    m_pHead = RemoveFilm(m_pHead, "Zorro");  // the head
    EXPECT_EQ(Tags(m_pHead), (std::vector<int>{2, 1, 8}));

    m_pHead = RemoveFilm(m_pHead, "Alien");  // the tail
    EXPECT_EQ(Tags(m_pHead), (std::vector<int>{2, 1}));

    CFilmNode* const pBefore = m_pHead;
    m_pHead = RemoveFilm(m_pHead, "brazil");
    EXPECT_EQ(m_pHead, pBefore);
    EXPECT_EQ(Tags(m_pHead), (std::vector<int>{2, 1}));
    EXPECT_EQ(RemoveFilm(nullptr, "Brazil"), nullptr);

    m_pHead = RemoveFilm(RemoveFilm(m_pHead, "Brazil"), "Brazil");
    EXPECT_EQ(m_pHead, nullptr);
}

TEST_F(FilmListTest, UpdateChangesTheFirstMatchInPlace)
{
    m_pHead = Insert(m_pHead, "Zorro", 1);
    m_pHead = Insert(m_pHead, "Brazil", 2);
    m_pHead = Insert(m_pHead, "Brazil", 3);
    m_pHead = Insert(m_pHead, "Alien", 4);
    const CFilmNode* const pFirstBrazil = m_pHead->m_pNext;

    // A new original title that sorts first does not move the node.
    EXPECT_EQ(UpdateFilm(m_pHead, "Brazil", "zz", "T", "C", "Y", "D", "A", 5, 7), 1);
    EXPECT_EQ(Titles(m_pHead), (std::vector<std::string>{"Zorro", "zz", "Brazil", "Alien"}));
    const CFilm& film = *pFirstBrazil->m_pFilm;
    EXPECT_EQ(film.m_strTitle, "T");
    EXPECT_EQ(film.m_strCountry, "C");
    EXPECT_EQ(film.m_strYear, "Y");
    EXPECT_EQ(film.m_strDirector, "D");
    EXPECT_EQ(film.m_strCast, "A");
    EXPECT_EQ(film.m_nRating, 5);
    EXPECT_EQ(film.m_nViewings, 7);
    EXPECT_EQ(m_pHead->m_pNext->m_pNext->m_pFilm->m_nViewings, 2);  // the other Brazil untouched

    EXPECT_EQ(UpdateFilm(m_pHead, "Nothing", "x", "", "", "", "", "", 0, 0), 0);
    EXPECT_EQ(UpdateFilm(nullptr, "Zorro", "x", "", "", "", "", "", 0, 0), 0);
    EXPECT_EQ(Titles(m_pHead), (std::vector<std::string>{"Zorro", "zz", "Brazil", "Alien"}));
}

TEST_F(FilmListTest, FreeListEmptiesAnyList)
{
    EXPECT_EQ(FreeList(nullptr), nullptr);
    EXPECT_EQ(FreeList(Insert(nullptr, "One")), nullptr);
    for (int i = 0; i < 1000; ++i) {
        m_pHead = Insert(m_pHead, std::to_string(i % 37));
    }
    m_pHead = FreeList(m_pHead);
    EXPECT_EQ(m_pHead, nullptr);
}

}  // namespace
