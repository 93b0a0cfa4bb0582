#include "ImportPlan.h"

#include "ArchiveText.h"
#include "CodePage.h"
#include "CommentFile.h"
#include "FilmList.h"
#include "InputRefused.h"
#include "Rating.h"
#include "RatingScale.h"

#include <algorithm>
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

bool YearsMatch(std::string_view a, std::string_view b) { return a.empty() || b.empty() || a == b; }

}  // namespace

ImportPlan::ImportPlan(CatalogueFolder& folder, int nUnratedRating) : m_folder(folder), m_nUnratedRating(nUnratedRating)
{
    m_summary.strUnratedWord = RatingToText(nUnratedRating);
    m_ids.Load(m_folder.Dir());
    if (!m_ids.Problem().empty()) {
        m_summary.notes.push_back(m_ids.Problem());
    }
    for (const CFilmNode* p = m_folder.m_pSeen; p != nullptr; p = p->m_pNext) {
        m_seenIndex.emplace(std::string(p->m_pFilm->m_strOriginalTitle), p->m_pFilm);
    }
    for (const CFilmNode* p = m_folder.m_pToSee; p != nullptr; p = p->m_pNext) {
        m_toSeeIndex.emplace(std::string(p->m_pFilm->m_strOriginalTitle), p->m_pFilm);
    }
}

const CFilm* ImportPlan::FindSame(bool bSeen, const std::string& strKey, const std::string& strYear,
                                  const std::vector<std::string>& ids) const
{
    const auto [first, last] = (bSeen ? m_seenIndex : m_toSeeIndex).equal_range(strKey);
    for (auto it = first; it != last; ++it) {
        const CFilm& film = *it->second;
        if (!YearsMatch(film.m_strYear, strYear)) continue;
        const FilmIds::Row* pRow = m_ids.Find(bSeen, AnsiToUtf8(film.m_strOriginalTitle), AnsiToUtf8(film.m_strYear));
        if (pRow == nullptr || !IdsDisagree(pRow->ids, ids)) return &film;
    }
    return nullptr;
}

const CFilm* ImportPlan::FindExact(bool bSeen, const std::string& strKey, const std::string& strYear) const
{
    const auto [first, last] = (bSeen ? m_seenIndex : m_toSeeIndex).equal_range(strKey);
    for (auto it = first; it != last; ++it) {
        if (it->second->m_strYear == strYear) return it->second;
    }
    return nullptr;
}

// Keeps what the site said of the film in the side file: its ids, and its
// rating as the site gave it (none for a seen film without one).
void ImportPlan::Remember(bool bSeen, const CFilm& film, const IncomingFilm& incoming, bool bAdded)
{
    FilmIds::Row row;
    row.bSeen = bSeen;
    row.strTitle = AnsiToUtf8(film.m_strOriginalTitle);
    row.strYear = AnsiToUtf8(film.m_strYear);
    row.ids = IdsOf(incoming);
    row.points = incoming.sitePoints;
    row.strDateRated = incoming.strDateRated;
    row.strWatchedDate = incoming.strWatchedDate;
    const bool bKnown = m_ids.Find(bSeen, row.strTitle, row.strYear) != nullptr;
    if (!bAdded && !bKnown && !row.points) {
        // A film of the catalogue that the site has no rating for: its word
        // is the user's own, so the side file gives back that word's points.
        row.points = TenPointsFromRating(film.m_nRating);
    }
    const bool bImportedUnrated = bAdded && bSeen && !incoming.rating;
    if (!row.ids.empty() || row.points || bImportedUnrated || bKnown) {
        m_ids.Record(row);
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

    // The same film: by an id the side file knows, else by title and year.
    const CFilm* pInSeen = nullptr;
    const CFilm* pInToSee = nullptr;
    if (const FilmIds::Row* pRow = m_ids.FindById(IdsOf(film))) {
        const CFilm* pKnown = FindExact(pRow->bSeen, Utf8ToAnsi(pRow->strTitle), Utf8ToAnsi(pRow->strYear));
        (pRow->bSeen ? pInSeen : pInToSee) = pKnown;
    }
    if (pInSeen == nullptr && pInToSee == nullptr) {
        pInSeen = FindSame(true, strKey, texts.strYear, IdsOf(film));
        pInToSee = pInSeen == nullptr ? FindSame(false, strKey, texts.strYear, IdsOf(film)) : nullptr;
    }
    if (pInSeen != nullptr) {
        Remember(true, *pInSeen, film, false);
        m_summary.skipped.push_back({strShown, strSource, "already in the seen list"});
        return;
    }
    if (!bSeen && pInToSee != nullptr) {
        Remember(false, *pInToSee, film, false);
        m_summary.skipped.push_back({strShown, strSource, "already in the to-see list"});
        return;
    }
    if (strShown != strFrom) {
        m_summary.converted.push_back({strFrom, strShown, texts.bOriginalFromTitle});
    }
    for (const std::string& strWhat : texts.shortened) {
        m_summary.shortened.push_back({strShown, strWhat});
    }

    // No note is lost: a comment file already in the list's folder (left
    // there by an earlier title) and, for a film that moves, its to-see
    // comment come first, the imported text after them, each after an
    // empty line. Films of one title share its comment file: a second one
    // of this import adds its text to the write planned for the first.
    const auto planned = std::find_if(m_comments.begin(), m_comments.end(),
                                      [&](const CommentWrite& c) { return c.bSeen == bSeen && c.strTitle == strKey; });
    const std::string& strDir = bSeen ? m_folder.SeenComments() : m_folder.ToSeeComments();
    std::string strText = planned != m_comments.end() ? planned->strText : ReadComment(strDir, strKey);
    const auto append = [&strText](const std::string& strMore) {
        if (!strMore.empty()) {
            strText = strText.empty() ? strMore : strText + "\r\n\r\n" + strMore;
        }
    };
    std::string strToSeeTitle;
    if (bSeen && pInToSee != nullptr) {
        strToSeeTitle = pInToSee->m_strOriginalTitle;
        const std::string strToSeeYear(pInToSee->m_strYear);
        append(ReadComment(m_folder.ToSeeComments(), strToSeeTitle));
        m_ids.Move(false, AnsiToUtf8(strToSeeTitle), AnsiToUtf8(strToSeeYear));
        for (auto it = m_toSeeIndex.lower_bound(strToSeeTitle); it != m_toSeeIndex.end(); ++it) {
            if (it->second == pInToSee) {
                m_toSeeIndex.erase(it);
                break;
            }
        }
        m_folder.m_pToSee = RemoveNode(m_folder.m_pToSee, pInToSee);
        --m_folder.m_nToSeeCount;
        ++m_summary.nMoved;
    }
    append(Utf8ToAnsi(film.strComment));
    if (planned == m_comments.end()) {
        m_comments.push_back({bSeen, strKey, std::move(strText), !strToSeeTitle.empty(), strToSeeTitle});
    } else {
        planned->strText = std::move(strText);
        if (!strToSeeTitle.empty()) {
            // Only one to-see comment can go with it; a second stays where it is.
            if (!planned->bRemoveToSee) planned->strToSeeTitle = strToSeeTitle;
            planned->bRemoveToSee = true;
        }
    }

    int nRating = kToSee;
    int nViewings = 0;
    CFilmNode** ppHead = bSeen ? &m_folder.m_pSeen : &m_folder.m_pToSee;
    if (bSeen) {
        nRating = film.rating.value_or(m_nUnratedRating);
        if (!film.rating) {
            m_summary.unrated.push_back(strShown);
        }
        nViewings = film.nViewings;
        ++m_folder.m_nSeenCount;
        ++m_summary.nSeenAdded;
    } else {
        nRating = film.rating.value_or(kToSee);
        nViewings = film.nViewings;
        ++m_folder.m_nToSeeCount;
        ++m_summary.nToSeeAdded;
    }
    *ppHead = InsertSorted(*ppHead, strKey, texts.strTitle, texts.strCountry, texts.strYear, texts.strDirector,
                           texts.strCast, nRating, nViewings);
    // The new film is the first of its equals: loading puts a film before them.
    const CFilm* pAdded = nullptr;
    for (const CFilmNode* p = *ppHead; p != nullptr && pAdded == nullptr; p = p->m_pNext) {
        if (p->m_pFilm->m_strOriginalTitle == strKey) pAdded = p->m_pFilm;
    }
    (bSeen ? m_seenIndex : m_toSeeIndex).emplace(strKey, pAdded);
    Remember(bSeen, *pAdded, film, true);
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
            RemoveCommentFile(m_folder.ToSeeComments(), comment.strToSeeTitle);
        }
    }
    if (m_ids.Changed() && !m_ids.Save(m_folder.Dir())) {
        failed.push_back(m_folder.Dir() + "/" + FilmIds::kFileName);
    }
    return failed;
}
