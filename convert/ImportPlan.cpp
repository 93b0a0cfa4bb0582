#include "ImportPlan.h"

#include "ArchiveText.h"
#include "CatalogueFolder.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FilmList.h"
#include "InputRefused.h"
#include "ListRule.h"
#include "Rating.h"
#include "RatingScale.h"

#include <algorithm>
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

bool YearsMatch(std::string_view a, std::string_view b) { return a.empty() || b.empty() || a == b; }

// The side file lives beside the archives.
std::string FolderOf(const Catalogue& catalogue)
{
    const std::filesystem::path folder = std::filesystem::path(catalogue.ArchivePath(kSeenList)).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

ImportPlan::ImportPlan(Catalogue& catalogue, int nUnratedRating)
    : m_catalogue(catalogue), m_nUnratedRating(nUnratedRating)
{
    m_summary.strUnratedWord = RatingToText(nUnratedRating);
    m_ids.Load(FolderOf(m_catalogue));
    if (!m_ids.Problem().empty()) {
        m_summary.notes.push_back(m_ids.Problem());
    }
    m_diary.Load(FolderOf(m_catalogue));
    if (!m_diary.Problem().empty()) {
        m_summary.notes.push_back(m_diary.Problem());
    }
    for (const CFilmNode* p = m_catalogue.m_pSeenList; p != nullptr; p = p->m_pNext) {
        m_seenIndex.emplace(std::string(p->m_pFilm->m_strOriginalTitle),
                            Known{std::string(p->m_pFilm->m_strYear), p->m_pFilm->m_nRating});
    }
    for (const CFilmNode* p = m_catalogue.m_pToSeeList; p != nullptr; p = p->m_pNext) {
        m_toSeeIndex.emplace(std::string(p->m_pFilm->m_strOriginalTitle),
                             Known{std::string(p->m_pFilm->m_strYear), p->m_pFilm->m_nRating});
    }
    m_catalogue.BeginBatch();
}

ImportPlan::~ImportPlan() { Finish(); }

void ImportPlan::Finish()
{
    if (!m_bFinished) {
        m_catalogue.EndBatch();
        m_summary.nDiaryRead = static_cast<int>(m_diaryRows.size());
        m_summary.nDiaryAdded = m_diary.Merge(m_diaryRows);
        m_bFinished = true;
    }
}

const ImportPlan::Known* ImportPlan::FindSame(bool bSeen, const std::string& strKey, const std::string& strYear,
                                              const std::vector<std::string>& ids) const
{
    const auto [first, last] = Index(bSeen).equal_range(strKey);
    for (auto it = first; it != last; ++it) {
        if (!YearsMatch(it->second.strYear, strYear)) continue;
        const FilmIds::Row* pRow = m_ids.Find(bSeen, AnsiToUtf8(strKey), AnsiToUtf8(it->second.strYear));
        if (pRow == nullptr || !IdsDisagree(pRow->ids, ids)) return &it->second;
    }
    return nullptr;
}

const ImportPlan::Known* ImportPlan::FindExact(bool bSeen, const std::string& strKey, const std::string& strYear) const
{
    const auto [first, last] = Index(bSeen).equal_range(strKey);
    for (auto it = first; it != last; ++it) {
        if (it->second.strYear == strYear) return &it->second;
    }
    return nullptr;
}

// Keeps what the site said of the film in the side file: its ids, and its
// rating as the site gave it (none for a seen film imported without one).
void ImportPlan::Remember(bool bSeen, const std::string& strKey, const Known& known, const IncomingFilm& incoming,
                          bool bAdded)
{
    FilmIds::Row row;
    row.bSeen = bSeen;
    row.strTitle = AnsiToUtf8(strKey);
    row.strYear = AnsiToUtf8(known.strYear);
    row.ids = IdsOf(incoming);
    row.points = incoming.sitePoints;
    row.strDateRated = incoming.strDateRated;
    row.strWatchedDate = incoming.strWatchedDate;
    const bool bKnown = m_ids.Find(bSeen, row.strTitle, row.strYear) != nullptr;
    if (!bAdded && !bKnown && !row.points) {
        // A film of the catalogue that the site has no rating for: its word
        // is the user's own, so the side file gives back that word's points.
        row.points = TenPointsFromRating(known.nRating);
    }
    const bool bImportedUnrated = bAdded && bSeen && !incoming.rating;
    if (!row.ids.empty() || row.points || bImportedUnrated || bKnown) {
        m_ids.Record(row);
    }
}

void ImportPlan::LogViewings(bool bSeen, const std::string& strKey, const std::string& strYear,
                             const IncomingFilm& incoming)
{
    for (const IncomingViewing& viewing : incoming.viewings) {
        m_diaryRows.push_back({bSeen, AnsiToUtf8(strKey), AnsiToUtf8(strYear), viewing.strDate, viewing.bRewatch,
                               incoming.strDiarySource});
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
    IncomingFilm trimmed = film;
    trimmed.strOriginalTitle = strFrom;
    ArchiveTexts texts = ToArchiveTexts(trimmed);
    const std::string strKey = texts.strOriginalTitle;
    // The comment file is named after the title: a title that would climb
    // out of the comment folder (or hold a NUL) is refused before anything
    // is written, not after the archives.
    std::string strCommentPath;
    if (!CommentFilePath(m_catalogue.CommentDir(kSeenList), strKey, strCommentPath)) {
        throw InputRefused(film.strFile, film.nLine, "the title \"" + strFrom + "\" cannot name a comment file");
    }
    const std::string strShown = AnsiToUtf8(strKey);
    const int nList = film.list == TargetList::Seen ? kSeenList : kToSeeList;
    const std::vector<std::string> ids = IdsOf(film);

    // The same film: by an id the side file knows, else by title and year.
    const Known* pInSeen = nullptr;
    const Known* pInToSee = nullptr;
    std::string strMatchedTitle = strKey;
    if (const FilmIds::Row* pRow = m_ids.FindById(ids)) {
        const std::string strKnownTitle = Utf8ToAnsi(pRow->strTitle);
        const Known* pKnown = FindExact(pRow->bSeen, strKnownTitle, Utf8ToAnsi(pRow->strYear));
        if (pKnown != nullptr) {
            (pRow->bSeen ? pInSeen : pInToSee) = pKnown;
            strMatchedTitle = strKnownTitle;
        }
    }
    if (pInSeen == nullptr && pInToSee == nullptr) {
        pInSeen = FindSame(true, strKey, texts.strYear, ids);
        pInToSee = pInSeen == nullptr ? FindSame(false, strKey, texts.strYear, ids) : nullptr;
    }
    if (pInSeen != nullptr) {
        Remember(true, strMatchedTitle, *pInSeen, film, false);
        LogViewings(true, strMatchedTitle, pInSeen->strYear, film);
        m_summary.skipped.push_back({strShown, strSource, "already in the seen list"});
        CompleteMove(strMatchedTitle);
        return;
    }
    if (nList == kToSeeList && pInToSee != nullptr) {
        Remember(false, strMatchedTitle, *pInToSee, film, false);
        LogViewings(false, strMatchedTitle, pInToSee->strYear, film);
        m_summary.skipped.push_back({strShown, strSource, "already in the to-see list"});
        return;
    }
    if (strShown != strFrom) {
        m_summary.converted.push_back({strFrom, strShown, texts.bOriginalFromTitle});
    }
    for (const std::string& strWhat : texts.shortened) {
        m_summary.shortened.push_back({strShown, strWhat});
    }

    // The film is made to fit its list.
    FilmEntry entry{strKey,
                    std::move(texts.strTitle),
                    std::move(texts.strCountry),
                    texts.strYear,
                    std::move(texts.strDirector),
                    std::move(texts.strCast),
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
    // A film that moves leaves the to-see list as the film it was matched
    // with. The store takes the first of that title, so where the to-see
    // list holds several of it the film to see stays, rather than another.
    std::string strLeavesToSee;
    if (nList == kSeenList && pInToSee != nullptr) {
        if (m_toSeeIndex.count(strMatchedTitle) == 1) {
            strLeavesToSee = strMatchedTitle;
        } else {
            m_summary.skipped.push_back(
                {AnsiToUtf8(strMatchedTitle), strSource, "seen now, left in the to-see list beside its namesakes"});
        }
    }
    const Known added{entry.strYear, entry.nRating};
    const bool bMoved = m_catalogue.AddFilm(nList, std::move(entry), strLeavesToSee);
    if (bMoved) {
        ++m_summary.nMoved;
        const auto it = m_toSeeIndex.find(strLeavesToSee);
        m_ids.Move(false, AnsiToUtf8(strLeavesToSee), AnsiToUtf8(it->second.strYear));
        m_diary.Move(false, AnsiToUtf8(strLeavesToSee), AnsiToUtf8(it->second.strYear));
        m_toSeeIndex.erase(it);
    }
    Index(nList == kSeenList).emplace(strKey, added);
    Remember(nList == kSeenList, strKey, added, film, true);
    LogViewings(nList == kSeenList, strKey, added.strYear, film);

    // No note is lost: a comment file already in the list's folder (left
    // there by an earlier title) and, for a film that moves, its to-see
    // comment come first, the imported text after them, each after an
    // empty line. A film that brings no comment and moves none gets no file:
    // no file and an empty one show the same. A to-see comment that cannot
    // be read stays where it is. Films of one title share its comment file:
    // a second one of this import adds its text to the write planned for
    // the first.
    const std::string strImported = Utf8ToAnsi(film.strComment);
    std::string strMovedText;
    const bool bMovedRead = bMoved && m_catalogue.LoadComment(strLeavesToSee, kToSeeList, strMovedText);
    if (strImported.empty() && strMovedText.empty() && !bMovedRead) {
        return;
    }
    const auto planned = std::find_if(m_comments.begin(), m_comments.end(), [&](const CommentWrite& c) {
        return c.bSeen == (nList == kSeenList) && c.strTitle == strKey;
    });
    std::string strText;
    if (planned != m_comments.end()) {
        strText = planned->strText;
    } else {
        m_catalogue.LoadComment(strKey, nList, strText);
    }
    // A text the comment holds already is not added again: an import run
    // again after a kill finds its own texts there.
    const auto append = [&strText](const std::string& strMore) {
        if (!strMore.empty() && strText.find(strMore) == std::string::npos) {
            strText = strText.empty() ? strMore : strText + "\r\n\r\n" + strMore;
        }
    };
    append(strMovedText);
    append(strImported);
    const std::string strToSeeTitle = bMovedRead ? strLeavesToSee : std::string();
    if (planned == m_comments.end()) {
        m_comments.push_back({nList == kSeenList, strKey, std::move(strText), strToSeeTitle});
    } else {
        planned->strText = std::move(strText);
        if (planned->strToSeeTitle.empty()) planned->strToSeeTitle = strToSeeTitle;
    }
}

void ImportPlan::CompleteMove(const std::string& strKey)
{
    // A film already seen whose to-see comment is still there, its text in
    // the seen comment, and no film of its title to see: a move that a kill
    // cut short after the archives were written. Its old comment goes now.
    if (m_toSeeIndex.contains(strKey)) {
        return;
    }
    std::string strToSee;
    std::string strSeen;
    if (m_catalogue.LoadComment(strKey, kToSeeList, strToSee) && !strToSee.empty() &&
        m_catalogue.LoadComment(strKey, kSeenList, strSeen) && strSeen.find(strToSee) != std::string::npos) {
        m_comments.push_back({true, strKey, std::string(), strKey});
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
        // The text holds whatever the file held when it was read.
        if (!comment.strText.empty()) {
            const std::string strFailure = SaveImportedComment(m_catalogue, comment.bSeen ? kSeenList : kToSeeList,
                                                               comment.strTitle, comment.strText);
            if (!strFailure.empty()) {
                failed.push_back(strFailure);
                continue;
            }
        }
        written.push_back(&comment);
    }
    // The old comments go with the save that writes the to-see archive
    // without their films; a save that fails leaves them.
    for (const CommentWrite* pComment : written) {
        if (!pComment->strToSeeTitle.empty()) {
            m_catalogue.RemoveToSeeCommentOnSave(pComment->strToSeeTitle);
        }
    }
    const std::vector<std::string> archives = SaveCatalogueFolder(m_catalogue);
    failed.insert(failed.end(), archives.begin(), archives.end());
    // The side file last: it names films the archives now hold.
    if (archives.empty() && m_ids.Changed() && !m_ids.Save(FolderOf(m_catalogue))) {
        failed.push_back(FolderOf(m_catalogue) + "/" + FilmIds::kFileName + ": cannot be written");
    }
    if (archives.empty() && m_diary.Changed() && !m_diary.Save(FolderOf(m_catalogue))) {
        failed.push_back(FolderOf(m_catalogue) + "/" + Diary::kFileName + ": cannot be written");
    }
    return failed;
}
