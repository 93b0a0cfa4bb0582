#pragma once

#include "FilmText.h"
#include "FilmTexts.h"

#include <cstddef>
#include <string>

// One film of the catalogue. Created only by the construction of a CFilmNode.
// Its six texts lie in one shared block (FilmTexts); the text members read
// that block, and SetTexts replaces all six at once.
class CFilm {
public:
    CFilm(std::string strOriginalTitle, std::string strTitle, std::string strCountry, std::string strYear,
          std::string strDirector, std::string strCast, int nRating, int nViewings);
    CFilm(FilmTexts texts, int nRating, int nViewings);
    CFilm(const CFilm& other);
    CFilm& operator=(const CFilm& other);
    virtual ~CFilm();

    // Films are many and small: they come from a pool of their size.
    static void* operator new(std::size_t nSize);
    static void operator delete(void* p, std::size_t nSize) noexcept;

    // Puts the film's texts in `texts`; a holder of the former block (a row
    // of the result list) keeps reading the former texts.
    void SetTexts(FilmTexts texts);
    const FilmTexts& Texts() const { return m_texts; }
    // Asks the processor for the block of texts ahead of a walk that will
    // read it: a list read from a file in another order has its blocks all
    // over memory.
    void PrefetchTexts() const { __builtin_prefetch(m_texts.Key()); }

    // A text member: it reads as a FilmText, but only the film puts a text in
    // it, from its own block. Assigning one from outside (film.m_strTitle =
    // other.m_strTitle) would leave it reading another film's block, which
    // this film does not hold; SetTexts is the way to change the texts.
    class FieldText : public FilmText {
    public:
        FieldText() = default;
        FieldText(const FieldText&) = default;
        ~FieldText() = default;

    private:
        friend class CFilm;
        FieldText& operator=(const FieldText&) = default;
        FieldText& operator=(const FilmText& text)
        {
            FilmText::operator=(text);
            return *this;
        }
    };

    FieldText m_strOriginalTitle;
    FieldText m_strTitle;
    FieldText m_strCountry;
    FieldText m_strYear;
    FieldText m_strDirector;
    FieldText m_strCast;
    int m_nRating;
    int m_nViewings;

private:
    FilmTexts m_texts;
};

// One element of a singly linked film list. The node owns its film, but its
// destructor leaves the film alone: RemoveFilm and FreeList destroy the film
// first and then the node.
class CFilmNode {
public:
    CFilmNode(std::string strOriginalTitle, std::string strTitle, std::string strCountry, std::string strYear,
              std::string strDirector, std::string strCast, int nRating, int nViewings);
    CFilmNode(FilmTexts texts, int nRating, int nViewings);
    virtual ~CFilmNode();

    static void* operator new(std::size_t nSize);
    static void operator delete(void* p, std::size_t nSize) noexcept;

    CFilmNode(const CFilmNode&) = delete;
    CFilmNode& operator=(const CFilmNode&) = delete;

    CFilmNode* m_pNext;
    CFilm* m_pFilm;
};

// Walks a list a few nodes ahead of a loop, asking for their films' texts.
class CFilmTextsLookAhead {
public:
    explicit CFilmTextsLookAhead(const CFilmNode* pHead) : m_pAhead(pHead)
    {
        for (int i = 0; i < kDistance && m_pAhead != nullptr; ++i) Step();
    }
    // Called once for each node the loop takes.
    void Step()
    {
        if (m_pAhead != nullptr) {
            m_pAhead->m_pFilm->PrefetchTexts();
            m_pAhead = m_pAhead->m_pNext;
        }
    }

private:
    static constexpr int kDistance = 8;
    const CFilmNode* m_pAhead;
};
