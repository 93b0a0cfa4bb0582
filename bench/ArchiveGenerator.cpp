#include "ArchiveGenerator.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>

namespace {

// Windows-1250 bytes: \xE3 ă, \xE2 â, \xEE î, \xBA ş, \xFE ţ, \xCE Î, \xAA Ş.
constexpr std::array<std::string_view, 40> kWords = {"The",
                                                     "Last",
                                                     "Night",
                                                     "City",
                                                     "Of",
                                                     "Dark",
                                                     "Love",
                                                     "Return",
                                                     "Shadow",
                                                     "River",
                                                     "Stars",
                                                     "Winter",
                                                     "Blue",
                                                     "Silent",
                                                     "King",
                                                     "Road",
                                                     "Dreams",
                                                     "Iron",
                                                     "Lost",
                                                     "Secret",
                                                     "P\xE3"
                                                     "durea",
                                                     "Noaptea",
                                                     "\xCE"
                                                     "ntoarcerea",
                                                     "Ora\xBA"
                                                     "ul",
                                                     "Marea",
                                                     "Iarna",
                                                     "Via\xFE"
                                                     "a",
                                                     "Lumea",
                                                     "Dragoste",
                                                     "T\xE2"
                                                     "n\xE3"
                                                     "r",
                                                     "Umbra",
                                                     "R\xE2"
                                                     "ul",
                                                     "\xAA"
                                                     "oseaua",
                                                     "Destin",
                                                     "Amintiri",
                                                     "Fl\xE3"
                                                     "c\xE3"
                                                     "ii",
                                                     "Stele",
                                                     "Ultimul",
                                                     "Drumul",
                                                     "Casa"};

constexpr std::array<std::string_view, 12> kCountries = {"SUA",
                                                         "Rom\xE2"
                                                         "nia",
                                                         "Fran\xFE"
                                                         "a",
                                                         "Italia",
                                                         "UK",
                                                         "Germania",
                                                         "Japonia",
                                                         "Spania",
                                                         "Polonia",
                                                         "Cehia",
                                                         "Ungaria",
                                                         "Suedia"};

constexpr std::array<std::string_view, 24> kFirstNames = {"Ion",
                                                          "Maria",
                                                          "John",
                                                          "Anne",
                                                          "Radu",
                                                          "Elena",
                                                          "Michael",
                                                          "Sophie",
                                                          "Mihai",
                                                          "Ioana",
                                                          "Paul",
                                                          "Claire",
                                                          "\xAA"
                                                          "tefan",
                                                          "Ana",
                                                          "Robert",
                                                          "Laura",
                                                          "Cristian",
                                                          "Irina",
                                                          "David",
                                                          "Julia",
                                                          "Andrei",
                                                          "Oana",
                                                          "Peter",
                                                          "Nina"};

constexpr std::array<std::string_view, 24> kLastNames = {"Popescu",
                                                         "Smith",
                                                         "Ionescu",
                                                         "Dubois",
                                                         "Georgescu",
                                                         "Rossi",
                                                         "Munteanu",
                                                         "Brown",
                                                         "Stan",
                                                         "Tanaka",
                                                         "Dumitru",
                                                         "Novak",
                                                         "Constantin",
                                                         "Weber",
                                                         "Mure\xBA"
                                                         "an",
                                                         "Garcia",
                                                         "Lungu",
                                                         "Kowalski",
                                                         "Stoica",
                                                         "Nagy",
                                                         "\xFE"
                                                         "ic\xE3",
                                                         "Larsen",
                                                         "Vasile",
                                                         "Moreau"};

template <typename Words>
std::string_view Pick(const Words& words, std::mt19937& rng)
{
    return words[rng() % words.size()];
}

std::string Person(std::mt19937& rng)
{
    return std::string(Pick(kFirstNames, rng)) + " " + std::string(Pick(kLastNames, rng));
}

}  // namespace

std::vector<GeneratedFilm> GenerateFilms(int nFilms, std::uint32_t nSeed)
{
    std::mt19937 rng(nSeed);
    std::vector<GeneratedFilm> films;
    films.reserve(static_cast<std::size_t>(std::max(nFilms, 0)));
    for (int i = 0; i < nFilms; ++i) {
        GeneratedFilm film;
        if (!films.empty() && rng() % 50 == 0) {  // a remake: same title as an earlier film
            film.strOriginalTitle = films[rng() % films.size()].strOriginalTitle;
        } else {
            const int nWords = 1 + static_cast<int>(rng() % 4);
            for (int w = 0; w < nWords; ++w) {
                if (w > 0) film.strOriginalTitle += ' ';
                film.strOriginalTitle += Pick(kWords, rng);
            }
            if (rng() % 8 == 0) {
                film.strOriginalTitle += " " + std::to_string(2 + rng() % 4);  // a sequel
            }
        }
        film.strTitle = rng() % 2 == 0 ? film.strOriginalTitle
                                       : std::string(Pick(kWords, rng)) + " " + std::string(Pick(kWords, rng));
        film.strCountry = Pick(kCountries, rng);
        film.strYear = std::to_string(1920 + rng() % 105);
        film.strDirector = Person(rng);
        const int nActors = 2 + static_cast<int>(rng() % 4);
        for (int a = 0; a < nActors; ++a) {
            if (a > 0) film.strCast += ", ";
            film.strCast += Person(rng);
        }
        film.nRating = static_cast<int>(rng() % 7);
        film.nViewings = film.nRating == 6 ? 0 : 1 + static_cast<int>(rng() % 6);
        films.push_back(std::move(film));
    }
    return films;
}

std::string ArchiveBytes(std::vector<GeneratedFilm> films, ArchiveOrder order, std::uint32_t nSeed)
{
    if (order == ArchiveOrder::Descending) {
        std::stable_sort(films.begin(), films.end(), [](const auto& a, const auto& b) {
            return a.strOriginalTitle.compare(b.strOriginalTitle) > 0;
        });
    } else {
        std::mt19937 rng(nSeed);
        std::shuffle(films.begin(), films.end(), rng);
    }
    std::string bytes = "cinetrove\r\nquonwerk\r\n" + std::to_string(films.size()) + "\r\n";
    for (const GeneratedFilm& f : films) {
        for (const std::string* pText :
             {&f.strOriginalTitle, &f.strTitle, &f.strCountry, &f.strYear, &f.strDirector, &f.strCast}) {
            bytes += *pText;
            bytes += "\r\n";
        }
        bytes += std::to_string(f.nRating) + " " + std::to_string(f.nViewings) + "\r\n";
    }
    return bytes;
}
