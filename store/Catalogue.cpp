#include "Catalogue.h"

#include "AtomicFile.h"
#include "CommentFile.h"
#include "FileStamp.h"
#include "FolderLock.h"
#include "TextFile.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// The text a read gives back of text-mode bytes: CR LF as LF.
std::string AsRead(std::string_view bytes)
{
    std::string strText;
    strText.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) strText += bytes[i];
    }
    return strText;
}

}  // namespace

Catalogue::Catalogue() = default;

Catalogue::~Catalogue() { Clear(); }

bool Catalogue::StorePath(char (&buffer)[kPathSize], const std::string& strPath)
{
    if (strPath.size() >= kPathSize || strPath.find('\0') != std::string::npos) return false;
    std::memcpy(buffer, strPath.c_str(), strPath.size() + 1);
    return true;
}

bool Catalogue::UseDataFolder(const std::string& strData)
{
    const std::string strComments = strData + "/comments";
    return StorePath(m_szSeenFile, strData + "/filme.cta") && StorePath(m_szToSeeFile, strData + "/tosee.cta") &&
           StorePath(m_szToSeeCommentsDir, strComments + "/tosee") &&
           StorePath(m_szSeenCommentsDir, strComments + "/filme");
}

bool Catalogue::SetActivePaths(const std::string& strSeenFile, const std::string& strToSeeFile,
                               const std::string& strToSeeCommentsDir, const std::string& strSeenCommentsDir)
{
    const std::string strSeenBefore = m_szSeenFile;
    const std::string strToSeeBefore = m_szToSeeFile;
    bool bAllFit = StorePath(m_szSeenFile, strSeenFile);
    bAllFit = StorePath(m_szToSeeFile, strToSeeFile) && bAllFit;
    bAllFit = StorePath(m_szToSeeCommentsDir, strToSeeCommentsDir) && bAllFit;
    bAllFit = StorePath(m_szSeenCommentsDir, strSeenCommentsDir) && bAllFit;
    // An archive path that now names another file: Save must not take that
    // file's place unasked unless nothing is there.
    if (strSeenBefore != m_szSeenFile) m_seenHold.Repoint(m_szSeenFile);
    if (strToSeeBefore != m_szToSeeFile) m_toSeeHold.Repoint(m_szToSeeFile);
    return bAllFit;
}

std::string Catalogue::CommentDir(int nList) const
{
    return SelectCommentDir(nList, m_szSeenCommentsDir, m_szToSeeCommentsDir);
}

void Catalogue::Clear()
{
    m_pSeenBatch.reset();
    m_pToSeeBatch.reset();
    m_pSeenList = FreeList(m_pSeenList);
    m_pToSeeList = FreeList(m_pToSeeList);
    m_nSeenCount = 0;
    m_nToSeeCount = 0;
}

ArchiveReadResult Catalogue::LoadArchive(int nList, ArchiveContents* pSeen)
{
    Head(nList) = FreeList(Head(nList));
    ArchiveContents contents;
    const ArchiveReadResult result = ReadArchive(ArchivePath(nList), contents);
    Hold(nList).AfterRead(result, contents);
    Head(nList) = std::exchange(contents.pHead, nullptr);
    Count(nList) = contents.nCount;
    if (nList == kSeenList) m_nMaxViewings = contents.nMaxViewings;
    Changed(nList) = false;
    if (pSeen != nullptr) *pSeen = contents;
    return result;
}

ArchiveReadResult Catalogue::LoadArchives()
{
    Clear();
    m_nMaxViewings = 0;
    m_bSeenChanged = false;
    m_bToSeeChanged = false;
    m_bMovedSinceSave = false;
    m_movedComments.clear();
    const ArchiveReadResult seenResult = LoadArchive(kSeenList);
    if (seenResult != ArchiveRead) {
        m_toSeeHold.LeftUnread();
        return seenResult;
    }
    return LoadArchive(kToSeeList);
}

Catalogue::SaveResult Catalogue::SaveArchive(int nList, const ReplaceQuestion& mayReplace)
{
    const std::string strPath = ArchivePath(nList);
    ArchiveHold& hold = Hold(nList);
    for (;;) {
        // What is there now is what the write may replace: the file this run
        // holds, or the one the user agreed to (its bytes kept first).
        std::optional<FileStamp> expected = StampOfPath(strPath);
        if (!hold.MayReplace(strPath)) {
            if (!mayReplace(strPath)) return SaveResult::Kept;
            std::string strKept;
            if (!KeepNumberedCopy(strPath, strKept)) return SaveResult::Failed;
            expected = StampOfPath(strPath);
        }
        const FolderLock lock(FollowLinks(strPath));
        FileStamp written;
        switch (WriteArchiveOver(strPath, Head(nList), Count(nList), expected, &written)) {
        case ArchiveWrite::Written:
            hold.AfterWrite(written);
            Changed(nList) = false;
            return SaveResult::Written;
        case ArchiveWrite::Failed:
            return SaveResult::Failed;
        case ArchiveWrite::Changed:
            hold.LeftUnread();  // changed meanwhile: asked about as any file not held
            break;
        }
    }
}

std::array<Catalogue::SaveResult, 2> Catalogue::SaveBothArchives(const ReplaceQuestion& mayReplace)
{
    std::array<SaveResult, 2> results{};
    results[kSeenList] = SaveArchive(kSeenList, mayReplace);
    if (m_bMovedSinceSave && results[kSeenList] != SaveResult::Written) {
        results[kToSeeList] = SaveResult::Waiting;
        return results;
    }
    results[kToSeeList] = SaveArchive(kToSeeList, mayReplace);
    if (results[kToSeeList] == SaveResult::Written) {
        m_bMovedSinceSave = false;
        RemoveMovedComments();
    }
    return results;
}

bool Catalogue::SaveArchives(const ReplaceQuestion& mayReplace)
{
    const std::array<SaveResult, 2> results = SaveBothArchives(mayReplace);
    return results[kSeenList] != SaveResult::Failed && results[kToSeeList] != SaveResult::Failed;
}

void Catalogue::RemoveToSeeCommentOnSave(const std::string& strOriginalTitle)
{
    m_movedComments.push_back(strOriginalTitle);
}

void Catalogue::RemoveMovedComments()
{
    for (const std::string& strTitle : m_movedComments) {
        if (Contains(kToSeeList, strTitle)) continue;  // a film of that title is to see again
        // When both lists share one comment folder the two are one file,
        // which holds the seen comment now.
        std::string strSeenPath, strToSeePath;
        if (!CommentFilePath(m_szSeenCommentsDir, strTitle, strSeenPath) ||
            !CommentFilePath(m_szToSeeCommentsDir, strTitle, strToSeePath))
            continue;
        const std::optional<FileStamp> seen = StampOfPath(strSeenPath);
        const std::optional<FileStamp> toSee = StampOfPath(strToSeePath);
        if (seen && toSee && seen->nDevice == toSee->nDevice && seen->nInode == toSee->nInode) continue;
        DeleteComment(strTitle, kToSeeList);
    }
    m_movedComments.clear();
}

bool Catalogue::LoadComment(const std::string& strOriginalTitle, int nList, std::string& strText)
{
    if (!ReadCommentFile(CommentDir(nList), strOriginalTitle, strText)) return false;
    std::string strPath;
    if (CommentFilePath(CommentDir(nList), strOriginalTitle, strPath))
        m_commentHashes[strPath] = std::hash<std::string>{}(strText);
    return true;
}

Catalogue::SaveResult Catalogue::SaveComment(const std::string& strOriginalTitle, int nList, const std::string& strText,
                                             const ReplaceQuestion& mayReplace)
{
    const std::string strDir = CommentDir(nList);
    std::string strPath;
    if (!CommentFilePath(strDir, strOriginalTitle, strPath)) return SaveResult::Failed;
    // A file that is there but cannot be read is refused by the write itself.
    std::string strThere;
    if (ReadCommentFile(strDir, strOriginalTitle, strThere) && !strThere.empty()) {
        const auto known = m_commentHashes.find(strPath);
        if (known == m_commentHashes.end() || known->second != std::hash<std::string>{}(strThere)) {
            if (!mayReplace(strPath)) return SaveResult::Kept;
            std::string strKept;
            if (!KeepNumberedCopy(strPath, strKept)) return SaveResult::Failed;
        }
    }
    if (!WriteCommentFile(strDir, strOriginalTitle, strText)) return SaveResult::Failed;
    // What a read gives back of the bytes written.
    std::string strWritten;
    AppendTextMode(strWritten, strText);
    m_commentHashes[strPath] = std::hash<std::string>{}(AsRead(strWritten));
    return SaveResult::Written;
}

void Catalogue::DeleteComment(const std::string& strOriginalTitle, int nList) const
{
    RemoveCommentFile(CommentDir(nList), strOriginalTitle);
}

bool Catalogue::Contains(int nList, const std::string& strOriginalTitle) const
{
    if (const FilmListBatch* pBatch = Batch(nList)) return pBatch->Contains(strOriginalTitle);
    return ContainsFilm(nList == kSeenList ? m_pSeenList : m_pToSeeList, strOriginalTitle) != 0;
}

bool Catalogue::RemoveFirst(int nList, const std::string& strOriginalTitle)
{
    if (FilmListBatch* pBatch = Batch(nList)) return pBatch->RemoveFirst(strOriginalTitle);
    if (!ContainsFilm(Head(nList), strOriginalTitle)) return false;
    Head(nList) = RemoveFilm(Head(nList), strOriginalTitle);
    --Count(nList);
    return true;
}

bool Catalogue::AddFilm(int nList, FilmEntry film)
{
    // Seeing a film takes it off the to-see list: its first film of that
    // title goes. The seen list is not consulted for a film to see: a seen
    // film may be added to see again.
    const std::string strKey = nList == kSeenList ? film.strOriginalTitle : std::string();
    return AddFilm(nList, std::move(film), strKey);
}

bool Catalogue::AddFilm(int nList, FilmEntry film, const std::string& strLeavesToSee)
{
    if (nList == kSeenList) m_nMaxViewings = std::max(m_nMaxViewings, film.nViewings);
    if (FilmListBatch* pBatch = Batch(nList)) {
        pBatch->Insert(std::move(film));
    } else {
        Head(nList) = InsertSorted(Head(nList), std::move(film.strOriginalTitle), std::move(film.strTitle),
                                   std::move(film.strCountry), std::move(film.strYear), std::move(film.strDirector),
                                   std::move(film.strCast), film.nRating, film.nViewings);
        ++Count(nList);
    }
    Changed(nList) = true;
    if (strLeavesToSee.empty() || !RemoveFirst(kToSeeList, strLeavesToSee)) return false;
    m_bToSeeChanged = true;
    m_bMovedSinceSave = true;
    return true;
}

int Catalogue::FindListOf(const std::string& strOriginalTitle) const
{
    if (Contains(kSeenList, strOriginalTitle)) return kSeenList;
    if (Contains(kToSeeList, strOriginalTitle)) return kToSeeList;
    return -1;
}

bool Catalogue::UpdateFilm(int nList, const std::string& strKey, FilmEntry film)
{
    // The film keeps its place, even under a new original title: the list is
    // sorted again when the archives are next read.
    if (!::UpdateFilm(Head(nList), strKey, std::move(film.strOriginalTitle), std::move(film.strTitle),
                      std::move(film.strCountry), std::move(film.strYear), std::move(film.strDirector),
                      std::move(film.strCast), film.nRating, film.nViewings))
        return false;
    if (nList == kSeenList) m_nMaxViewings = std::max(m_nMaxViewings, film.nViewings);
    Changed(nList) = true;
    return true;
}

bool Catalogue::UpdateFilm(int nList, const CFilm& which, FilmEntry film)
{
    for (CFilmNode* p = Head(nList); p != nullptr; p = p->m_pNext) {
        if (p->m_pFilm != &which) continue;
        CFilm& target = *p->m_pFilm;
        target.SetTexts(FilmTexts(
            {film.strOriginalTitle, film.strTitle, film.strCountry, film.strYear, film.strDirector, film.strCast}));
        target.m_nRating = film.nRating;
        target.m_nViewings = film.nViewings;
        if (nList == kSeenList) m_nMaxViewings = std::max(m_nMaxViewings, film.nViewings);
        Changed(nList) = true;
        return true;
    }
    return false;
}

void Catalogue::BeginBatch()
{
    m_pSeenBatch = std::make_unique<FilmListBatch>(m_pSeenList);
    m_pToSeeBatch = std::make_unique<FilmListBatch>(m_pToSeeList);
}

void Catalogue::EndBatch()
{
    if (m_pSeenBatch) m_pSeenList = m_pSeenBatch->Apply(m_pSeenList, m_nSeenCount);
    if (m_pToSeeBatch) m_pToSeeList = m_pToSeeBatch->Apply(m_pToSeeList, m_nToSeeCount);
    m_pSeenBatch.reset();
    m_pToSeeBatch.reset();
}

std::vector<std::string> Catalogue::DumpLists(const TextEscape& escape) const
{
    std::vector<std::string> lines;
    const auto dumpList = [&](const char* pName, int nCount, const CFilmNode* pHead) {
        lines.push_back(std::string(pName) + " " + std::to_string(nCount));
        int i = 0;
        for (const CFilmNode* pNode = pHead; pNode; pNode = pNode->m_pNext, ++i) {
            const CFilm& f = *pNode->m_pFilm;
            std::string strLine = std::string(pName) + "[" + std::to_string(i) + "]: ";
            for (const FilmText& text : f.Texts().Texts()) strLine += escape(text) + " | ";
            lines.push_back(strLine + std::to_string(f.m_nRating) + " | " + std::to_string(f.m_nViewings));
        }
    };
    dumpList("seen", m_nSeenCount, m_pSeenList);
    dumpList("tosee", m_nToSeeCount, m_pToSeeList);
    return lines;
}

std::vector<std::string> Catalogue::DumpPaths(const TextEscape& escape) const
{
    return {"seen-file " + escape(m_szSeenFile), "tosee-file " + escape(m_szToSeeFile),
            "seen-comments " + escape(m_szSeenCommentsDir), "tosee-comments " + escape(m_szToSeeCommentsDir)};
}
