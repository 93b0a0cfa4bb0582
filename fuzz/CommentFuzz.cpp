// Comment files on any bytes and any title. The first line of the input is
// the film's original title, the rest is a comment file's content. A title
// must never name a file outside the comment directory, a write followed by a
// read gives the comment back, and the reader folds exactly CR LF to LF.
#include "CommentFile.h"
#include "FuzzFile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

std::string FoldCrLf(std::string_view bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            text += bytes[i];
        }
    }
    return text;
}

// Every entry under `root`, as paths relative to it.
std::vector<std::string> Tree(const std::string& root)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        names.push_back(std::filesystem::relative(entry.path(), root).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const FuzzDir dir;
    // The comment directory lies a few levels down, so that a path that
    // climbs out still lands inside the fuzzing directory and is seen there.
    static const std::string strRoot = [] {
        std::filesystem::create_directories(dir / "root/a/b/comments");
        return dir / "root";
    }();
    static const std::string strComments = strRoot + "/a/b/comments";
    static const std::vector<std::string> emptyTree = Tree(strRoot);

    const std::string_view input(reinterpret_cast<const char*>(pData), nSize);
    const std::size_t nLf = input.find('\n');
    const std::string strTitle(input.substr(0, nLf));
    const std::string_view content = nLf == std::string_view::npos ? std::string_view{} : input.substr(nLf + 1);

    // The reader on the raw content, under a plain name.
    dir.Put("raw.ctc", content);
    std::string strText = "unchanged";
    FUZZ_CHECK(ReadCommentFile(dir.Path(), "raw", strText));
    FUZZ_CHECK(strText == FoldCrLf(content));

    // The fuzzed title: its path stays inside the directory, and a write,
    // read and remove leave nothing behind anywhere.
    std::string strPath;
    if (CommentFilePath(strComments, strTitle, strPath)) {
        const std::filesystem::path relative =
            std::filesystem::path(strPath).lexically_normal().lexically_relative(strComments);
        FUZZ_CHECK(!relative.empty() && *relative.begin() != ".." && *relative.begin() != ".");
    }
    const std::string strComment(content);
    if (WriteCommentFile(strComments, strTitle, strComment)) {
        std::string strBack;
        FUZZ_CHECK(ReadCommentFile(strComments, strTitle, strBack));
        FUZZ_CHECK(strBack == strComment);
        RemoveCommentFile(strComments, strTitle);
    }
    FUZZ_CHECK(Tree(strRoot) == emptyTree);
    return 0;
}
