#pragma once

#include <optional>
#include <string>

enum class TargetList { Seen, ToSee };

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
};
