// The show tune: seven sections written one after another into one score,
// cut into patterns at every section start.
#include <vector>

#include "music/show_tune_sections.h"
#include "music/tunes.h"

namespace showdata {

xm::Module showTune(std::vector<xm::Instrument> instruments) {
  Score score(kShowTuneRows, kChannelCount);
  using Section = void (*)(Score&, int, int);
  const Section sections[] = {quietOpening, shadowBuild, spaciousHall, titleHit, metaballGroove, fireworksPeak, ringingEnd};
  std::vector<int> starts = {0};
  starts.insert(starts.end(), kSectionRows.begin(), kSectionRows.end());
  starts.push_back(kShowTuneRows);
  for (std::size_t i = 0; i < std::size(sections); ++i) sections[i](score, starts[i], starts[i + 1]);
  return tuneModule("Skyward", score, std::vector<int>(kSectionRows.begin(), kSectionRows.end()), 0, std::move(instruments));
}

}  // namespace showdata
