#pragma once
// The show tune's sections, each written into the shared score from its
// first row to the next section's (show_tune_opening.cpp, show_tune_middle.cpp,
// show_tune_finale.cpp).
#include "music/arrangement.h"

namespace showdata {

void quietOpening(Score& score, int from, int to);
void shadowBuild(Score& score, int from, int to);
void spaciousHall(Score& score, int from, int to);
void titleHit(Score& score, int from, int to);
void metaballGroove(Score& score, int from, int to);
void fireworksPeak(Score& score, int from, int to);
void ringingEnd(Score& score, int from, int to);

}  // namespace showdata
