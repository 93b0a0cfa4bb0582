#include "SearchMatch.h"

#include "CodePage.h"

#include <array>
#include <climits>

namespace {

// The code page's upper-casing maps byte to byte; a table of it lets the
// search upper-case a field without a new string per field.
const std::array<char, 256>& UpperTable()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        std::string all(256, '\0');
        for (int n = 0; n < 256; ++n) all[static_cast<std::size_t>(n)] = static_cast<char>(n);
        const std::string upper = AnsiToUpper(all);
        for (std::size_t n = 0; n < 256; ++n) t[n] = upper[n];
        return t;
    }();
    return table;
}

void UpperInto(std::string_view text, std::string& out)
{
    const auto& table = UpperTable();
    out.resize(text.size());
    for (std::size_t n = 0; n < text.size(); ++n) out[n] = table[static_cast<unsigned char>(text[n])];
}

// The white space that "%d" skips in the C locale.
bool IsSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

int FieldMatches(std::string strField, std::string strIdentifier, int nSearchType)
{
    if (nSearchType == 1) {
        strField = AnsiToUpper(strField);
        strIdentifier = AnsiToUpper(strIdentifier);
    }
    return strField.find(strIdentifier) != std::string::npos ? 1 : 0;
}

std::optional<int> ReadViewingsNumber(std::string_view strIdentifier)
{
    std::size_t n = 0;
    while (n < strIdentifier.size() && IsSpace(strIdentifier[n])) ++n;
    bool bNegative = false;
    if (n < strIdentifier.size() && (strIdentifier[n] == '+' || strIdentifier[n] == '-')) {
        bNegative = strIdentifier[n] == '-';
        ++n;
    }
    if (n >= strIdentifier.size() || !IsDigit(strIdentifier[n])) return std::nullopt;
    // Accumulate the magnitude; beyond what an int holds it can match nothing.
    const long long nLimit = bNegative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long nValue = 0;
    for (; n < strIdentifier.size() && IsDigit(strIdentifier[n]); ++n) {
        nValue = nValue * 10 + (strIdentifier[n] - '0');
        if (nValue > nLimit) return std::nullopt;
    }
    return static_cast<int>(bNegative ? -nValue : nValue);
}

CFilmMatcher::CFilmMatcher(const SearchFields& fields, const std::string& strIdentifier, int nSearchType,
                           int nRatingCode)
    : m_fields(fields),
      m_bApproximate(nSearchType == 1),
      m_strNeedle(strIdentifier),
      m_nRatingCode(nRatingCode),
      m_nViewings(ReadViewingsNumber(strIdentifier))
{
    if (m_bApproximate) UpperInto(strIdentifier, m_strNeedle);
}

bool CFilmMatcher::TextMatches(std::string_view strField) const
{
    if (!m_bApproximate) return strField.find(m_strNeedle) != std::string::npos;
    if (strField.size() < m_strNeedle.size()) return false;
    UpperInto(strField, m_strBuffer);
    return m_strBuffer.find(m_strNeedle) != std::string::npos;
}

bool CFilmMatcher::Matches(const CFilm& film) const
{
    // Each field decides alone, so the first that matches settles the film:
    // testing the rest could not change whether it counts, only how often.
    return (m_fields.bOriginalTitle && TextMatches(film.m_strOriginalTitle)) ||
           (m_fields.bTitle && TextMatches(film.m_strTitle)) || (m_fields.bCountry && TextMatches(film.m_strCountry)) ||
           (m_fields.bYear && TextMatches(film.m_strYear)) || (m_fields.bDirector && TextMatches(film.m_strDirector)) ||
           (m_fields.bCast && TextMatches(film.m_strCast)) || (m_fields.bRating && film.m_nRating == m_nRatingCode) ||
           (m_fields.bViewings && m_nViewings && film.m_nViewings == *m_nViewings);
}
