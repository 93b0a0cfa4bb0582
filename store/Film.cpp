#include "Film.h"

#include "FixedPool.h"

#include <array>
#include <new>
#include <utility>

namespace {
// The pools live until the program ends; every list is freed before that.
FixedPool& FilmPool()
{
    static FixedPool pool(sizeof(CFilm));
    return pool;
}
FixedPool& NodePool()
{
    static FixedPool pool(sizeof(CFilmNode));
    return pool;
}
}  // namespace

void* CFilm::operator new(std::size_t nSize)
{
    return nSize == sizeof(CFilm) ? FilmPool().Allocate() : ::operator new(nSize);
}

void CFilm::operator delete(void* p, std::size_t nSize) noexcept
{
    if (nSize == sizeof(CFilm)) {
        FilmPool().Deallocate(p);
    } else {
        ::operator delete(p);
    }
}

void* CFilmNode::operator new(std::size_t nSize)
{
    return nSize == sizeof(CFilmNode) ? NodePool().Allocate() : ::operator new(nSize);
}

void CFilmNode::operator delete(void* p, std::size_t nSize) noexcept
{
    if (nSize == sizeof(CFilmNode)) {
        NodePool().Deallocate(p);
    } else {
        ::operator delete(p);
    }
}

CFilm::CFilm(std::string strOriginalTitle, std::string strTitle, std::string strCountry, std::string strYear,
             std::string strDirector, std::string strCast, int nRating, int nViewings)
    : CFilm(FilmTexts({strOriginalTitle, strTitle, strCountry, strYear, strDirector, strCast}), nRating, nViewings)
{
}

CFilm::CFilm(FilmTexts texts, int nRating, int nViewings) : m_nRating(nRating), m_nViewings(nViewings)
{
    SetTexts(std::move(texts));
}

// A copy reads the same block, through views of its own.
CFilm::CFilm(const CFilm& other) : m_nRating(other.m_nRating), m_nViewings(other.m_nViewings)
{
    SetTexts(other.m_texts);
}

CFilm& CFilm::operator=(const CFilm& other)
{
    m_nRating = other.m_nRating;
    m_nViewings = other.m_nViewings;
    SetTexts(other.m_texts);
    return *this;
}

CFilm::~CFilm() = default;

void CFilm::SetTexts(FilmTexts texts)
{
    m_texts = std::move(texts);
    const std::array<FilmText, FilmTexts::kCount> views = m_texts.Texts();
    m_strOriginalTitle = views[0];
    m_strTitle = views[1];
    m_strCountry = views[2];
    m_strYear = views[3];
    m_strDirector = views[4];
    m_strCast = views[5];
}

CFilmNode::CFilmNode(std::string strOriginalTitle, std::string strTitle, std::string strCountry, std::string strYear,
                     std::string strDirector, std::string strCast, int nRating, int nViewings)
    : m_pNext(nullptr),
      m_pFilm(new CFilm(std::move(strOriginalTitle), std::move(strTitle), std::move(strCountry), std::move(strYear),
                        std::move(strDirector), std::move(strCast), nRating, nViewings))
{
}

CFilmNode::CFilmNode(FilmTexts texts, int nRating, int nViewings)
    : m_pNext(nullptr), m_pFilm(new CFilm(std::move(texts), nRating, nViewings))
{
}

// The film is not destroyed here: the list operations that destroy a node
// destroy its film just before.
CFilmNode::~CFilmNode() = default;
