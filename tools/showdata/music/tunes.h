#pragma once
// The show's three tunes as modules (one row = 0.1 s).
#include <array>

#include <vector>

#include "xm_module.h"

namespace showdata {

// Rows where the show's sections start (15.5, 42.5, 75.1, 93.6, 126.6 and
// 166.1 s): the show tune changes pattern exactly there, with an accent.
inline constexpr std::array<int, 6> kSectionRows = {155, 425, 751, 936, 1266, 1661};
inline constexpr int kShowTuneRows = 1725;  // 172.5 s: the stream outlasts the show's use of it

// Each tune gets the instrument set (instruments.h) it plays.
// The show's music in sections, rendered into the MP3 (show_tune_*.cpp).
xm::Module showTune(std::vector<xm::Instrument> instruments);
// The calm loop played while the show loads (loading_tune.cpp).
xm::Module loadingTune(std::vector<xm::Instrument> instruments);
// The loop from section 7 on, for as long as the logo stays (end_tune.cpp).
xm::Module endTune(std::vector<xm::Instrument> instruments);

}  // namespace showdata
