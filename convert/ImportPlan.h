#pragma once

#include "Catalogue.h"
#include "ImportSummary.h"
#include "IncomingFilm.h"

#include <string>
#include <vector>

// Applies imported films to a loaded catalogue by the catalogue's rules:
// texts into the code page, every film made to fit its list (a film to see
// is rated "De vazut" with no viewing, a seen film without a rating takes the
// unrated word and at least one viewing), a film whose original title is
// already in the list it would go to is skipped, a to-see film imported as
// seen moves across with its comment. The films are added as one batch,
// which Finish closes; the comment files are only planned, and written by
// Commit.
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
    bool HasChanges() const { return m_summary.nSeenAdded + m_summary.nToSeeAdded > 0 || !m_comments.empty(); }

    // Finishes, writes both archives through the store, then each planned
    // comment file (the folders made as needed) and removes the to-see
    // comments of the films that moved. Returns the files that could not be
    // written, each with why.
    std::vector<std::string> Commit();

private:
    // Finishes a move that a kill cut short (see Commit).
    void CompleteMove(const std::string& strKey);

    struct CommentWrite {
        bool bSeen;
        std::string strTitle;  // code page
        std::string strText;   // code page; empty: nothing to write
        bool bRemoveToSee;     // the film moved and its to-see comment was read: that file goes
    };

    Catalogue& m_catalogue;
    int m_nUnratedRating;
    bool m_bFinished = false;
    ImportSummary m_summary;
    std::vector<CommentWrite> m_comments;
};
