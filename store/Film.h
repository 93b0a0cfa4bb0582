#pragma once

#include <string>

// One film of the catalogue. Created only by the construction of a CFilmNode.
class CFilm {
public:
    CFilm(std::string strOriginalTitle, std::string strTitle, std::string strCountry,
          std::string strYear, std::string strDirector, std::string strCast, int nRating,
          int nViewings);
    virtual ~CFilm();

    std::string m_strOriginalTitle;
    std::string m_strTitle;
    std::string m_strCountry;
    std::string m_strYear;
    std::string m_strDirector;
    std::string m_strCast;
    int m_nRating;
    int m_nViewings;
};

// One element of a singly linked film list. The node owns its film, but its
// destructor leaves the film alone: RemoveFilm and FreeList destroy the film
// first and then the node.
class CFilmNode {
public:
    CFilmNode(std::string strOriginalTitle, std::string strTitle, std::string strCountry,
              std::string strYear, std::string strDirector, std::string strCast, int nRating,
              int nViewings);
    virtual ~CFilmNode();

    CFilmNode(const CFilmNode&) = delete;
    CFilmNode& operator=(const CFilmNode&) = delete;

    CFilmNode* m_pNext;
    CFilm* m_pFilm;
};
