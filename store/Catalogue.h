#pragma once

#include "Archive.h"
#include "ArchiveHold.h"
#include "Film.h"
#include "FilmEntry.h"
#include "FilmList.h"
#include "FilmListBatch.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // Waiting: not tried, as the seen archive that must go first was not written.
    enum class SaveResult { Written, Kept, Failed, Waiting };
    // Writes one list to its archive under the folder's lock (FolderLock),
    // and only while the file is still the one this run holds or the user
    // agreed to replace: a change found under the lock is asked about again.
    SaveResult SaveArchive(int nList, const ReplaceQuestion& mayReplace);
    // Writes both archives; false when either could not be written. A list
    // whose archive was kept stays unsaved. When a film moved from the
    // to-see list since the last save, the to-see archive is written only
    // once the seen one was, so the film is never in neither.
    bool SaveArchives(const ReplaceQuestion& mayReplace);
    // SaveArchives with the result of each list, indexed by list.
    std::array<SaveResult, 2> SaveBothArchives(const ReplaceQuestion& mayReplace);
    // True when a film was added or changed since the lists were last read
    // or that list was last saved.
    bool HasUnsavedWork() const { return m_bSeenChanged || m_bToSeeChanged; }
    bool HasUnsavedWork(int nList) const { return nList == kSeenList ? m_bSeenChanged : m_bToSeeChanged; }

    // The comment of a film of a list: read (false when there is none or it
    // cannot be read), removed.
    bool LoadComment(const std::string& strOriginalTitle, int nList, std::string& strText);
    void DeleteComment(const std::string& strOriginalTitle, int nList) const;
    // Writes the comment. A comment file is replaced without a question only
    // when it is not there, is empty, or holds what this run last read from
    // it or wrote to it; otherwise `mayReplace` is asked with its path, and
    // a yes keeps its bytes as NAME.N first. Kept: the file was left.
    SaveResult SaveComment(const std::string& strOriginalTitle, int nList, const std::string& strText,
                           const ReplaceQuestion& mayReplace);
    // A film that moved to the seen list: its to-see comment file goes at the
    // next save that writes the to-see archive without the film (and not
    // when both lists share the one file).
    void RemoveToSeeCommentOnSave(const std::string& strOriginalTitle);

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
    // The same for the very film `which` of the list, for films of one
    // original title that the caller tells apart (by their years).
    bool UpdateFilm(int nList, const CFilm& which, FilmEntry film);

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
    // The to-see comments of moved films, once the to-see archive without
    // them is written.
    void RemoveMovedComments();

    ArchiveHold m_seenHold;
    ArchiveHold m_toSeeHold;
    bool m_bSeenChanged = false;
    bool m_bToSeeChanged = false;
    bool m_bMovedSinceSave = false;  // a film left the to-see list for the seen one
    std::vector<std::string> m_movedComments;
    // What this run last read from or wrote to each comment file, by path.
    std::unordered_map<std::string, std::size_t> m_commentHashes;

    // The batches of both lists while a batch is open.
    std::unique_ptr<FilmListBatch> m_pSeenBatch;
    std::unique_ptr<FilmListBatch> m_pToSeeBatch;
    FilmListBatch* Batch(int nList) const { return (nList == kSeenList ? m_pSeenBatch : m_pToSeeBatch).get(); }
};
