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

// As a run from 0 hears it before its first event: the stream, from its
// start, and no module tune. The stream is opened again only when the end
// tune replaced it (one that failed to open failed for good).
void musicFromTheTop() {
  music::MusicState& current = music::state();
  if (current.module != nullptr) FMUSIC_FreeSong(current.module);
  current.module = nullptr;
  if (current.stream == nullptr) {
    if (current.tuneStart > 0.0f) music::startStream(kShowStream);
    return;
  }
  current.tuneStart = 0.0f;
  current.channel = FSOUND_Stream_Play(FSOUND_FREE, current.stream);  // again, if it had played to its end
}

}  // namespace

void buildShowAgain(bool preloadChoice) { buildShow(preloadChoice); }

void rebuildShowAt(const ShowClock& moment, bool preloadChoice, const ShowBuild& build) {
  // The shadow layer places its objects with the C library's generator when
  // it first draws; a run from 0 finds it as a process starts, unseeded.
  std::srand(1);
  forEveryStock([](auto& stock) { stock.setAside(); });
  releaseLayersAndEvents();
  musicFromTheTop();
  build(preloadChoice);
  kst::theTimeLine().rewind();
  catchUpWith(moment);
  forEveryStock([](auto& stock) { stock.dropAside(); });
}

void catchUpShowTo(const ShowClock& moment) { catchUpWith(moment); }

void keepUnloadedObjects(bool keep) {
  forEveryStock([keep](auto& stock) { stock.keepUnloaded(keep); });
}

std::vector<std::string> changedDataFiles() {
  std::vector<std::string> changed;
  forEveryStock([&changed](auto& stock) {
    for (std::string& file : stock.changedSources()) changed.push_back(std::move(file));
  });
  return changed;
}

}  // namespace shell
