#include "ListRule.h"

#include "FilmList.h"
#include "Rating.h"

ListRuleFault CheckListRule(int nList, int nRating, int nViewings)
{
    const bool bSeen = nList == kSeenList;
    if ((nRating == kToSeeRating) == bSeen) {
        return ListRuleFault::Rating;
    }
    if (bSeen ? nViewings <= 0 : nViewings != 0) {
        return ListRuleFault::Viewings;
    }
    return ListRuleFault::None;
}
