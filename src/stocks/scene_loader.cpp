#include "stocks/scene_loader.h"

#include <exception>
#include <system_error>
#include <utility>

#include "base/log.h"
#include "platform/data_files.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/scene_io.h"
#include "stocks/load_error.h"

namespace kst {
namespace {

std::function<void(const std::string&)>& loaderPause() {
  static std::function<void(const std::string&)> pause;
  return pause;
}

void loaderThread(SceneStockEntry* entry, HDC windowDC, std::function<void(const std::string&)> pause) {
  std::unique_ptr<Scene> scene;
  if (gl.wglMakeCurrent(windowDC, entry->loaderContext) != 0) {
    // The driver's mipmap generation holds textures the main context shares
    // for as long as it runs, and the frames wait for it: GLU builds them.
    glStateCache.driverMipmaps = false;
    if (pause) pause(entry->fileName);
    scene = readPreparedScene(entry->fileName);
    // Every upload is complete before the main context draws with it.
    gl.glFinish();
    gl.wglMakeCurrent(nullptr, nullptr);
  } else {
    warnSceneNotLoaded(entry->fileName, "its loader context cannot be made current");
  }
  // Published only now, prepared; the event hands it to the main thread.
  entry->scene = std::move(scene);
  entry->doneEvent->set();
}

}  // namespace

void warnSceneNotLoaded(const std::string& file, const std::string& reason) {
  log("** Warning: scene %s not loaded: %s", file.c_str(), reason.c_str());
}

std::unique_ptr<Scene> readPreparedSceneOrThrow(const std::string& file) {
  std::unique_ptr<Scene> scene;
  try {
    scene = readScene(platform::dataFilePath(file));
  } catch (const std::exception& error) {
    // A damaged record's reason carries its persistent::exception code.
    throw LoadError(file, error.what());
  }
  if (scene == nullptr) throw LoadError(file, "its root record is not a scene");
  scene->prepareAfterLoad(file.c_str());
  return scene;
}

std::unique_ptr<Scene> readPreparedScene(const std::string& file) {
  try {
    return readPreparedSceneOrThrow(file);
  } catch (const LoadError& error) {
    warnSceneNotLoaded(file, error.reason);
  }
  return nullptr;
}

void startLoader(SceneStockEntry& entry, HDC windowDC) {
  try {
    entry.loader = std::thread(loaderThread, &entry, windowDC, loaderPause());
  } catch (const std::system_error& error) {
    warnSceneNotLoaded(entry.fileName, std::string("no loader thread: ") + error.what());
    entry.doneEvent->set();
  }
}

void setLoaderPause(std::function<void(const std::string&)> pause) { loaderPause() = std::move(pause); }

}  // namespace kst
