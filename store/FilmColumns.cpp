#include "FilmColumns.h"

std::string_view FilmHeading(FilmField field)
{
    for (const FilmColumn& column : kFilmColumns) {
        if (column.field == field) {
            return column.heading;
        }
    }
    return {};
}

std::string FilmCellText(const FilmCells& cells, int nCol)
{
    if (nCol < 0 || nCol >= static_cast<int>(kFilmColumns.size())) {
        return {};
    }
    switch (const FilmField field = kFilmColumns[static_cast<std::size_t>(nCol)].field) {
    case FilmField::Rating:
        return std::string(cells.strRating);
    case FilmField::Viewings:
        return std::to_string(cells.nViewings);
    case FilmField::Cast:
        return std::string(cells.texts[5]);
    default:
        return std::string(cells.texts[static_cast<std::size_t>(field)]);
    }
}
