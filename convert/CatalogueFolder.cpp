#include "CatalogueFolder.h"

#include "Archive.h"
#include "ArchiveCheck.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FilmList.h"
#include "InputRefused.h"

#include <filesystem>
#include <system_error>

namespace {

// Loads one archive into head and count, or leaves them empty when the file
// is not there; refuses an archive that does not read whole.
void LoadArchive(const std::string& strPath, CFilmNode*& pHead, int& nCount, bool& bFound)
{
    std::error_code ec;
    if (std::filesystem::symlink_status(strPath, ec).type() == std::filesystem::file_type::not_found) {
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
    const ArchiveReadResult result = ReadArchive(strPath, contents);
    pHead = contents.pHead;
    nCount = contents.nCount;
    if (result != ArchiveRead) {  // changed between the check and the read
        throw InputRefused(strPath, 0, "the archive does not read whole");
    }
}

}  // namespace

CatalogueFolder::CatalogueFolder(std::string strDir) : m_strDir(std::move(strDir)) {}

CatalogueFolder::~CatalogueFolder()
{
    FreeList(m_pSeen);
    FreeList(m_pToSee);
}

void CatalogueFolder::Load(bool bRequireOne)
{
    m_pSeen = FreeList(m_pSeen);
    m_pToSee = FreeList(m_pToSee);
    m_nSeenCount = m_nToSeeCount = 0;
    bool bFound = false;
    LoadArchive(SeenArchive(), m_pSeen, m_nSeenCount, bFound);
    LoadArchive(ToSeeArchive(), m_pToSee, m_nToSeeCount, bFound);
    if (bRequireOne && !bFound) {
        throw InputRefused(m_strDir, 0, "no catalogue here (neither filme.cta nor tosee.cta)");
    }
}

std::vector<std::string> CatalogueFolder::SaveArchives() const
{
    std::error_code ec;
    std::filesystem::create_directories(m_strDir, ec);
    std::vector<std::string> failed;
    if (!WriteArchive(SeenArchive(), m_pSeen, m_nSeenCount)) {
        failed.push_back(SeenArchive());
    }
    if (!WriteArchive(ToSeeArchive(), m_pToSee, m_nToSeeCount)) {
        failed.push_back(ToSeeArchive());
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
