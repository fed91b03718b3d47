#include "shell/script/script_tools.h"

#include "stocks/bitmap_stock.h"
#include "stocks/load_or_warn.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "timeline/brush_events.h"
#include "timeline/scene_events.h"

namespace shell::script {

void setKeys(Envelope& envelope, std::initializer_list<Key> keys) {
  envelope.clear();
  for (const Key& key : keys) envelope.addKey(key.time, key.value, key.continuity, key.tension, key.bias);
}

void setKeys(Envelope& envelope, std::initializer_list<Key> keys, std::int32_t behaviour) {
  setKeys(envelope, keys);
  envelope.setBehaviors(behaviour);
}

void setConstant(Envelope& envelope, float value) { setKeys(envelope, {{0.0f, value}}); }

namespace {

bool filesLeftAlone = false;

}  // namespace

void activate(float time, kst::Brush& layer) { new kst::EvtActivateBrush(time, &layer); }

void leaveFilesAlone(bool alone) { filesLeftAlone = alone; }

void loadBackdrop(const char* file) {
  if (filesLeftAlone) return;
  kst::loadOrWarn(file, [](const char* name) { kst::theBitmapStock().loadBackdrop(name); });
}

void loadWithAlpha(const char* name, const char* colourFile, const char* alphaFile) {
  if (filesLeftAlone) return;
  kst::loadOrWarn(colourFile, [&](const char*) { kst::theBitmapStock().loadWithAlpha(name, colourFile, alphaFile); });
}

void loadObject(const char* file, int buildOption) {
  if (filesLeftAlone) return;
  kst::loadOrWarn(file, [&](const char* name) { kst::theMeshStock().loadObject(name, nullptr, &buildOption); });
}

void loadScene(const char* file) {
  if (!filesLeftAlone) kst::theSceneStock().loadAhead(file);
}

void loadSceneAhead(const char* file, bool background, float secondsBefore) {
  if (background)
    new kst::EvtLoadScene(-secondsBefore, file);
  else
    loadScene(file);
}

void startSection(float start) { kst::theTimeLine().timeOffset = start; }

}  // namespace shell::script
