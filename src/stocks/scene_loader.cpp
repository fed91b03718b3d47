#include "stocks/scene_loader.h"

#include <exception>
#include <system_error>
#include <utility>

#include "base/log.h"
#include "platform/data_files.h"
#include "render/gl_table.h"
#include "scene/scene_io.h"

namespace kst {
namespace {

std::function<void(const std::string&)>& loaderPause() {
  static std::function<void(const std::string&)> pause;
  return pause;
}

void warnNotLoaded(const std::string& file, const std::string& reason) {
  log("** Warning: scene %s not loaded: %s", file.c_str(), reason.c_str());
}

void loaderThread(SceneStockEntry* entry, HDC windowDC, std::function<void(const std::string&)> pause) {
  std::unique_ptr<Scene> scene;
  if (gl.wglMakeCurrent(windowDC, entry->loaderContext) != 0) {
    if (pause) pause(entry->fileName);
    scene = readPreparedScene(entry->fileName);
    // Every upload is complete before the main context draws with it.
    gl.glFinish();
    gl.wglMakeCurrent(nullptr, nullptr);
  } else {
    warnNotLoaded(entry->fileName, "its loader context cannot be made current");
  }
  // Published only now, prepared; the event hands it to the main thread.
  entry->scene = std::move(scene);
  entry->doneEvent->set();
}

}  // namespace

std::unique_ptr<Scene> readPreparedScene(const std::string& file) {
  try {
    std::unique_ptr<Scene> scene = readScene(platform::dataFilePath(file));
    if (scene == nullptr) {
      warnNotLoaded(file, "its root record is not a scene");
      return nullptr;
    }
    scene->prepareAfterLoad(file.c_str());
    return scene;
  } catch (const std::exception& error) {
    // A damaged record's reason carries its persistent::exception code.
    warnNotLoaded(file, error.what());
  }
  return nullptr;
}

void startLoader(SceneStockEntry& entry, HDC windowDC) {
  try {
    entry.loader = std::thread(loaderThread, &entry, windowDC, loaderPause());
  } catch (const std::system_error& error) {
    warnNotLoaded(entry.fileName, std::string("no loader thread: ") + error.what());
    entry.doneEvent->set();
  }
}

void setLoaderPause(std::function<void(const std::string&)> pause) { loaderPause() = std::move(pause); }

}  // namespace kst
