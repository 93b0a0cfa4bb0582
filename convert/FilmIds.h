#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The side file ids.csv of a catalogue folder: what the sites said of each
// film an import took, which the archive has no place for. The window never
// reads it, and a missing or damaged copy stops nothing: the imports then
// match by title and year alone. UTF-8, one row a film:
//   list, original title, year, ids, rating on ten, date rated, watched date
// "ids" holds the film's ids separated by spaces: an IMDb id ("tt0000000"),
// a Letterboxd address ("https://boxd.it/..."), a TMDb id ("tmdb:123"), a
// Trakt id ("trakt:123").
// An empty rating on ten marks a seen film imported without a rating.
class FilmIds {
public:
    struct Row {
        bool bSeen = true;
        std::string strTitle;  // the original title as the archive keeps it, in UTF-8
        std::string strYear;   // UTF-8
        std::vector<std::string> ids;
        std::optional<int> points;
        std::string strDateRated;
        std::string strWatchedDate;
    };

    static constexpr const char* kFileName = "ids.csv";

    // Reads DIR/ids.csv. A file that cannot be read or parsed is set aside
    // as ids.csv.damaged when Save writes the new one; Problem() says why.
    void Load(const std::string& strDir);
    const std::string& Problem() const { return m_strProblem; }

    // The row of a film that carries one of `ids`; nullptr when none does.
    Row* FindById(const std::vector<std::string>& ids);
    // The row of the film of that list, title and year (UTF-8).
    Row* Find(bool bSeen, const std::string& strTitle, const std::string& strYear);
    const Row* Find(bool bSeen, const std::string& strTitle, const std::string& strYear) const;

    // Adds the row, or merges it into the row of the same film: ids
    // joined, the rating and dates replaced when the new row has them. A
    // row whose ids disagree with those of the film's row is a film of its
    // own of the same title and year, and is added.
    void Record(const Row& row);
    // The film moved to the other list.
    void Move(bool bFromSeen, const std::string& strTitle, const std::string& strYear);

    bool Changed() const { return m_bChanged; }
    // Replaces DIR/ids.csv atomically; false when it cannot be written.
    bool Save(const std::string& strDir) const;

private:
    void Index(std::size_t nRow);

    std::vector<Row> m_rows;
    std::map<std::string, std::size_t> m_byId;
    std::map<std::string, std::size_t> m_byFilm;  // list, title and year joined
    std::string m_strProblem;
    bool m_bDamaged = false;
    bool m_bChanged = false;
};

// The ids an incoming film carries, in the side file's spelling.
struct IncomingFilm;
std::vector<std::string> IdsOf(const IncomingFilm& film);
// True when the two carry different ids of one site: two films, whatever
// their titles and years say (a site may list two films of one name and year).
bool IdsDisagree(const std::vector<std::string>& a, const std::vector<std::string>& b);
