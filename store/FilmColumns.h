#pragma once

#include <array>
#include <string>
#include <string_view>

// The eight columns in which a film is shown and exchanged: the result
// list's headings and widths, the cells of a film's row, the headings of the
// catalogue's CSV.
enum class FilmField { OriginalTitle, Title, Country, Year, Director, Rating, Viewings, Cast };

struct FilmColumn {
    FilmField field;
    std::string_view heading;
    int nWidth;  // in the result list, pixels
};

// In the result list's order.
inline constexpr std::array<FilmColumn, 8> kFilmColumns = {{
    {FilmField::OriginalTitle, "Titlu original", 160},
    {FilmField::Title, "Titlu", 160},
    {FilmField::Country, "Tara", 60},
    {FilmField::Year, "An", 50},
    {FilmField::Director, "Regia", 100},
    {FilmField::Rating, "Calificativ", 70},
    {FilmField::Viewings, "Vizionari", 60},
    {FilmField::Cast, "Distributia", 500},
}};

// The heading of a field's column.
std::string_view FilmHeading(FilmField field);

// A film as its row shows it: the six texts in the film's order (original
// title, title, country, year, director, cast), the rating as a word and the
// number of viewings.
struct FilmCells {
    std::array<std::string_view, 6> texts;
    std::string_view strRating;
    int nViewings = 0;
};

// The text of column nCol (an index into kFilmColumns); empty past the last.
std::string FilmCellText(const FilmCells& cells, int nCol);
