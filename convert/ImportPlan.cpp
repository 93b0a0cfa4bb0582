#include "ImportPlan.h"

#include "CatalogueFolder.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FilmList.h"
#include "InputRefused.h"
#include "ListRule.h"
#include "Rating.h"

#include <filesystem>
#include <system_error>

namespace {

// The archive's reader skips white space before an original title, so the
// title is stored without it.
std::string WithoutLeadingSpace(const std::string& s)
{
    const std::size_t nFirst = s.find_first_not_of(" \t\n\v\f\r");
    return nFirst == std::string::npos ? std::string() : s.substr(nFirst);
}

}  // namespace

ImportPlan::ImportPlan(Catalogue& catalogue, int nUnratedRating)
    : m_catalogue(catalogue), m_nUnratedRating(nUnratedRating)
{
    m_summary.strUnratedWord = RatingToText(nUnratedRating);
    m_catalogue.BeginBatch();
}

ImportPlan::~ImportPlan() { Finish(); }

void ImportPlan::Finish()
{
    if (!m_bFinished) {
        m_catalogue.EndBatch();
        m_bFinished = true;
    }
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
    const std::string strKey = Utf8ToAnsi(strFrom);
    // The comment file is named after the title: a title that would climb
    // out of the comment folder (or hold a NUL) is refused before anything
    // is written, not after the archives.
    std::string strCommentPath;
    if (!CommentFilePath(m_catalogue.CommentDir(kSeenList), strKey, strCommentPath)) {
        throw InputRefused(film.strFile, film.nLine, "the title \"" + strFrom + "\" cannot name a comment file");
    }
    const std::string strShown = AnsiToUtf8(strKey);
    const int nList = film.list == TargetList::Seen ? kSeenList : kToSeeList;

    if (m_catalogue.Contains(kSeenList, strKey)) {
        m_summary.skipped.push_back({strShown, strSource, "already in the seen list"});
        CompleteMove(strKey);
        return;
    }
    const bool bInToSee = m_catalogue.Contains(kToSeeList, strKey);
    if (nList == kToSeeList && bInToSee) {
        m_summary.skipped.push_back({strShown, strSource, "already in the to-see list"});
        return;
    }
    if (strShown != strFrom) {
        m_summary.converted.push_back({strFrom, strShown});
    }

    // The film is made to fit its list.
    FilmEntry entry{strKey,
                    Utf8ToAnsi(film.strTitle),
                    Utf8ToAnsi(film.strCountry),
                    Utf8ToAnsi(film.strYear),
                    Utf8ToAnsi(film.strDirector),
                    Utf8ToAnsi(film.strCast),
                    kToSeeRating,
                    0};
    if (nList == kSeenList) {
        const bool bRated = film.rating && *film.rating != kToSeeRating;
        entry.nRating = bRated ? *film.rating : m_nUnratedRating;
        if (!bRated) {
            m_summary.unrated.push_back(strShown);
        }
        entry.nViewings = film.nViewings > 0 ? film.nViewings : 1;
        ++m_summary.nSeenAdded;
    } else {
        ++m_summary.nToSeeAdded;
    }
    if (CheckListRule(nList, entry.nRating, entry.nViewings) != ListRuleFault::None) {
        throw InputRefused(film.strFile, film.nLine, "the film does not fit its list");
    }
    const bool bMoved = m_catalogue.AddFilm(nList, std::move(entry));
    if (bMoved) {
        ++m_summary.nMoved;
    }

    // No note is lost: a comment file already in the list's folder (left
    // there by an earlier title) and, for a film that moves, its to-see
    // comment come first, the imported text after them, each after an
    // empty line. A film that brings no comment and moves none gets no file:
    // no file and an empty one show the same.
    // A to-see comment that cannot be read stays where it is.
    const std::string strImported = Utf8ToAnsi(film.strComment);
    std::string strMovedText;
    const bool bMovedRead = bMoved && m_catalogue.LoadComment(strKey, kToSeeList, strMovedText);
    if (strImported.empty() && strMovedText.empty() && !bMovedRead) {
        return;
    }
    std::string strText;
    m_catalogue.LoadComment(strKey, nList, strText);
    // A text the comment holds already is not added again: an import run
    // again after a kill finds its own texts there.
    const auto append = [&strText](const std::string& strMore) {
        if (!strMore.empty() && strText.find(strMore) == std::string::npos) {
            strText = strText.empty() ? strMore : strText + "\r\n\r\n" + strMore;
        }
    };
    append(strMovedText);
    append(strImported);
    m_comments.push_back({nList == kSeenList, strKey, std::move(strText), bMovedRead});
}

void ImportPlan::CompleteMove(const std::string& strKey)
{
    // A film already seen whose to-see comment is still there, its text in
    // the seen comment, and no film of its title to see: a move that a kill
    // cut short after the archives were written. Its old comment goes now.
    if (m_catalogue.Contains(kToSeeList, strKey)) {
        return;
    }
    std::string strToSee;
    std::string strSeen;
    if (m_catalogue.LoadComment(strKey, kToSeeList, strToSee) && !strToSee.empty() &&
        m_catalogue.LoadComment(strKey, kSeenList, strSeen) && strSeen.find(strToSee) != std::string::npos) {
        m_comments.push_back({true, strKey, std::string(), true});
    }
}

std::vector<std::string> ImportPlan::Commit()
{
    Finish();
    // The comments first, then the archives, then the moved films' old
    // comments: a kill at any point loses no note, and the same import run
    // again finishes the work.
    std::vector<std::string> failed;
    std::vector<const CommentWrite*> written;
    for (const CommentWrite& comment : m_comments) {
        const int nList = comment.bSeen ? kSeenList : kToSeeList;
        const std::string strDir = m_catalogue.CommentDir(nList);
        std::string strPath;
        if (!CommentFilePath(strDir, comment.strTitle, strPath)) {
            failed.push_back(strDir + "/" + AnsiToUtf8(comment.strTitle) + ".ctc: cannot be written");
            continue;
        }
        if (!comment.strText.empty()) {
            // A title with a '/' or '\' names a file in a subfolder.
            std::error_code ec;
            std::filesystem::create_directories(std::filesystem::path(strPath).parent_path(), ec);
            // The text holds whatever the file held when it was read; a file
            // changed since is never replaced.
            switch (m_catalogue.SaveComment(comment.strTitle, nList, comment.strText,
                                            [](const std::string&) { return false; })) {
            case Catalogue::SaveResult::Written:
                break;
            case Catalogue::SaveResult::Kept:
                failed.push_back(strPath + ": changed since it was read, not replaced");
                continue;
            case Catalogue::SaveResult::Failed:
            case Catalogue::SaveResult::Waiting:
                failed.push_back(strPath + ": cannot be written");
                continue;
            }
        }
        written.push_back(&comment);
    }
    // The old comments go with the save that writes the to-see archive
    // without their films; a save that fails leaves them.
    for (const CommentWrite* pComment : written) {
        if (pComment->bRemoveToSee) {
            m_catalogue.RemoveToSeeCommentOnSave(pComment->strTitle);
        }
    }
    const std::vector<std::string> archives = SaveCatalogueFolder(m_catalogue);
    failed.insert(failed.end(), archives.begin(), archives.end());
    return failed;
}
