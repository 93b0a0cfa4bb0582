#pragma once

#include "CatalogueFolder.h"
#include "FilmIds.h"
#include "ImportSummary.h"
#include "IncomingFilm.h"

#include <map>
#include <string>
#include <vector>

// Applies imported films to a loaded catalogue by the catalogue's rules:
// texts into the code page; a film already in the list it would go to is
// skipped, a to-see film imported as seen moves across with its comment.
// A film is the same as one of a list when both carry an id the side file
// ids.csv knows for it (looked for first, so a title the site changed since
// still matches), or when the original titles are equal and so are the
// years, an empty year matching any; films of one title and other years
// are all taken, and so are two films whose ids of one site differ. The lists change in memory at once; the comment
// files and the side file are only planned, and written by Commit.
class ImportPlan {
public:
    ImportPlan(CatalogueFolder& folder, int nUnratedRating);

    void Add(const IncomingFilm& film);
    const ImportSummary& Summary() const { return m_summary; }
    ImportSummary& Summary() { return m_summary; }
    bool HasChanges() const { return m_summary.nSeenAdded + m_summary.nToSeeAdded > 0 || m_ids.Changed(); }

    // Writes both archives through the store, then each planned comment file
    // (the folders made as needed), removes the to-see comments of the
    // films that moved, and writes the side file. Returns the files that
    // could not be written.
    std::vector<std::string> Commit() const;

private:
    struct CommentWrite {
        bool bSeen;
        std::string strTitle;       // code page
        std::string strText;        // code page
        bool bRemoveToSee;          // the film moved: its to-see comment goes
        std::string strToSeeTitle;  // its title there, code page
    };
    using TitleIndex = std::multimap<std::string, const CFilm*>;  // code-page original title

    const CFilm* FindSame(bool bSeen, const std::string& strKey, const std::string& strYear,
                          const std::vector<std::string>& ids) const;
    const CFilm* FindExact(bool bSeen, const std::string& strKey, const std::string& strYear) const;
    void Remember(bool bSeen, const CFilm& film, const IncomingFilm& incoming, bool bAdded);

    CatalogueFolder& m_folder;
    int m_nUnratedRating;
    ImportSummary m_summary;
    std::vector<CommentWrite> m_comments;
    FilmIds m_ids;
    TitleIndex m_seenIndex;
    TitleIndex m_toSeeIndex;
};
