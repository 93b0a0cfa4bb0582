#pragma once

#include "Film.h"

#include <string>
#include <string_view>

// The operations on a film list: a list is the pointer to its head node (null
// when empty), kept in descending byte-wise order of original title. Every
// operation that can change the head returns the new head.

// The two lists, where a command or a comment folder names one of them.
inline constexpr int kSeenList = 0;
inline constexpr int kToSeeList = 1;
// Their names where a file names a list (the catalogue's CSV, Tellico, the
// counts), indexed by list.
inline constexpr std::string_view kListNames[] = {"vazute", "de vazut"};

// The order of the lists: byte-wise on unsigned bytes over the whole text, a
// prefix before the longer text (negative, 0 or positive as strcmp).
int CompareTitles(std::string_view a, std::string_view b);

CFilmNode* InsertSorted(CFilmNode* pHead, std::string strOriginalTitle, std::string strTitle, std::string strCountry,
                        std::string strYear, std::string strDirector, std::string strCast, int nRating, int nViewings);
CFilmNode* RemoveFilm(CFilmNode* pHead, std::string strOriginalTitle);
int UpdateFilm(CFilmNode* pHead, std::string strKey, std::string strOriginalTitle, std::string strTitle,
               std::string strCountry, std::string strYear, std::string strDirector, std::string strCast, int nRating,
               int nViewings);
int ContainsFilm(CFilmNode* pHead, std::string strOriginalTitle);
CFilmNode* FreeList(CFilmNode* pHead);
