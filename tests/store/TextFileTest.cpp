#include "FileBytes.h"
#include "TempDir.h"
#include "TextFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& strPath)
{
    TextFileReader in(strPath);
    std::vector<std::string> lines;
    std::string line;
    while (in.ReadLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string AllByGet(const std::string& strPath)
{
    TextFileReader in(strPath);
    std::string text;
    for (int c = in.Get(); c != EOF; c = in.Get()) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST(TextFileTest, ReadingFoldsCrLfAndKeepsLoneCr)
{
    const TempDir dir;
    const std::string strFile = dir / "t.txt";
    WriteBytes(strFile, std::string("a\r\nb\rc\r\r\nd\n\r\0e", 14));
    const std::string folded("a\nb\rc\r\nd\n\r\0e", 12);
    EXPECT_EQ(TextFileReader(strFile).ReadAll(), folded);
    EXPECT_EQ(AllByGet(strFile), folded);
    EXPECT_EQ(Lines(strFile), (std::vector<std::string>{"a", "b\rc\r", "d", std::string("\r\0e", 3)}));
}

// The reader fills its buffer kBufferSize bytes at a time: a CR LF split
// across two fills (the CR last in the first) must still fold, and a line
// longer than the buffer comes whole, also when its CR LF is split across
// the second and the third fill.
TEST(TextFileTest, CrLfAcrossBufferBoundaryAndVeryLongLines)
{
    const TempDir dir;
    const std::string strFile = dir / "t.txt";
    constexpr std::size_t kFill = TextFileReader::kBufferSize;
    for (const std::size_t nCrAt : {kFill - 1, kFill, 2 * kFill - 1}) {
        std::string bytes(nCrAt, 'x');
        bytes += "\r\nnext\r";
        WriteBytes(strFile, bytes);
        EXPECT_EQ(Lines(strFile), (std::vector<std::string>{std::string(nCrAt, 'x'), "next\r"}));
        EXPECT_EQ(AllByGet(strFile), std::string(nCrAt, 'x') + "\nnext\r");
        EXPECT_EQ(TextFileReader(strFile).ReadAll(), std::string(nCrAt, 'x') + "\nnext\r");
    }
}

TEST(TextFileTest, PeekDoesNotConsume)
{
    const TempDir dir;
    const std::string strFile = dir / "t.txt";
    WriteBytes(strFile, "\r\nx");
    TextFileReader in(strFile);
    EXPECT_EQ(in.Peek(), '\n');
    EXPECT_EQ(in.Get(), '\n');
    EXPECT_EQ(in.Peek(), 'x');
    EXPECT_EQ(in.Get(), 'x');
    EXPECT_EQ(in.Get(), EOF);
    std::string line = "old";
    EXPECT_FALSE(in.ReadLine(line));
}

TEST(TextFileTest, MissingFilesAndDirectoriesDoNotOpen)
{
    const TempDir dir;
    EXPECT_FALSE(TextFileReader(dir / "missing").IsOpen());
    EXPECT_FALSE(TextFileReader(dir.Path()).IsOpen());
    TextFileReader closed(dir / "missing");
    EXPECT_EQ(closed.Get(), EOF);
    EXPECT_EQ(closed.ReadAll(), "");
}

TEST(TextFileTest, WritingStoresEachLfAsCrLf)
{
    std::string out = "keep";
    AppendTextMode(out, "a\nb\r\n\n");
    EXPECT_EQ(out, "keepa\r\nb\r\r\n\r\n");
}

}  // namespace
