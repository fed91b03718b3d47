#include "shell/script/script_tools.h"

#include <utility>

#include "base/stop_request.h"
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
BuildWatcher* watcher = nullptr;

// Whether the load is to be made; the watcher is told first.
bool made(const BuildLoad& what) {
  kst::stopPoint();  // building with every file read is long
  if (watcher != nullptr) watcher->loads(what);
  return !filesLeftAlone;
}

using Kind = BuildLoad::Kind;

}  // namespace

void activate(float time, kst::Brush& layer) { new kst::EvtActivateBrush(time, &layer); }

void leaveFilesAlone(bool alone) { filesLeftAlone = alone; }

void watchBuild(BuildWatcher* watching) { watcher = watching; }

void loadBackdrop(const char* file) {
  if (!made({.kind = Kind::Backdrop, .file = file})) return;
  kst::loadOrWarn(file, [](const char* name) { kst::theBitmapStock().loadBackdrop(name); });
}

void loadAlpha(const char* file) {
  if (!made({.kind = Kind::Alpha, .file = file})) return;
  kst::loadOrWarn(file, [](const char* name) { kst::theBitmapStock().loadAlpha(name); });
}

void loadWithAlpha(const char* name, const char* colourFile, const char* alphaFile) {
  if (!made({.kind = Kind::WithAlpha, .file = colourFile, .name = name, .alphaFile = alphaFile})) return;
  kst::loadOrWarn(colourFile, [&](const char*) { kst::theBitmapStock().loadWithAlpha(name, colourFile, alphaFile); });
}

void loadObject(const char* file, int buildOption) {
  if (!made({.kind = Kind::Object, .file = file, .buildOption = buildOption})) return;
  kst::loadOrWarn(file, [&](const char* name) { kst::theMeshStock().loadObject(name, nullptr, &buildOption); });
}

void loadScene(const char* file) {
  if (made({.kind = Kind::Scene, .file = file})) kst::theSceneStock().loadAhead(file);
}

void loadSceneAhead(const char* file, bool background, float secondsBefore) {
  if (watcher != nullptr) watcher->loads({.kind = Kind::SceneAhead, .file = file, .secondsBefore = secondsBefore});
  BuildWatcher* const told = std::exchange(watcher, nullptr);  // once, as what was asked
  if (background)
    new kst::EvtLoadScene(-secondsBefore, file);
  else
    loadScene(file);
  watcher = told;
}

void load(const BuildLoad& what, bool background) {
  const char* file = what.file.c_str();
  switch (what.kind) {
    case Kind::Backdrop: return loadBackdrop(file);
    case Kind::Alpha: return loadAlpha(file);
    case Kind::WithAlpha: return loadWithAlpha(what.name.c_str(), file, what.alphaFile.c_str());
    case Kind::Object: return loadObject(file, what.buildOption);
    case Kind::Scene: return loadScene(file);
    case Kind::SceneAhead: return loadSceneAhead(file, background, what.secondsBefore);
  }
}

void startSection(float start) {
  if (watcher != nullptr) watcher->sectionStarts(start);
  kst::theTimeLine().timeOffset = start;
}

}  // namespace shell::script
