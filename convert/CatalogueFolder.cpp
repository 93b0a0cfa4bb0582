#include "CatalogueFolder.h"

#include "ArchiveCheck.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "InputRefused.h"

#include <filesystem>
#include <system_error>

namespace {

// Reads one archive into its list, or leaves the list empty when the file is
// not there; refuses an archive that does not read whole.
void LoadArchive(Catalogue& catalogue, int nList, bool& bFound)
{
    const std::string strPath = catalogue.ArchivePath(nList);
    std::error_code ec;
    if (std::filesystem::symlink_status(strPath, ec).type() == std::filesystem::file_type::not_found) {
        catalogue.LoadArchive(nList);  // holds the missing file, so a save may create it
        return;
    }
    bFound = true;
    const ArchiveFault fault = CheckArchive(strPath);
    if (!fault.bOpened) {
        throw InputRefused(strPath, 0, "the archive cannot be opened for reading");
    }
    if (!fault.bWhole) {
        std::string strWhy = "the archive does not read whole: expected " + fault.strExpected;
        strWhy +=
            fault.strFound.empty() ? ", found the end of the file" : ", found \"" + AnsiToUtf8(fault.strFound) + "\"";
        throw InputRefused(strPath, fault.nLine, strWhy);
    }
    ArchiveContents contents;
    if (catalogue.LoadArchive(nList, &contents) != ArchiveRead || !contents.bWhole) {
        // changed between the check and the read
        throw InputRefused(strPath, 0, "the archive does not read whole");
    }
}

}  // namespace

void OpenCatalogueFolder(Catalogue& catalogue, const std::string& strDir, bool bRequireOne)
{
    catalogue.Clear();
    if (!catalogue.UseDataFolder(strDir)) {
        throw InputRefused(strDir, 0, "the folder's path is too long for a catalogue (a path holds at most 254 bytes)");
    }
    bool bFound = false;
    LoadArchive(catalogue, kSeenList, bFound);
    LoadArchive(catalogue, kToSeeList, bFound);
    if (bRequireOne && !bFound) {
        throw InputRefused(strDir, 0, "no catalogue here (neither filme.cta nor tosee.cta)");
    }
}

std::vector<std::string> SaveCatalogueFolder(Catalogue& catalogue)
{
    // The comment folders too: the window writes a film's comment there and
    // cannot make them.
    std::error_code ec;
    for (const int nList : {kSeenList, kToSeeList}) {
        std::filesystem::create_directories(catalogue.CommentDir(nList), ec);
    }
    std::filesystem::create_directories(std::filesystem::path(catalogue.m_szSeenFile).parent_path(), ec);
    std::vector<std::string> failed;
    // The companion never asks: an archive changed by another program since
    // it was read is left for that program's changes.
    const auto results = catalogue.SaveBothArchives([](const std::string&) { return false; });
    for (const int nList : {kSeenList, kToSeeList}) {
        switch (results[static_cast<std::size_t>(nList)]) {
        case Catalogue::SaveResult::Written:
            break;
        case Catalogue::SaveResult::Waiting:
            failed.push_back(std::string(catalogue.ArchivePath(nList)) +
                             ": not written, as the seen list it waits for was not");
            break;
        case Catalogue::SaveResult::Kept:
            failed.push_back(std::string(catalogue.ArchivePath(nList)) +
                             ": changed on disk since it was read, not replaced");
            break;
        case Catalogue::SaveResult::Failed:
            failed.push_back(std::string(catalogue.ArchivePath(nList)) + ": cannot be written");
            break;
        }
    }
    return failed;
}

std::string ReadComment(const std::string& strCommentDir, const std::string& strOriginalTitle)
{
    std::string strText;
    if (!ReadCommentFile(strCommentDir, strOriginalTitle, strText)) {
        strText.clear();
    }
    return strText;
}

std::string SaveImportedComment(Catalogue& catalogue, int nList, const std::string& strTitle,
                                const std::string& strText)
{
    const std::string strDir = catalogue.CommentDir(nList);
    std::string strPath;
    if (!CommentFilePath(strDir, strTitle, strPath)) {
        return strDir + "/" + AnsiToUtf8(strTitle) + ".ctc: cannot be written";
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(strPath).parent_path(), ec);
    switch (catalogue.SaveComment(strTitle, nList, strText, [](const std::string&) { return false; })) {
    case Catalogue::SaveResult::Written:
        return {};
    case Catalogue::SaveResult::Kept:
        return strPath + ": changed since it was read, not replaced";
    case Catalogue::SaveResult::Failed:
    case Catalogue::SaveResult::Waiting:
        break;
    }
    return strPath + ": cannot be written";
}
