#pragma once

// What a film must carry to stand in a list: a seen film any rating word but
// "De vazut" and at least one viewing; a film to see "De vazut" and no
// viewing. New and Modify say which of the two does not fit (the rating is
// judged first); every import makes its films fit or refuses them.
enum class ListRuleFault { None, Rating, Viewings };

// nList: kSeenList or kToSeeList; nRating: a rating code.
ListRuleFault CheckListRule(int nList, int nRating, int nViewings);
