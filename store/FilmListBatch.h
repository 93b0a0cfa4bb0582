#pragma once

#include "Film.h"
#include "FilmEntry.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Films added to and taken from one list in one go. Membership is answered
// from a count of the titles, and Apply puts the list together in one
// merge, so n films cost n log n instead of a walk of the list each. The
// list that comes out is exactly the one that InsertSorted and RemoveFilm,
// called in the same order, would give: a film goes before the films of its
// title already there, and a removal takes the first film of its title.
class FilmListBatch {
public:
    // pHead: the list as it stands; it must not change until Apply.
    explicit FilmListBatch(const CFilmNode* pHead);

    bool Contains(const std::string& strOriginalTitle) const;
    void Insert(FilmEntry film);
    // Takes the first film of the title off the list; false when none is there.
    bool RemoveFirst(const std::string& strOriginalTitle);

    // Applies every insertion and removal to the list pHead (the one given to
    // the constructor) and returns its new head; nCount changes with it.
    CFilmNode* Apply(CFilmNode* pHead, int& nCount);

private:
    struct Pending {
        FilmEntry film;
        bool bRemoved = false;
    };
    // Looks up a std::string key by a view, without a copy.
    struct TitleHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    template <typename Key, typename Value>
    using TitleMap = std::unordered_map<Key, Value, TitleHash, std::equal_to<>>;

    // Films of each title the list will hold; the keys view the titles of
    // the films of the list and of m_pending, which stay put until Apply.
    TitleMap<std::string_view, int> m_titles;
    // The films inserted, in order; a removed one is marked so.
    std::deque<Pending> m_pending;
    // The inserted films of each title still there, latest last: a removal
    // takes the latest, which stands first among them.
    TitleMap<std::string_view, std::vector<std::size_t>> m_pendingByTitle;
    // Films that stood in the list before, taken off from the front of their
    // title's run. Own keys: Apply frees the films as it goes.
    TitleMap<std::string, int> m_removedBefore;
};
