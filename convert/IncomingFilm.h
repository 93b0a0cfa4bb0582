#pragma once

#include <optional>
#include <string>
#include <vector>

enum class TargetList { Seen, ToSee };

// One dated viewing an export logged, for the diary.
struct IncomingViewing {
    std::string strDate;  // YYYY-MM-DD
    bool bRewatch = false;
};

// One film as an importer read it, texts still in UTF-8, before the rules of
// the catalogue (code page, skipping, moving) are applied to it.
struct IncomingFilm {
    std::string strFile;  // where it was read, for the summary and refusals
    int nLine = 0;
    TargetList list = TargetList::Seen;
    std::string strOriginalTitle;
    std::string strTitle;
    std::string strCountry;
    std::string strYear;
    std::string strDirector;
    std::string strCast;
    std::optional<int> rating;  // a rating code; none for a seen film without a rating
    int nViewings = 0;
    std::string strComment;  // line breaks as the comment box has them, CR LF

    // What the site knows of the film, for the side file of ids: its ids,
    // the rating as it gave it (ten points) and the dates, ISO 8601.
    std::string strImdbId;         // "tt0000000"
    std::string strLetterboxdUri;  // the film's page, "https://boxd.it/..."
    std::string strTmdbId;
    std::string strTraktId;
    std::optional<int> sitePoints;
    std::string strDateRated;
    std::string strWatchedDate;

    // The viewings the export dates, each a row of the diary, and who logged
    // them ("letterboxd", "trakt"). nViewings counts them and any undated.
    std::vector<IncomingViewing> viewings;
    std::string strDiarySource;
};

// What a reader made of one export: the films, and what the summary says
// about the rest.
struct IncomingRows {
    struct Row {
        std::string strTitle;   // UTF-8
        std::string strSource;  // file, line
        std::string strWhy;
    };

    std::vector<IncomingFilm> films;
    std::vector<Row> leftOut;        // rows that are no film (a series, a game, ...)
    std::vector<Row> unknownTypes;   // taken as films, with a type no table knows
    std::vector<std::string> notes;  // how a file was read, when not as UTF-8
};
