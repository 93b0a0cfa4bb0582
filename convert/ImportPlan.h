#pragma once

#include "CatalogueFolder.h"
#include "ImportSummary.h"
#include "IncomingFilm.h"

#include <string>
#include <vector>

// Applies imported films to a loaded catalogue by the catalogue's rules:
// texts into the code page, a film whose original title is already in the
// list it would go to is skipped, a to-see film imported as seen moves
// across with its comment. The lists change in memory at once; the comment
// files are only planned, and written by Commit.
class ImportPlan {
public:
    ImportPlan(CatalogueFolder& folder, int nUnratedRating);

    void Add(const IncomingFilm& film);
    const ImportSummary& Summary() const { return m_summary; }
    ImportSummary& Summary() { return m_summary; }
    bool HasChanges() const { return m_summary.nSeenAdded + m_summary.nToSeeAdded > 0; }

    // Writes both archives through the store, then each planned comment file
    // (the folders made as needed) and removes the to-see comments of the
    // films that moved. Returns the files that could not be written.
    std::vector<std::string> Commit() const;

private:
    struct CommentWrite {
        bool bSeen;
        std::string strTitle;  // code page
        std::string strText;   // code page
        bool bRemoveToSee;     // the film moved: its to-see comment goes
    };

    CatalogueFolder& m_folder;
    int m_nUnratedRating;
    ImportSummary m_summary;
    std::vector<CommentWrite> m_comments;
};
