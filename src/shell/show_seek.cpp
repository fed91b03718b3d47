#include "shell/show_seek.h"

#include <cstdlib>

#include "music/music.h"
#include "shell/show_preparation.h"
#include "shell/show_script.h"
#include "stocks/bitmap_stock.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "timeline/timeline.h"

namespace shell {
namespace {

template <typename Change>
void forEveryStock(Change change) {
  change(kst::theBitmapStock());
  change(kst::theMeshStock());
  change(kst::theSceneStock());
}

}  // namespace

void buildShowAgain(bool preloadChoice) { buildShow(preloadChoice); }

void rebuildShowAt(const ShowClock& moment, bool preloadChoice, const ShowBuild& build) {
  // The shadow layer places its objects with the C library's generator when
  // it first draws; a run from 0 finds it as a process starts, unseeded.
  std::srand(1);
  forEveryStock([](auto& stock) { stock.setAside(); });
  releaseLayersAndEvents();
  music::playFromTheTop();
  build(preloadChoice);
  kst::theTimeLine().rewind();
  catchUpTo(moment);
  forEveryStock([](auto& stock) { stock.dropAside(); });
}

void keepUnloadedObjects(bool keep) {
  forEveryStock([keep](auto& stock) { stock.keepUnloaded(keep); });
}

std::vector<std::string> readAgainAt(const ShowClock& moment, bool preloadChoice, const ShowBuild& build) {
  std::vector<std::string> changed;
  forEveryStock([&changed](auto& stock) {
    for (std::string& file : stock.changedSources()) changed.push_back(std::move(file));
  });
  rebuildShowAt(moment, preloadChoice, build);
  return changed;
}

}  // namespace shell
