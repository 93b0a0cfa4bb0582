#pragma once

#include "Catalogue.h"
#include "Diary.h"
#include "FilmIds.h"
#include "ImportSummary.h"
#include "IncomingFilm.h"

#include <map>
#include <string>
#include <vector>

// Applies imported films to a loaded catalogue by the catalogue's rules:
// texts into the code page (at most 253 characters a line), every film made
// to fit its list (a film to see is rated "De vazut" with no viewing, a seen
// film without a rating takes the unrated word and at least one viewing), a
// film already in the list it would go to is skipped, a to-see film imported
// as seen moves across with its comment.
// A film is the same as one of a list when both carry an id the side file
// ids.csv knows for it (looked for first, so a title the site changed since
// still matches), or when the original titles are equal and so are the
// years, an empty year matching any; films of one title and other years are
// all taken, and so are two whose ids of one site differ.
// The dated viewings a film brings become rows of the diary under the film
// of the catalogue it is (added or already there).
// The films are added as one batch, which Finish closes; the comment files,
// the side file and the diary are only planned, and written by Commit.
class ImportPlan {
public:
    ImportPlan(Catalogue& catalogue, int nUnratedRating);
    ~ImportPlan();
    ImportPlan(const ImportPlan&) = delete;
    ImportPlan& operator=(const ImportPlan&) = delete;

    void Add(const IncomingFilm& film);
    // Puts the films added into the lists; Add may not follow.
    void Finish();
    const ImportSummary& Summary() const { return m_summary; }
    ImportSummary& Summary() { return m_summary; }
    bool HasChanges() const
    {
        return m_summary.nSeenAdded + m_summary.nToSeeAdded > 0 || !m_comments.empty() || m_ids.Changed() ||
               m_diary.Changed();
    }

    // Finishes, writes each planned comment file (the folders made as
    // needed), both archives through the store (which removes the to-see
    // comments of the films that moved), the side file and the diary. Returns the
    // files that could not be written, each with why.
    std::vector<std::string> Commit();

private:
    // Finishes a move that a kill cut short (see Commit).
    void CompleteMove(const std::string& strKey);

    struct CommentWrite {
        bool bSeen;
        std::string strTitle;       // code page
        std::string strText;        // code page; empty: nothing to write
        std::string strToSeeTitle;  // the film moved and its to-see comment was read: that file goes
    };
    // A film of a list as the matching sees it, code page.
    struct Known {
        std::string strYear;
        int nRating;
    };
    using TitleIndex = std::multimap<std::string, Known>;  // by original title

    TitleIndex& Index(bool bSeen) { return bSeen ? m_seenIndex : m_toSeeIndex; }
    const TitleIndex& Index(bool bSeen) const { return bSeen ? m_seenIndex : m_toSeeIndex; }
    // The film of the list that is the same as one titled strKey of that year and those ids.
    const Known* FindSame(bool bSeen, const std::string& strKey, const std::string& strYear,
                          const std::vector<std::string>& ids) const;
    const Known* FindExact(bool bSeen, const std::string& strKey, const std::string& strYear) const;
    void Remember(bool bSeen, const std::string& strKey, const Known& known, const IncomingFilm& incoming, bool bAdded);
    // Plans the diary rows of the film's dated viewings, under the film of that list, title and year.
    void LogViewings(bool bSeen, const std::string& strKey, const std::string& strYear, const IncomingFilm& incoming);

    Catalogue& m_catalogue;
    int m_nUnratedRating;
    bool m_bFinished = false;
    ImportSummary m_summary;
    std::vector<CommentWrite> m_comments;
    FilmIds m_ids;
    Diary m_diary;
    std::vector<Diary::Row> m_diaryRows;  // this import's, merged by Finish
    TitleIndex m_seenIndex;
    TitleIndex m_toSeeIndex;
};
