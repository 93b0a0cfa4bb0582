#include "Film.h"

#include <utility>

CFilm::CFilm(std::string strOriginalTitle, std::string strTitle, std::string strCountry,
             std::string strYear, std::string strDirector, std::string strCast, int nRating,
             int nViewings)
    : m_strOriginalTitle(std::move(strOriginalTitle)),
      m_strTitle(std::move(strTitle)),
      m_strCountry(std::move(strCountry)),
      m_strYear(std::move(strYear)),
      m_strDirector(std::move(strDirector)),
      m_strCast(std::move(strCast)),
      m_nRating(nRating),
      m_nViewings(nViewings) {}

CFilm::~CFilm() = default;

CFilmNode::CFilmNode(std::string strOriginalTitle, std::string strTitle, std::string strCountry,
                     std::string strYear, std::string strDirector, std::string strCast,
                     int nRating, int nViewings)
    : m_pNext(nullptr),
      m_pFilm(new CFilm(std::move(strOriginalTitle), std::move(strTitle), std::move(strCountry),
                        std::move(strYear), std::move(strDirector), std::move(strCast), nRating,
                        nViewings)) {}

// The film is not destroyed here: the list operations that destroy a node
// destroy its film just before.
CFilmNode::~CFilmNode() = default;
