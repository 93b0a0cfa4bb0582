#pragma once

#include <string>

// cinetrove-convert watched: one viewing logged by hand. A seen film gets
// one more viewing and a row in the diary; a film to see moves to the seen
// list as the window's New moves it (its comment kept), rated strRating.
struct WatchedOptions {
    std::string strTitle;   // UTF-8, the original title or the title, letter case aside
    std::string strYear;    // narrows the films of that title; empty: any year
    std::string strDate;    // YYYY-MM-DD; empty: today
    std::string strRating;  // UTF-8 rating word; needed for a film to see
    std::string strDir = "./data";
};

// The exit status: 0 logged, 1 refused (no such film, several, a bad date,
// no rating for a film to see) or a file failed.
int RunWatched(const WatchedOptions& options);

// Today's day in local time, YYYY-MM-DD.
std::string TodayDate();
