#include "TitleType.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// Labels reduced to lower-case ASCII letters and digits, so that "TV
// Mini-Series", "tvMiniSeries" and "TV Mini Series" are one; accented
// letters are dropped too, so the tables hold "Película" as "pelcula".
std::string Reduced(std::string_view type)
{
    std::string out;
    for (const char c : type) {
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            out += c;
        }
    }
    return out;
}

constexpr std::array kFilms = {
    // English, every layout
    "movie", "feature", "featurefilm", "film", "short", "shortfilm", "video", "videomovie", "tvmovie", "tvshort",
    "documentary", "tvfilm",
    // Italian, Spanish, Portuguese, French, German
    "corto", "cortometraggio", "filmtv", "pelcula", "pelculadetv", "cortometraje", "filme", "filmedetv",
    "curtametragem", "courtmtrage", "tlfilm", "fernsehfilm", "kurzfilm", "dokumentarfilm", "documentario", "documental",
    "documentaire"};

constexpr std::array kNotFilms = {
    // English, every layout
    "tvseries", "series", "miniseries", "tvminiseries", "episode", "tvepisode", "tvspecial", "special", "videogame",
    "game", "podcast", "podcastseries", "podcastepisode", "musicvideo", "tvpilot",
    // Italian
    "serietv", "miniserietv", "episodiotv", "specialetv", "speciale", "videogioco", "videomusicale", "serie",
    "episodio", "podcastserie",
    // Spanish, Portuguese, French, German
    "seriedetv", "miniseriedetv", "episodiodetv", "especialdetv", "videojuego", "videomusical", "videoclip", "srietv",
    "minisrie", "minisrietv", "pisodetv", "jeuvido", "clipvido", "missionspciale", "fernsehserie", "minifernsehserie",
    "folge", "videospiel", "musikvideo", "fernsehspecial", "sriedetv", "episdiodetv", "jogoeletrnico"};

}  // namespace

TitleKind KindOfTitleType(std::string_view type)
{
    if (type.find_first_not_of(" \t") == std::string_view::npos) {
        return TitleKind::Film;  // a layout without the column, or a row without a type
    }
    const std::string reduced = Reduced(type);
    const auto in = [&reduced](const auto& table) {
        return std::find(table.begin(), table.end(), reduced) != table.end();
    };
    if (in(kNotFilms)) {
        return TitleKind::NotFilm;
    }
    return in(kFilms) ? TitleKind::Film : TitleKind::Unknown;
}
