#include "ArchiveCheck.h"

#include "Archive.h"
#include "FileBytes.h"
#include "FilmList.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Record(const std::string& strTitle, const std::string& strNumbers = "2 1")
{
    return strTitle + "\r\nT\r\nRO\r\n1999\r\nD\r\nC\r\n" + strNumbers + "\r\n";
}

const std::string kHeader2 = "cinetrove\r\nquonwerk\r\n2\r\n";

struct Checked {
    ArchiveFault fault;
    ArchiveReadResult readResult;
    int nReadCount;
};

Checked Check(const std::string& bytes)
{
    TempDir dir;
    const std::string strPath = dir / "filme.cta";
    WriteBytes(strPath, bytes);
    Checked checked{CheckArchive(strPath), ArchiveRead, 0};
    ArchiveContents contents;
    checked.readResult = ReadArchive(strPath, contents);
    checked.nReadCount = contents.nCount;
    FreeList(contents.pHead);
    return checked;
}

}  // namespace

// Each kind of fault is named by the line it is on, and the check agrees
// with the program's reader on how many films read whole.
TEST(ArchiveCheckTest, NamesTheLineAndWhatWasExpected)
{
    struct Case {
        const char* pName;
        std::string bytes;
        int nLine;
        std::string strExpected;
        std::string strFound;
        int nFilms;
    };
    const Case cases[] = {
        {"magic word", "cinetrove\r\nQuonwerk\r\n0\r\n", 2, "the word \"quonwerk\"", "Quonwerk", 0},
        {"count", "cinetrove\r\nquonwerk\r\n\r\nzwei\r\n", 4, "a count", "zwei", 0},
        {"negative count", "cinetrove\r\nquonwerk\r\n-1\r\n", 3, "a count", "-1", 0},
        {"text line cut short", kHeader2 + Record("B") + "A\r\nT\r\n", 13, "a text line", "", 1},
        {"text line after a last line without LF", kHeader2 + Record("B") + "A\r\nT", 13, "a text line", "", 1},
        {"numbers", kHeader2 + Record("B") + Record("A", "2 x"), 17, "two whole numbers", "x", 1},
        {"numbers on a last line without LF", kHeader2 + Record("B") + Record("A", "2 x").substr(0, 25), 17,
         "two whole numbers", "x", 1},
        {"numbers too large", kHeader2 + Record("B", "9999999999 1"), 10, "two whole numbers", "9999999999", 0},
        {"numbers missing at the end", kHeader2 + Record("B") + "A\r\nT\r\nRO\r\n1999\r\nD\r\nC\r\n", 17,
         "two whole numbers", "", 1},
        {"bytes after the last record", kHeader2 + Record("B") + Record("A") + "\r\n\r\nextra words\r\n", 20,
         "the end of the file", "extra words", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pName);
        const Checked checked = Check(c.bytes);
        EXPECT_TRUE(checked.fault.bOpened);
        EXPECT_FALSE(checked.fault.bWhole);
        EXPECT_EQ(checked.fault.nLine, c.nLine);
        EXPECT_EQ(checked.fault.strExpected, c.strExpected);
        EXPECT_EQ(checked.fault.strFound, c.strFound);
        EXPECT_EQ(checked.fault.nFilms, c.nFilms);
        EXPECT_EQ(checked.nReadCount, c.nFilms);
    }
}

// Whatever the reader takes without complaint (blank lines, bare line
// feeds, leading blanks of a title, a count of 0) is whole here as well.
TEST(ArchiveCheckTest, WholeWhereTheReaderReadsEverything)
{
    const std::string archives[] = {
        kHeader2 + Record("B") + Record("A"),
        "cinetrove\nquonwerk\n2\n\n\nB\nT\n\n\n\n\n1 1\n\n   A\nT\n\n\n\n\n3 4",
        "cinetrove\r\nquonwerk\r\n0\r\n",
        kHeader2 + Record("B") + Record("A") + "\r\n \t\r\n",
    };
    for (const std::string& bytes : archives) {
        const Checked checked = Check(bytes);
        EXPECT_TRUE(checked.fault.bWhole) << bytes;
        EXPECT_EQ(checked.readResult, ArchiveRead);
        EXPECT_EQ(checked.fault.nFilms, checked.nReadCount);
    }
}

TEST(ArchiveCheckTest, AMissingFileIsNotOpened)
{
    TempDir dir;
    const ArchiveFault fault = CheckArchive(dir / "missing.cta");
    EXPECT_FALSE(fault.bOpened);
    EXPECT_FALSE(fault.bWhole);
    EXPECT_FALSE(CheckArchive(dir.Path()).bOpened);  // a folder is no archive
}
