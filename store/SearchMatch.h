#pragma once

#include "Film.h"

#include <optional>
#include <string>
#include <string_view>

// 1 when strIdentifier occurs in strField as one contiguous run of bytes,
// else 0. With nSearchType 1 (approximate) both are upper-cased first with
// the code page's upper-casing, so the test ignores case.
int FieldMatches(std::string strField, std::string strIdentifier, int nSearchType);

// The identifier read as "%d" reads it: leading white space, an optional
// sign, then decimal digits; whatever follows is ignored. Empty when it does
// not begin with a number, or when the number does not fit in an int (no
// film can have that many viewings).
std::optional<int> ReadViewingsNumber(std::string_view strIdentifier);

// The fields that a search looks in.
struct SearchFields {
    bool bOriginalTitle = false;
    bool bTitle = false;
    bool bCountry = false;
    bool bYear = false;
    bool bDirector = false;
    bool bCast = false;
    bool bRating = false;
    bool bViewings = false;
};

// One search, prepared once for a walk over many films: the identifier is
// upper-cased, converted to a rating code and read as a number only once.
class CFilmMatcher {
public:
    // nRatingCode is the identifier's rating code (the caller's TextToRating).
    CFilmMatcher(const SearchFields& fields, const std::string& strIdentifier, int nSearchType, int nRatingCode);

    // True when at least one chosen field of the film matches.
    bool Matches(const CFilm& film) const;

private:
    bool TextMatches(std::string_view strField) const;

    SearchFields m_fields;
    bool m_bApproximate;
    std::string m_strNeedle;  // upper-cased when approximate
    int m_nRatingCode;
    std::optional<int> m_nViewings;
    mutable std::string m_strBuffer;  // the upper-cased field, reused
};
