#pragma once

#include <string>
#include <vector>

// The watch log diary.csv of a catalogue folder: one row a dated viewing,
// which the archive has no place for. The window never reads it; it never
// changes the archives, and a missing or damaged diary stops nothing. A
// film's number of viewings stays the archive's; viewings without a date
// have no row. UTF-8 with a header, one row a viewing:
//   list, original title, year, date, rewatch, source
// "date" is YYYY-MM-DD, "rewatch" 0 or 1, "source" who logged the viewing
// ("letterboxd", "trakt", "watched").
class Diary {
public:
    struct Row {
        bool bSeen = true;
        std::string strTitle;  // the original title as the archive keeps it, in UTF-8
        std::string strYear;   // UTF-8
        std::string strDate;   // YYYY-MM-DD
        bool bRewatch = false;
        std::string strSource;

        bool operator==(const Row&) const = default;
    };

    static constexpr const char* kFileName = "diary.csv";

    // Reads DIR/diary.csv. A file that cannot be parsed at all is set aside
    // under a free name (diary.csv.damaged, then .damaged.1, ...) when Save
    // writes the new one, and Problem() says why. A row that cannot be
    // understood is left out of Rows(), kept as it stands for Save, and
    // named in Faults().
    void Load(const std::string& strDir);
    const std::string& Problem() const { return m_strProblem; }
    const std::vector<std::string>& Faults() const { return m_faults; }
    const std::vector<Row>& Rows() const { return m_rows; }

    // The rows of one import: a viewing the diary holds already, as many
    // times as the import brings it, is not added again, so the same export
    // imported twice adds nothing. Returns how many were added.
    int Merge(const std::vector<Row>& rows);
    // One viewing logged by hand: always added.
    void Add(const Row& row);
    // The film moved to the other list: its rows follow it.
    void Move(bool bFromSeen, const std::string& strTitle, const std::string& strYear);

    bool Changed() const { return m_bChanged; }
    // Replaces DIR/diary.csv atomically, the rows in order of date; false
    // when it cannot be written.
    bool Save(const std::string& strDir) const;

private:
    std::vector<Row> m_rows;
    std::vector<std::vector<std::string>> m_kept;  // rows not understood, written back as they stand
    std::vector<std::string> m_faults;
    std::string m_strProblem;
    bool m_bDamaged = false;
    bool m_bChanged = false;
};

// True for a real day written YYYY-MM-DD (leap years counted).
bool IsDiaryDate(const std::string& strDate);
// The day of an ISO 8601 time stamp ("2024-03-01T21:05:00.000Z" gives
// "2024-03-01"); empty when it does not start with one.
std::string DiaryDateOf(const std::string& strStamp);
