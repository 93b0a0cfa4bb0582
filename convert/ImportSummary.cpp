#include "ImportSummary.h"

void PrintImportSummary(std::ostream& out, const ImportSummary& summary)
{
    out << "Seen list: " << summary.nSeenAdded << " added";
    if (summary.nMoved > 0) {
        out << " (" << summary.nMoved << " moved from the to-see list)";
    }
    out << "\nTo-see list: " << summary.nToSeeAdded << " added\n";
    out << "Skipped: " << summary.skipped.size() << "\n";
    for (const ImportSummary::Skipped& s : summary.skipped) {
        out << "  " << s.strTitle << " (" << s.strSource << "): " << s.strReason << "\n";
    }
    out << "Converted titles: " << summary.converted.size() << "\n";
    for (const ImportSummary::Converted& c : summary.converted) {
        out << "  " << c.strFrom << " -> " << c.strTo << "\n";
    }
    out << "Unrated, rated \"" << summary.strUnratedWord << "\": " << summary.unrated.size() << "\n";
    for (const std::string& strTitle : summary.unrated) {
        out << "  " << strTitle << "\n";
    }
    if (summary.bDryRun) {
        out << "Dry run: nothing was written.\n";
    }
}
