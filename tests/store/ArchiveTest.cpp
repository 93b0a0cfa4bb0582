#include "Archive.h"

#include "AtomicFile.h"
#include "FileBytes.h"
#include "FilmList.h"
#include "FilmValues.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The list that inserting the films one by one would give.
CFilmNode* InsertAll(const std::vector<FilmValues>& films)
{
    CFilmNode* pHead = nullptr;
    for (const auto& [o, t, c, y, d, a, r, v] : films) {
        pHead = InsertSorted(pHead, o, t, c, y, d, a, r, v);
    }
    return pHead;
}

std::string Record(const FilmValues& f)
{
    const auto& [o, t, c, y, d, a, r, v] = f;
    return o + "\r\n" + t + "\r\n" + c + "\r\n" + y + "\r\n" + d + "\r\n" + a + "\r\n" + std::to_string(r) + " " +
           std::to_string(v) + "\r\n";
}

std::string Header(const std::string& strCount) { return "cinetrove\r\nquonwerk\r\n" + strCount + "\r\n"; }

class ArchiveTest : public ::testing::Test {
protected:
    ~ArchiveTest() override
    {
        FreeList(m_contents.pHead);
        AtomicFileInjectWriteFault(0);
    }
    ArchiveReadResult Read(const std::string& bytes)
    {
        WriteBytes(m_strFile, bytes);
        return ReadPath(m_strFile);
    }
    ArchiveReadResult ReadPath(const std::string& strPath)
    {
        m_contents.pHead = FreeList(m_contents.pHead);
        return ReadArchive(strPath, m_contents);
    }

    TempDir m_dir;
    const std::string m_strFile = m_dir / "filme.cta";
    ArchiveContents m_contents;
};

const FilmValues kAlien{"Alien", "Alien", "SUA", "1979", "Ridley Scott", "S. Weaver", 5, 2};
const FilmValues kBrazil{"Brazil", "Brazil", "UK", "1985", "T. Gilliam", "J. Pryce", 4, 4};
const FilmValues kZorro{"Zorro", "Zorro", "", "", "", "", 6, 0};

TEST_F(ArchiveTest, WritesTheExactBytesInListOrder)
{
    CFilmNode* pList = InsertAll({kAlien, kZorro});
    ASSERT_TRUE(WriteArchive(m_strFile, pList, 2));
    EXPECT_EQ(ReadBytes(m_strFile),
              "cinetrove\r\nquonwerk\r\n2\r\n"
              "Zorro\r\nZorro\r\n\r\n\r\n\r\n\r\n6 0\r\n"
              "Alien\r\nAlien\r\nSUA\r\n1979\r\nRidley Scott\r\nS. Weaver\r\n5 2\r\n");
    // The count stored is that of the list, whatever the caller claims.
    ASSERT_TRUE(WriteArchive(m_strFile, pList, 7));
    EXPECT_EQ(ReadBytes(m_strFile).substr(0, 24), Header("2"));
    FreeList(pList);

    ASSERT_TRUE(WriteArchive(m_strFile, nullptr, 0));
    EXPECT_EQ(ReadBytes(m_strFile), Header("0"));
    EXPECT_EQ(ReadPath(m_strFile), ArchiveRead);
    EXPECT_EQ(m_contents.pHead, nullptr);
    EXPECT_EQ(m_contents.nCount, 0);
}

TEST_F(ArchiveTest, SaveAndLoadGiveTheSameListWithEqualTitlesSwapped)
{
    const FilmValues odd{
        "  Lead", " title ", "tab\there", "\r", std::string("nul\0inside", 10), std::string(100000, 'c'),
        -3,       2147483647};
    const FilmValues alien2{"Alien", "second", "", "", "", "", 0, -2147483647 - 1};
    CFilmNode* pList = InsertAll({kAlien, kBrazil, odd, alien2, kZorro});
    ASSERT_TRUE(WriteArchive(m_strFile, pList, 5));

    ASSERT_EQ(ReadPath(m_strFile), ArchiveRead);
    FilmValues oddRead = odd;
    std::get<0>(oddRead) = "Lead";  // an original title loses its leading blanks
    EXPECT_EQ(Values(m_contents.pHead), (std::vector<FilmValues>{kZorro, oddRead, kBrazil, kAlien, alien2}));
    EXPECT_EQ(m_contents.nCount, 5);
    EXPECT_EQ(m_contents.nMaxViewings, 2147483647);
    FreeList(pList);
}

TEST_F(ArchiveTest, ReaderFollowsTheScanRules)
{
    // Records in ascending order, blank lines and blanks around them, bare
    // LF line ends, the header words apart on one line: all read.
    const std::string bytes = "  cinetrove quonwerk\n\n +3 \n\n\n   " + Record(kAlien) + "\r\n \t\r\n" +
                              Record(kBrazil) + "   " + Record(kZorro);
    ASSERT_EQ(Read(bytes), ArchiveRead);
    EXPECT_EQ(Values(m_contents.pHead), (std::vector<FilmValues>{kZorro, kBrazil, kAlien}));
    EXPECT_EQ(m_contents.nCount, 3);
    EXPECT_EQ(m_contents.nMaxViewings, 4);

    // A smaller count reads that many records and leaves the rest.
    ASSERT_EQ(Read(Header("1") + Record(kAlien) + "garbage\n"), ArchiveRead);
    EXPECT_EQ(Values(m_contents.pHead), (std::vector<FilmValues>{kAlien}));

    // The last line needs no line end.
    std::string noEnd = Header("1") + Record(kBrazil);
    noEnd.resize(noEnd.size() - 2);
    ASSERT_EQ(Read(noEnd), ArchiveRead);
    EXPECT_EQ(m_contents.nMaxViewings, 4);

    // Viewings below zero leave the maximum at zero.
    ASSERT_EQ(Read(Header("1") + "A\r\n\r\n\r\n\r\n\r\n\r\n3 -5\r\n"), ArchiveRead);
    EXPECT_EQ(m_contents.nMaxViewings, 0);
}

TEST_F(ArchiveTest, CannotOpen)
{
    EXPECT_EQ(ReadPath(m_dir / "missing.cta"), ArchiveCannotOpen);
    EXPECT_EQ(ReadPath(m_dir.Path()), ArchiveCannotOpen);
    EXPECT_EQ(m_contents.pHead, nullptr);
}

TEST_F(ArchiveTest, InvalidHeaders)
{
    std::string garbage;
    std::mt19937 rng(7);
    for (int i = 0; i < 5000; ++i) {
        garbage += static_cast<char>(rng());
    }
    for (const std::string& bytes :
         {std::string(), std::string("\r\n  \n"), std::string("cinetrove\r\nquonwerk\r\n"),
          std::string("Cinetrove\r\nquonwerk\r\n0\r\n"), std::string("cinetroveX\nquonwerk\n0\n"),
          std::string("cinetrove\nquonwer\n0\n"), std::string("cinetrove\nquonwerk\nx\n"),
          std::string("cinetrove\nquonwerk\n-1\n"), std::string("cinetrove\nquonwerk\n3x\n"),
          std::string("cinetrove\nquonwerk\n2147483648\n"), std::string("cinetrove\nquonwerk\n99999999999999999999\n"),
          std::string("cinetrove\nquonwerk\n-\n"), std::string(200000, 'c'),
          std::string("cinetrove\0\nquonwerk\n0\n", 22), garbage}) {
        EXPECT_EQ(Read(bytes), ArchiveInvalid) << bytes.substr(0, 40);
        EXPECT_EQ(m_contents.pHead, nullptr);
        EXPECT_EQ(m_contents.nCount, 0);
        EXPECT_EQ(m_contents.nMaxViewings, 0);
    }
}

TEST_F(ArchiveTest, BadRecordKeepsTheFilmsReadBeforeIt)
{
    const std::string two = Header("3") + Record(kBrazil) + Record(kAlien);
    const std::vector<std::string> tails = {
        std::string(),                                         // file ends early
        std::string("Zorro\r\nZorro\r\n\r\n"),                 // ends inside a record
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n"),          // no seventh line
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n5\r\n"),     // one number only
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n5 x\r\n"),   // not a number
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n5 3x\r\n"),  // number run into text
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n5,3\r\n"),
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n5 2147483648\r\n"),
        std::string("Zorro\r\n\r\n\r\n\r\n\r\n\r\n-2147483649 1\r\n")};
    for (std::size_t i = 0; i < tails.size(); ++i) {
        // A good record after a bad one is not read.
        const std::string after = i >= 2 ? Record(kZorro) : std::string();
        EXPECT_EQ(Read(two + tails[i] + after), ArchiveInvalid) << tails[i];
        EXPECT_EQ(Values(m_contents.pHead), (std::vector<FilmValues>{kBrazil, kAlien}));
        EXPECT_EQ(m_contents.nCount, 2);
        EXPECT_EQ(m_contents.nMaxViewings, 4);
    }
    // A record whose lines went out of step is caught at its seventh line.
    EXPECT_EQ(Read(Header("2") + "Extra\r\n" + Record(kAlien) + Record(kBrazil)), ArchiveInvalid);
    EXPECT_EQ(m_contents.nCount, 0);
}

TEST_F(ArchiveTest, HugeCountWithFewRecordsIsInvalidWithoutExhaustingMemory)
{
    EXPECT_EQ(Read(Header("2147483647") + Record(kAlien)), ArchiveInvalid);
    EXPECT_EQ(m_contents.nCount, 1);
}

TEST_F(ArchiveTest, LongLinesAndNulBytesAreTakenWhole)
{
    const std::string strLong(100000, 'L');
    const FilmValues longFilm{strLong, strLong + "t", std::string("\0\0", 2), "", "", "", 1, 1};
    ASSERT_EQ(Read(Header("2") + Record(longFilm) + Record(kAlien)), ArchiveRead);
    EXPECT_EQ(Values(m_contents.pHead), (std::vector<FilmValues>{longFilm, kAlien}));
}

// Loading sorts in n log n; the result must be the list that InsertSorted
// builds one record at a time, equal titles in the same order included.
TEST_F(ArchiveTest, LoadingEqualsInsertingOneByOne)
{
    std::mt19937 rng(2024);
    for (const int nFilms : {1, 2, 50, 3000}) {
        // 0: random order; 1: list order, as the writer stores it (no sort
        // needed); 2: list order for the first half, then random.
        for (const int nOrder : {0, 1, 2}) {
            std::vector<FilmValues> films;
            for (int i = 0; i < nFilms; ++i) {
                // Few distinct titles, so runs of equals are long; some are
                // prefixes of others and some begin with bytes >= 0x80.
                static const char* const titles[] = {"A", "Ab", "a", "\xC3rbore", "Z", "Zorro", "Ab "};
                films.emplace_back(titles[rng() % 7], std::to_string(i), "", "", "", "", static_cast<int>(rng() % 7),
                                   static_cast<int>(rng() % 100));
            }
            if (nOrder != 0) {
                const auto nHalf = static_cast<std::ptrdiff_t>(nOrder == 1 ? films.size() : films.size() / 2);
                CFilmNode* pList = InsertAll({films.begin(), films.begin() + nHalf});
                std::vector<FilmValues> ordered = Values(pList);
                FreeList(pList);
                std::copy(ordered.begin(), ordered.end(), films.begin());
            }
            std::string bytes = Header(std::to_string(nFilms));
            for (const FilmValues& f : films) {
                bytes += Record(f);
            }
            ASSERT_EQ(Read(bytes), ArchiveRead);
            CFilmNode* pExpected = InsertAll(films);
            EXPECT_EQ(Values(m_contents.pHead), Values(pExpected)) << nFilms << " order " << nOrder;
            FreeList(pExpected);
        }
    }
}

TEST_F(ArchiveTest, UnstorableFilmsAreRefusedAndTheOldFileKept)
{
    CFilmNode* pGood = InsertAll({kAlien});
    ASSERT_TRUE(WriteArchive(m_strFile, pGood, 1));
    const std::string before = ReadBytes(m_strFile);
    for (const FilmValues& bad :
         {FilmValues{"", "t", "", "", "", "", 0, 0}, FilmValues{" \t", "t", "", "", "", "", 0, 0},
          FilmValues{"Ok", "two\nlines", "", "", "", "", 0, 0}, FilmValues{"Bad\n", "", "", "", "", "", 0, 0}}) {
        CFilmNode* pList = InsertAll({kAlien, bad});
        EXPECT_FALSE(IsStorableFilm(*pList->m_pFilm) && IsStorableFilm(*pList->m_pNext->m_pFilm));
        EXPECT_FALSE(WriteArchive(m_strFile, pList, 2));
        FreeList(pList);
    }
    EXPECT_EQ(ReadBytes(m_strFile), before);
    EXPECT_TRUE(IsStorableFilm(*pGood->m_pFilm));
    FreeList(pGood);
}

TEST_F(ArchiveTest, FailedSaveLeavesTheOldArchiveAndTheBackupIsThePreviousOne)
{
    CFilmNode* pOld = InsertAll({kAlien});
    ASSERT_TRUE(WriteArchive(m_strFile, pOld, 1));
    CFilmNode* pMid = InsertAll({kAlien, kBrazil});
    ASSERT_TRUE(WriteArchive(m_strFile, pMid, 2));
    const std::string mid = ReadBytes(m_strFile);
    EXPECT_EQ(ReadBytes(m_strFile + "~"), Header("1") + Record(kAlien));

    std::vector<FilmValues> many;
    for (int i = 0; i < 20000; ++i) {
        many.emplace_back("Film " + std::to_string(i), "Titlu", "Romania", "1999", "Regizor", "Actori", 3, i);
    }
    CFilmNode* pBig = InsertAll(many);
    for (const int nWrite : {1, 2, 3}) {  // the archive takes several writes
        AtomicFileInjectWriteFault(nWrite);
        EXPECT_FALSE(WriteArchive(m_strFile, pBig, 20000));
        EXPECT_EQ(ReadBytes(m_strFile), mid);
    }
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"filme.cta", "filme.cta~"}));
    EXPECT_FALSE(WriteArchive(m_dir / "missing/filme.cta", pBig, 20000));
    EXPECT_FALSE(WriteArchive(m_dir.Path(), pBig, 20000));

    AtomicFileInjectWriteFault(0);
    ASSERT_TRUE(WriteArchive(m_strFile, pBig, 20000));
    EXPECT_EQ(ReadBytes(m_strFile + "~"), mid);
    ASSERT_EQ(ReadPath(m_strFile), ArchiveRead);
    EXPECT_EQ(m_contents.nCount, 20000);
    EXPECT_EQ(m_contents.nMaxViewings, 19999);
    FreeList(pOld);
    FreeList(pMid);
    FreeList(pBig);
}

}  // namespace
