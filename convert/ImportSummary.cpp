#include "ImportSummary.h"

namespace {

void PrintRows(std::ostream& out, const char* pHeading, const std::vector<ImportSummary::Skipped>& rows)
{
    out << pHeading << ": " << rows.size() << "\n";
    for (const ImportSummary::Skipped& s : rows) {
        out << "  " << s.strTitle << " (" << s.strSource << "): " << s.strReason << "\n";
    }
}

}  // namespace

void PrintImportSummary(std::ostream& out, const ImportSummary& summary)
{
    for (const std::string& strNote : summary.notes) {
        out << strNote << "\n";
    }
    out << "Seen list: " << summary.nSeenAdded << " added";
    if (summary.nMoved > 0) {
        out << " (" << summary.nMoved << " moved from the to-see list)";
    }
    out << "\nTo-see list: " << summary.nToSeeAdded << " added\n";
    if (summary.nDiaryRead > 0) {
        out << "Diary: " << summary.nDiaryAdded << " dated viewings added";
        if (summary.nDiaryAdded < summary.nDiaryRead) {
            out << " (" << summary.nDiaryRead - summary.nDiaryAdded << " it held already)";
        }
        out << "\n";
    }
    // Nothing is said of what an import never meets, so the summaries of
    // files without such rows stay as they were.
    if (!summary.leftOut.empty()) {
        PrintRows(out, "Left out, not films", summary.leftOut);
    }
    if (!summary.unknownTypes.empty()) {
        PrintRows(out, "Taken, of a type not known", summary.unknownTypes);
    }
    PrintRows(out, "Skipped", summary.skipped);
    out << "Converted titles: " << summary.converted.size() << "\n";
    for (const ImportSummary::Converted& c : summary.converted) {
        out << "  " << c.strFrom << " -> " << c.strTo << (c.bFromTitle ? " (the title, not the original)" : "") << "\n";
    }
    if (!summary.shortened.empty()) {
        out << "Shortened to the archive's 253 characters: " << summary.shortened.size() << "\n";
        for (const ImportSummary::Shortened& s : summary.shortened) {
            out << "  " << s.strTitle << ": " << s.strWhat << "\n";
        }
    }
    out << "Unrated, rated \"" << summary.strUnratedWord << "\": " << summary.unrated.size() << "\n";
    for (const std::string& strTitle : summary.unrated) {
        out << "  " << strTitle << "\n";
    }
    if (summary.bDryRun) {
        out << "Dry run: nothing was written.\n";
    }
}
