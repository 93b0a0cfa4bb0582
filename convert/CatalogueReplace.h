#pragma once

#include "Catalogue.h"
#include "IncomingFilm.h"

#include <ostream>
#include <string>
#include <vector>

// "import csv --replace": the lists become exactly the file's rows, in its
// order, twins and remakes kept and every edited field applied; each film's
// comment file gets the text of its rows (those of one title joined after
// an empty line). Before the archives are replaced, each one there is kept
// as NAME.1 (the first free number), which nothing later touches. A comment
// file that is there but cannot be read, or that changes after it was read,
// is never written over; a comment of a film that left the lists stays
// where it is.
class CatalogueReplace {
public:
    CatalogueReplace(Catalogue& catalogue, int nUnratedRating);

    // Throws InputRefused for a row the archive cannot hold, before any change.
    void Plan(const std::vector<IncomingFilm>& films);
    // Returns the files that could not be written.
    std::vector<std::string> Commit();
    void PrintSummary(std::ostream& out, bool bDryRun) const;

private:
    struct CommentWrite {
        bool bSeen;
        std::string strTitle;  // code page
        std::string strText;   // code page
    };

    Catalogue& m_catalogue;
    int m_nUnratedRating;
    int m_nSeenBefore = 0;
    int m_nToSeeBefore = 0;
    std::vector<CommentWrite> m_comments;
    std::vector<std::string> m_keptComments;  // unreadable, left alone (UTF-8 paths)
    std::vector<std::string> m_shortened;
    std::vector<std::string> m_unrated;
};
