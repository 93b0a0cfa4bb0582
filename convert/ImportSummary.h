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
        std::string strFrom;  // the title as it came, UTF-8
        std::string strTo;    // the title as the archive keeps it, shown in UTF-8
    };

    int nSeenAdded = 0;
    int nMoved = 0;  // of nSeenAdded, films that left the to-see list
    int nToSeeAdded = 0;
    std::vector<Skipped> skipped;
    std::vector<Converted> converted;
    std::vector<std::string> unrated;  // titles that took the default rating word
    std::string strUnratedWord;
    bool bDryRun = false;
};

void PrintImportSummary(std::ostream& out, const ImportSummary& summary);
