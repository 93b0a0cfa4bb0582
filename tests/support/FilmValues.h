#pragma once

#include "Film.h"

#include <string>
#include <tuple>
#include <vector>

// A film's eight values, to compare lists in tests: original title, title,
// country, year, director, cast, rating code, viewings.
using FilmValues = std::tuple<std::string, std::string, std::string, std::string, std::string, std::string, int, int>;

// The values of every film of the list, head first.
std::vector<FilmValues> Values(const CFilmNode* pHead);
