#pragma once

#include <ostream>
#include <string>
#include <vector>

// What an import did or, in a dry run, would do; printed on standard output.
struct ImportSummary {
    struct Skipped {
        std::string strTitle;  // UTF-8
        std::string strSource;
        std::string strReason;
    };
    struct Converted {
        std::string strFrom;      // the title as it came, UTF-8
        std::string strTo;        // the title as the archive keeps it, shown in UTF-8
        bool bFromTitle = false;  // taken from the film's Title, the original being mostly '?'
    };
    struct Shortened {
        std::string strTitle;  // UTF-8
        std::string strWhat;   // "director, 407 to 241 characters"
    };

    int nSeenAdded = 0;
    int nMoved = 0;  // of nSeenAdded, films that left the to-see list
    int nToSeeAdded = 0;
    int nDiaryRead = 0;                 // dated viewings the input brought
    int nDiaryAdded = 0;                // of them, rows the diary did not hold yet
    std::vector<std::string> notes;     // how the input was read
    std::vector<Skipped> leftOut;       // rows that are no film, with their type
    std::vector<Skipped> unknownTypes;  // taken as films
    std::vector<Skipped> skipped;
    std::vector<Converted> converted;
    std::vector<Shortened> shortened;
    std::vector<std::string> unrated;  // titles that took the default rating word
    std::string strUnratedWord;
    bool bDryRun = false;
};

void PrintImportSummary(std::ostream& out, const ImportSummary& summary);
