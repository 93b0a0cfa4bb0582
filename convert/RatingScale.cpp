#include "RatingScale.h"

#include "Rating.h"

#include <array>
#include <charconv>

namespace {

std::optional<int> ParseWhole(std::string_view text)
{
    int nValue = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return nValue;
}

}  // namespace

std::optional<int> RatingFromTenPoints(int nPoints)
{
    constexpr std::array<int, 10> kCodes = {0, 0, 1, 1, 2, 2, 3, 4, 4, 5};
    if (nPoints < 1 || nPoints > 10) {
        return std::nullopt;
    }
    return kCodes[static_cast<std::size_t>(nPoints - 1)];
}

std::optional<int> TenPointsFromRating(int nRating)
{
    constexpr std::array<int, kToSeeRating> kPoints = {2, 4, 6, 7, 9, 10};
    if (nRating < 0 || nRating >= kToSeeRating) {
        return std::nullopt;
    }
    return kPoints[static_cast<std::size_t>(nRating)];
}

std::optional<int> ParseTenPoints(std::string_view text)
{
    const std::optional<int> points = ParseWhole(text);
    if (!points || *points < 1 || *points > 10) {
        return std::nullopt;
    }
    return points;
}

std::optional<int> ParseStars(std::string_view text)
{
    // Whole stars and an optional decimal part, counted in tenths so that
    // no floating point decides a rounding.
    const std::size_t nDot = text.find('.');
    const std::optional<int> whole = ParseWhole(text.substr(0, nDot));
    if (!whole || *whole < 0 || *whole > 5) {
        return std::nullopt;
    }
    int nTenths = *whole * 10;
    if (nDot != std::string_view::npos) {
        const std::string_view fraction = text.substr(nDot + 1);
        const std::optional<int> digits = ParseWhole(fraction);
        if (!digits || *digits < 0 || fraction.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        // The first decimal decides, a further non-zero one rounds up.
        nTenths += fraction[0] - '0';
        if (fraction.find_first_not_of('0', 1) != std::string_view::npos) {
            ++nTenths;
        }
    }
    if (nTenths < 5 || nTenths > 50) {
        return std::nullopt;
    }
    return (nTenths * 2 + 9) / 10;  // twice the stars, rounded up
}
