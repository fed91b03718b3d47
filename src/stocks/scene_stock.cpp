#include "stocks/scene_stock.h"

#include <memory>
#include <string>

#include "base/log.h"
#include "base/stop_request.h"
#include "platform/data_files.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "stocks/scene_loader.h"

namespace kst {
namespace {

// A context of the show window sharing the main context's objects; null
// when there is no device or the platform refuses.
HGLRC sharedLoaderContext(KS_3Ddevice& device) {
  HGLRC context = gl.wglCreateContext(device.deviceContext());
  if (context == nullptr) return nullptr;
  if (gl.wglShareLists(device.context(), context) != 0) return context;
  gl.wglDeleteContext(context);
  return nullptr;
}

}  // namespace

void SceneStock::load(const char* file, bool background) {
  releaseFinishedLoaders();
  if (file == nullptr || get(file) != nullptr) return;
  // A rebuild finishes its loads before it shows anything: read at once.
  if (background && !settingAside()) {
    if (!takeBack(file, false)) loadInBackground(file);
    return;
  }
  try {
    ObjectStock::load(file, {file}, [file] {
      std::unique_ptr<Scene> scene = readPreparedScene(file);  // with its warning when it does not read
      if (scene == nullptr) throw LoadError(file, "the scene does not read (see the warning before)");
      return std::make_unique<SceneStockEntry>(std::move(scene));
    });
  } catch (const LoadError&) {
  }
}

void SceneStock::loadAhead(const char* file) {
  releaseFinishedLoaders();
  if (file == nullptr || get(file) != nullptr) return;
  // A rebuild reads only what changed, and keeps the earlier version of
  // what no longer reads: at once.
  if (settingAside()) {
    load(file, false);
    return;
  }
  auto entry = std::make_unique<SceneStockEntry>();
  entry->doneEvent = std::make_unique<platform::ManualResetEvent>();
  entry->fileName = file;
  entry->logPlace = std::make_unique<LogPlace>();
  entry->awaitingFinish = true;
  SceneStockEntry& kept = *entry;
  keep(file, std::move(entry), {file});
  startReadAhead(kept);
}

void SceneStock::loadInBackground(const char* file) {
  KS_3Ddevice* device = RenderDevice();
  HGLRC context = device != nullptr ? sharedLoaderContext(*device) : nullptr;
  if (context == nullptr) {
    log("** Warning: no loader context for scene %s; it is read now", platform::shownName(file).c_str());
    load(file, false);
    return;
  }
  auto entry = std::make_unique<SceneStockEntry>();
  entry->doneEvent = std::make_unique<platform::ManualResetEvent>();
  entry->loaderContext = context;
  entry->fileName = file;
  SceneStockEntry& kept = *entry;
  keep(file, std::move(entry), {file});
  startLoader(kept, device->deviceContext());
}

void SceneStock::releaseFinishedLoaders() {
  forEachObject([](SceneStockEntry& entry) {
    if (entry.state() != SceneStockEntry::State::Loading) entry.endLoader();
  });
}

void SceneStock::takenBack(SceneStockEntry& entry) {
  // A scene still being read is its loader's, and read fresh anyway.
  if (entry.state() == SceneStockEntry::State::Ready && entry.scene != nullptr) entry.scene->returnToAsRead();
}

void SceneStock::finishLoads() {
  // Each scene may take a while: a stop asked meanwhile ends it between two.
  forEachObject([](SceneStockEntry& entry) {
    stopPoint();
    entry.endLoader();
  });
}

Scene* SceneStock::waitForScene(const char* name) {
  SceneStockEntry* entry = get(name);
  return entry != nullptr ? entry->waitForScene(kWaitMilliseconds) : nullptr;
}

Scene* SceneStock::loadedScene(const char* name) {
  SceneStockEntry* entry = get(name);
  return entry != nullptr ? entry->waitForScene(0) : nullptr;
}

SceneStock& theSceneStock() {
  static SceneStock stock;
  return stock;
}

}  // namespace kst
