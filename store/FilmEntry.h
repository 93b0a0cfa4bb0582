#pragma once

#include <string>

// The film of a command or an import, as it is to be stored: the six texts in
// the code page, the rating code and the number of viewings.
struct FilmEntry {
    std::string strOriginalTitle;
    std::string strTitle;
    std::string strCountry;
    std::string strYear;
    std::string strDirector;
    std::string strCast;
    int nRating = 0;
    int nViewings = 0;
};
