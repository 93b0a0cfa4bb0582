#include "CommentFile.h"

#include "AtomicFile.h"
#include "CodePage.h"
#include "TextFile.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <string_view>

bool CommentFilePath(const std::string& strDir, const std::string& strOriginalTitle, std::string& strPath)
{
    // A NUL byte would silently cut the name short at the system call.
    if (strOriginalTitle.find('\0') != std::string::npos) {
        return false;
    }
    // The archive's reader drops the white space before an original title,
    // so " Zorro" is "Zorro" after a reload: its comment is named so at once.
    const std::size_t nFirst = strOriginalTitle.find_first_not_of(" \t\n\v\f\r");
    std::string strName = AnsiToUtf8(nFirst == std::string::npos ? std::string_view()
                                                                 : std::string_view(strOriginalTitle).substr(nFirst)) +
                          ".ctc";
    std::replace(strName.begin(), strName.end(), '\\', '/');

    // Refuse a name with a ".." component: it would reach outside the
    // comment directory.
    std::string_view rest = strName;
    while (true) {
        const std::size_t nSlash = rest.find('/');
        if (rest.substr(0, nSlash) == "..") {
            return false;
        }
        if (nSlash == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(nSlash + 1);
    }
    strPath = strDir + "/" + strName;
    return true;
}

const std::string& SelectCommentDir(int nList, const std::string& strSeenDir, const std::string& strToSeeDir)
{
    return nList == 0 ? strSeenDir : strToSeeDir;
}

bool ReadCommentFile(const std::string& strDir, const std::string& strOriginalTitle, std::string& strText)
{
    std::string strPath;
    if (!CommentFilePath(strDir, strOriginalTitle, strPath)) {
        return false;
    }
    TextFileReader in(strPath);
    if (!in.IsOpen()) {
        return false;
    }
    std::string strRead = in.ReadAll();
    if (in.HasError()) {
        return false;
    }
    strText = std::move(strRead);
    return true;
}

bool WriteCommentFile(const std::string& strDir, const std::string& strOriginalTitle, const std::string& strText)
{
    std::string strPath;
    if (!CommentFilePath(strDir, strOriginalTitle, strPath)) {
        return false;
    }
    // A comment that is there but cannot be read was shown as an empty box:
    // writing the box back would put another text in its place unseen.
    if (const TextFileReader existing(strPath); !existing.IsOpen() && existing.OpenError() != ENOENT) {
        return false;
    }
    // Comments are replaced atomically like the archives, but without a
    // backup: a NAME~ beside every comment would clutter the directory.
    AtomicFile file(strPath, AtomicFile::Backup::None);
    std::string strBytes;
    AppendTextMode(strBytes, strText);
    return file.Open() && file.Write(strBytes) && file.Commit();
}

void RemoveCommentFile(const std::string& strDir, const std::string& strOriginalTitle)
{
    std::string strPath;
    if (CommentFilePath(strDir, strOriginalTitle, strPath)) {
        // unlink rather than remove: a directory that happens to carry the
        // name is left alone. Failures are of no consequence.
        ::unlink(strPath.c_str());
    }
}
