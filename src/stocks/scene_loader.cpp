#include "stocks/scene_loader.h"

#include <exception>
#include <system_error>
#include <utility>

#include "base/log.h"
#include "platform/data_files.h"
#include "render/gl_table.h"
#include "scene/scene_io.h"
#include "scene/texture_image.h"

namespace kst {
namespace {

std::function<void(const std::string&)>& loaderPause() {
  static std::function<void(const std::string&)> pause;
  return pause;
}

void warnNotLoaded(const std::string& file, const std::string& reason) {
  log("** Warning: scene %s not loaded: %s", platform::shownName(file).c_str(), reason.c_str());
}

// Null, with the warning, when the file cannot be read or holds no scene.
std::unique_ptr<Scene> readUnprepared(const std::string& file, bool keepPictures) {
  try {
    std::unique_ptr<Scene> scene = readScene(platform::dataFilePath(file), keepPictures);
    if (scene == nullptr) warnNotLoaded(file, "its root record is not a scene");
    return scene;
  } catch (const std::exception& error) {
    // A damaged record's reason carries its persistent::exception code.
    warnNotLoaded(file, error.what());
  }
  return nullptr;
}

std::unique_ptr<Scene> prepared(std::unique_ptr<Scene> scene, const std::string& file) {
  if (scene == nullptr) return nullptr;
  try {
    scene->prepareAfterLoad(file.c_str());
    return scene;
  } catch (const std::exception& error) {
    warnNotLoaded(file, error.what());
  }
  return nullptr;
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

// Read without GL, into the entry's place in the log, which closes when
// the read ends: what the log held behind it goes out then, not once the
// main thread finishes the scene.
void readAheadThread(SceneStockEntry* entry, std::function<void(const std::string&)> pause) {
  {
    const LogPlace::Writing writing(entry->logPlace.get());
    if (pause) pause(entry->fileName);
    entry->scene = readUnprepared(entry->fileName, true);
  }
  entry->logPlace->close();
  entry->doneEvent->set();
}

}  // namespace

std::unique_ptr<Scene> readPreparedScene(const std::string& file) {
  return prepared(readUnprepared(file, false), file);
}

void startReadAhead(SceneStockEntry& entry) {
  try {
    entry.loader = std::thread(readAheadThread, &entry, loaderPause());
  } catch (const std::system_error&) {
    readAheadThread(&entry, loaderPause());  // read here and now, then
  }
}

void finishReadAhead(SceneStockEntry& entry) {
  if (entry.scene == nullptr) return;
  log("scene %s, read ahead, is made ready to draw:", platform::shownName(entry.fileName).c_str());
  for (const std::unique_ptr<TextureImage>& texture : entry.scene->textures)
    if (texture != nullptr) texture->uploadKept();
  entry.scene = prepared(std::move(entry.scene), entry.fileName);
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
