#pragma once

#include "Archive.h"
#include "ArchiveHold.h"
#include "Film.h"
#include "FilmEntry.h"
#include "FilmList.h"
#include "FilmListBatch.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The catalogue a run works on: both lists and their counts, the largest
// number of viewings, the four paths in use, what this run holds of each
// archive, and which lists changed since they were read or saved. The window
// shows it and the companion edits it; both go through the same rules.
class Catalogue {
public:
    static constexpr int kPathSize = 255;  // a path holds at most 254 bytes

    Catalogue();
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    CFilmNode* m_pToSeeList = nullptr;
    CFilmNode* m_pSeenList = nullptr;
    int m_nSeenCount = 0;
    int m_nToSeeCount = 0;
    int m_nMaxViewings = 0;

    char m_szToSeeFile[kPathSize] = {};
    char m_szSeenFile[kPathSize] = {};
    char m_szToSeeCommentsDir[kPathSize] = {};
    char m_szSeenCommentsDir[kPathSize] = {};

    // Copies a path into one of the fixed path buffers; false, with the
    // buffer unchanged, when it does not fit.
    static bool StorePath(char (&buffer)[kPathSize], const std::string& strPath);
    // The four paths of a data folder: filme.cta, tosee.cta, comments/tosee
    // and comments/filme under strData. False when one does not fit.
    bool UseDataFolder(const std::string& strData);
    // The paths chosen for the archives and comment folders from now on; the
    // lists stay as they are. An archive path that now names another file is
    // not held: Save asks before it takes that file's place. False when a
    // path does not fit; it is then left as it was.
    bool SetActivePaths(const std::string& strSeenFile, const std::string& strToSeeFile,
                        const std::string& strToSeeCommentsDir, const std::string& strSeenCommentsDir);
    // The list's archive or comment folder (kSeenList or kToSeeList).
    const char* ArchivePath(int nList) const { return nList == kSeenList ? m_szSeenFile : m_szToSeeFile; }
    std::string CommentDir(int nList) const;

    // Frees both lists, then reads the seen archive and, when it read, the
    // to-see one. Both lists are held as read, nothing is unsaved.
    ArchiveReadResult LoadArchives();
    // Reads one archive in place of its list; `pContents` receives what the
    // read saw of the file (its lists are not given away).
    ArchiveReadResult LoadArchive(int nList, ArchiveContents* pSeen = nullptr);
    // Frees both lists.
    void Clear();

    // Asked before an archive that this run does not hold is replaced: true
    // lets the save go on (the file's bytes are first kept as NAME.N).
    using ReplaceQuestion = std::function<bool(const std::string& strPath)>;
    enum class SaveResult { Written, Kept, Failed };
    // Writes one list to its archive.
    SaveResult SaveArchive(int nList, const ReplaceQuestion& mayReplace);
    // Writes both archives; false when either could not be written. A list
    // whose archive was kept stays unsaved.
    bool SaveArchives(const ReplaceQuestion& mayReplace);
    // True when a film was added or changed since the lists were last read
    // or that list was last saved.
    bool HasUnsavedWork() const { return m_bSeenChanged || m_bToSeeChanged; }
    bool HasUnsavedWork(int nList) const { return nList == kSeenList ? m_bSeenChanged : m_bToSeeChanged; }

    // The comment of a film of a list: read (false when there is none or it
    // cannot be read), written (false when it cannot be), removed.
    bool LoadComment(const std::string& strOriginalTitle, int nList, std::string& strText) const;
    bool SaveComment(const std::string& strOriginalTitle, int nList, const std::string& strText) const;
    void DeleteComment(const std::string& strOriginalTitle, int nList) const;
    // The comment of a film that left the to-see list for the seen one: the
    // seen comment is written first, and the to-see file goes only once that
    // has worked (and not when both lists share the one file). False when the
    // seen comment could not be written.
    bool MoveComment(const std::string& strOriginalTitle, const std::string& strText) const;

    // True when the list holds a film of that original title.
    bool Contains(int nList, const std::string& strOriginalTitle) const;
    // Adds a film to a list, which the caller has checked it fits
    // (CheckListRule). A film added to the seen list takes the first film of
    // its original title off the to-see list: true when one was taken.
    bool AddFilm(int nList, FilmEntry film);
    // The same for an import, which decides itself which films are the same:
    // the first to-see film titled strLeavesToSee goes (none when empty), the
    // new film's own title notwithstanding. True when one was taken.
    bool AddFilm(int nList, FilmEntry film, const std::string& strLeavesToSee);
    // The list that holds a film of that original title, the seen list first;
    // -1 when neither does.
    int FindListOf(const std::string& strOriginalTitle) const;
    // The first film of the list titled strKey takes every value of `film`,
    // its original title included, and keeps its place. False when there is
    // no such film.
    bool UpdateFilm(int nList, const std::string& strKey, FilmEntry film);

    // Many films added in one go (an import): between BeginBatch and
    // EndBatch, Contains and AddFilm answer from an index of the titles and
    // the lists are put together in one merge at the end, in exactly the
    // order that adding one film at a time gives.
    void BeginBatch();
    void EndBatch();

    // The lists as text, one line a list and one a film, head first:
    // "seen COUNT", "seen[I]: ORIGINAL | TITLE | COUNTRY | YEAR | DIRECTOR |
    // CAST | RATING | VIEWINGS" (the rating code), then "tosee" the same way;
    // each text passed through `escape`.
    using TextEscape = std::function<std::string(std::string_view)>;
    std::vector<std::string> DumpLists(const TextEscape& escape) const;
    // The four paths: "seen-file", "tosee-file", "seen-comments",
    // "tosee-comments", each followed by its path passed through `escape`.
    std::vector<std::string> DumpPaths(const TextEscape& escape) const;

private:
    CFilmNode*& Head(int nList) { return nList == kSeenList ? m_pSeenList : m_pToSeeList; }
    int& Count(int nList) { return nList == kSeenList ? m_nSeenCount : m_nToSeeCount; }
    ArchiveHold& Hold(int nList) { return nList == kSeenList ? m_seenHold : m_toSeeHold; }
    bool& Changed(int nList) { return nList == kSeenList ? m_bSeenChanged : m_bToSeeChanged; }
    // Takes the first film of that title off the list; false when none is there.
    bool RemoveFirst(int nList, const std::string& strOriginalTitle);

    ArchiveHold m_seenHold;
    ArchiveHold m_toSeeHold;
    bool m_bSeenChanged = false;
    bool m_bToSeeChanged = false;

    // The batches of both lists while a batch is open.
    std::unique_ptr<FilmListBatch> m_pSeenBatch;
    std::unique_ptr<FilmListBatch> m_pToSeeBatch;
    FilmListBatch* Batch(int nList) const { return (nList == kSeenList ? m_pSeenBatch : m_pToSeeBatch).get(); }
};
