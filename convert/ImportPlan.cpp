#include "ImportPlan.h"

#include "ArchiveText.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FilmList.h"
#include "InputRefused.h"
#include "Rating.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr int kToSee = 6;

// The archive's reader skips white space before an original title, so the
// title is stored without it.
std::string WithoutLeadingSpace(const std::string& s)
{
    const std::size_t nFirst = s.find_first_not_of(" \t\n\v\f\r");
    return nFirst == std::string::npos ? std::string() : s.substr(nFirst);
}

}  // namespace

ImportPlan::ImportPlan(CatalogueFolder& folder, int nUnratedRating) : m_folder(folder), m_nUnratedRating(nUnratedRating)
{
    m_summary.strUnratedWord = RatingToText(nUnratedRating);
}

void ImportPlan::Add(const IncomingFilm& film)
{
    const std::string strFrom = WithoutLeadingSpace(film.strOriginalTitle);
    if (strFrom.empty()) {
        throw InputRefused(film.strFile, film.nLine, "the film has no original title");
    }
    // A line feed would split the archive's line and throw every record
    // after it out of step.
    for (const std::string* pText :
         {&film.strOriginalTitle, &film.strTitle, &film.strCountry, &film.strYear, &film.strDirector, &film.strCast}) {
        if (pText->find('\n') != std::string::npos) {
            throw InputRefused(film.strFile, film.nLine, "a line break inside \"" + *pText + "\"");
        }
    }
    const std::string strSource = film.strFile + ", line " + std::to_string(film.nLine);
    IncomingFilm trimmed = film;
    trimmed.strOriginalTitle = strFrom;
    const ArchiveTexts texts = ToArchiveTexts(trimmed);
    const std::string& strKey = texts.strOriginalTitle;
    // The comment file is named after the title: a title that would climb
    // out of the comment folder (or hold a NUL) is refused before anything
    // is written, not after the archives.
    std::string strCommentPath;
    if (!CommentFilePath(m_folder.SeenComments(), strKey, strCommentPath)) {
        throw InputRefused(film.strFile, film.nLine, "the title \"" + strFrom + "\" cannot name a comment file");
    }
    const std::string strShown = AnsiToUtf8(strKey);
    const bool bSeen = film.list == TargetList::Seen;

    if (ContainsFilm(m_folder.m_pSeen, strKey)) {
        m_summary.skipped.push_back({strShown, strSource, "already in the seen list"});
        return;
    }
    const bool bInToSee = ContainsFilm(m_folder.m_pToSee, strKey) != 0;
    if (!bSeen && bInToSee) {
        m_summary.skipped.push_back({strShown, strSource, "already in the to-see list"});
        return;
    }
    if (strShown != strFrom) {
        m_summary.converted.push_back({strFrom, strShown, texts.bOriginalFromTitle});
    }
    for (const std::string& strWhat : texts.shortened) {
        m_summary.shortened.push_back({strShown, strWhat});
    }

    int nRating = kToSee;
    int nViewings = 0;
    if (bSeen) {
        nRating = film.rating.value_or(m_nUnratedRating);
        if (!film.rating) {
            m_summary.unrated.push_back(strShown);
        }
        nViewings = film.nViewings;
        m_folder.m_pSeen = InsertSorted(m_folder.m_pSeen, strKey, texts.strTitle, texts.strCountry, texts.strYear,
                                        texts.strDirector, texts.strCast, nRating, nViewings);
        ++m_folder.m_nSeenCount;
        ++m_summary.nSeenAdded;
    } else {
        m_folder.m_pToSee =
            InsertSorted(m_folder.m_pToSee, strKey, texts.strTitle, texts.strCountry, texts.strYear, texts.strDirector,
                         texts.strCast, film.rating.value_or(kToSee), film.nViewings);
        ++m_folder.m_nToSeeCount;
        ++m_summary.nToSeeAdded;
    }

    // No note is lost: a comment file already in the list's folder (left
    // there by an earlier title) and, for a film that moves, its to-see
    // comment come first, the imported text after them, each after an
    // empty line.
    const std::string& strDir = bSeen ? m_folder.SeenComments() : m_folder.ToSeeComments();
    std::string strText = ReadComment(strDir, strKey);
    const auto append = [&strText](const std::string& strMore) {
        if (!strMore.empty()) {
            strText = strText.empty() ? strMore : strText + "\r\n\r\n" + strMore;
        }
    };
    if (bSeen && bInToSee) {
        m_folder.m_pToSee = RemoveFilm(m_folder.m_pToSee, strKey);
        --m_folder.m_nToSeeCount;
        ++m_summary.nMoved;
        append(ReadComment(m_folder.ToSeeComments(), strKey));
    }
    append(Utf8ToAnsi(film.strComment));
    m_comments.push_back({bSeen, strKey, std::move(strText), bSeen && bInToSee});
}

std::vector<std::string> ImportPlan::Commit() const
{
    std::vector<std::string> failed = m_folder.SaveArchives();
    if (!failed.empty()) {
        // Comments stay as they were, so a moved film's to-see note is still
        // where the unchanged to-see archive expects it.
        return failed;
    }
    for (const CommentWrite& comment : m_comments) {
        const std::string strDir = comment.bSeen ? m_folder.SeenComments() : m_folder.ToSeeComments();
        std::string strPath;
        if (!CommentFilePath(strDir, comment.strTitle, strPath)) {
            failed.push_back(strDir + "/" + AnsiToUtf8(comment.strTitle) + ".ctc");
            continue;
        }
        // A title with a '/' or '\' names a file in a subfolder.
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(strPath).parent_path(), ec);
        if (!WriteCommentFile(strDir, comment.strTitle, comment.strText)) {
            failed.push_back(strPath);
            continue;
        }
        if (comment.bRemoveToSee) {
            RemoveCommentFile(m_folder.ToSeeComments(), comment.strTitle);
        }
    }
    return failed;
}
