#pragma once

#include "Film.h"

#include <string>
#include <vector>

// A folder laid out as a catalogue: filme.cta, tosee.cta, comments/filme/,
// comments/tosee/. Holds both lists in memory, loaded through the store's
// reader and written back through its writer.
class CatalogueFolder {
public:
    explicit CatalogueFolder(std::string strDir);
    ~CatalogueFolder();
    CatalogueFolder(const CatalogueFolder&) = delete;
    CatalogueFolder& operator=(const CatalogueFolder&) = delete;

    // Reads both archives. An archive that is not there is an empty list;
    // one that is there but does not read whole (it cannot be opened, its
    // header or a record is bad, or bytes follow its last record) is
    // refused with InputRefused naming the file, the line and what was
    // expected there, so that no write ever replaces it with the part read.
    // With bRequireOne, a folder holding neither archive is refused too.
    void Load(bool bRequireOne);

    const std::string& Dir() const { return m_strDir; }
    std::string SeenArchive() const { return m_strDir + "/filme.cta"; }
    std::string ToSeeArchive() const { return m_strDir + "/tosee.cta"; }
    std::string SeenComments() const { return m_strDir + "/comments/filme"; }
    std::string ToSeeComments() const { return m_strDir + "/comments/tosee"; }

    CFilmNode* m_pSeen = nullptr;
    CFilmNode* m_pToSee = nullptr;
    int m_nSeenCount = 0;
    int m_nToSeeCount = 0;

    // Writes both archives (atomic replace, NAME~ kept), creating the folder
    // when it is missing. Returns the paths that could not be written.
    std::vector<std::string> SaveArchives() const;

private:
    std::string m_strDir;
};

// Reads a film's comment from the list's comment folder; empty when there is none.
std::string ReadComment(const std::string& strCommentDir, const std::string& strOriginalTitle);
