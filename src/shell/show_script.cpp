#include "shell/show_script.h"

#include <vector>

#include "layers/layer_stack.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "shell/script/show_materials.h"
#include "shell/showfile/show_building.h"
#include "shell/showfile/show_model.h"
#include "stocks/bitmap_stock.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "timeline/brush_events.h"
#include "timeline/timeline.h"

namespace shell {

namespace {

std::shared_ptr<const PlayedShowFile>& played() {
  static std::shared_ptr<const PlayedShowFile> file;
  return file;
}

}  // namespace

void playShowFile(std::shared_ptr<const PlayedShowFile> file) { played() = std::move(file); }

std::shared_ptr<const PlayedShowFile> playedShowFile() { return played(); }

std::vector<float> sectionStarts() {
  if (const std::shared_ptr<const PlayedShowFile> file = played()) {
    std::vector<float> starts;
    for (const showfile::Section& section : file->show->sections) starts.push_back(section.start);
    return starts;
  }
  return {std::begin(script::kSectionStarts), std::end(script::kSectionStarts)};
}

int buildShow(bool preloadChoice) {
  if (const std::shared_ptr<const PlayedShowFile> file = played())
    showfile::buildShowFile(*file->show, preloadChoice);
  else
    buildBuiltInShow(preloadChoice);
  return 0;
}

void buildBuiltInShow(bool preloadChoice) {
  using namespace script;
  loadBackdrop("demo\\Skyward.jpg");
  loadBackdrop("demo\\backs\\1.jpg");
  buildIntro();
  buildShadows();
  buildMosque();
  buildTitle(preloadChoice);
  buildMetaballs(preloadChoice);
  buildCity();
  buildFinale(preloadChoice);
  buildLogo();
  startSection(1241.1f);
}

void buildShowUnread(bool preloadChoice) {
  script::leaveFilesAlone(true);
  buildShow(preloadChoice);
  script::leaveFilesAlone(false);
}

void releaseLayersAndEvents() {
  kst::ClearLayers();
  // A layer is owned by nobody until its activation fires.
  std::vector<kst::Brush*> neverShown;
  kst::theTimeLine().forEachPending([&](const kst::TimeLineEvent& event) {
    if (const auto* activation = dynamic_cast<const kst::EvtActivateBrush*>(&event))
      neverShown.push_back(activation->layer());
  });
  kst::theTimeLine().clear();
  kst::theTimeLine().timeOffset = 0.0f;
  for (kst::Brush* layer : neverShown) delete layer;
}

void releaseShow() {
  releaseLayersAndEvents();
  script::releaseMaterials();
  kst::theSceneStock().clear();
  kst::theMeshStock().clear();
  kst::theBitmapStock().clear();
}

}  // namespace shell
