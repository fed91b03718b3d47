#pragma once
// One scene of the scene stock, and for a scene read in the background the
// handshake with the thread that reads it.
//
// A scene read at once is born finished: it has its scene, no event, no
// context, no thread. A scene read ahead (SceneStock::loadAhead) is read by
// its thread without GL and finished on the main thread (its textures
// uploaded, the scene prepared) the first time the main thread waits for it
// or ends its loader; until then it counts as Loading. A background read goes Loading -> Ready or Failed,
// and who may touch what follows that state:
//   Loading         the loader thread owns `scene` (it stores the scene once,
//                   read and prepared) and the loader context; the main
//                   thread only waits on `doneEvent`.
//   Ready, Failed   `doneEvent` is signalled and the main thread owns it all.
//                   The first time it sees the load finished it joins the
//                   loader and deletes the loader context.
// Destroying an entry waits for its loader first, so no thread ever writes
// into a freed entry.
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "base/log.h"
#include "platform/manual_reset_event.h"
#include "platform/wgl.h"
#include "scene/scene.h"

namespace kst {

struct SceneStockEntry {
  enum class State { Loading, Ready, Failed };

  SceneStockEntry() = default;
  explicit SceneStockEntry(std::unique_ptr<Scene> readScene) : scene(std::move(readScene)) {}
  // Waits for the loader, deletes its context, then destroys the scene (in
  // the main context: its textures are shared) and the event. A scene read
  // ahead and not yet finished is dropped as read, unprepared.
  ~SceneStockEntry();
  SceneStockEntry(const SceneStockEntry&) = delete;
  SceneStockEntry& operator=(const SceneStockEntry&) = delete;

  // Main thread; never blocks.
  State state();
  // Main thread: the scene, after waiting up to `milliseconds` for a load
  // still running. Null when the load failed or is still running after the
  // wait; a finished load (failed or not) answers at once.
  Scene* waitForScene(std::uint32_t milliseconds);
  // Main thread: waits for the loader thread to end, then deletes the loader
  // context. Does nothing for a scene read at once or the second time.
  void endLoader();

  std::unique_ptr<Scene> scene;                           // see the states above
  std::unique_ptr<platform::ManualResetEvent> doneEvent;  // null when read at once
  HGLRC loaderContext = nullptr;  // shared with the main context; null when read at once
  std::string fileName;           // what the loader reads; empty when read at once
  std::thread loader;             // started by the scene stock after the entry is in it
  // A read ahead: where its lines go in the log, and whether the main thread
  // still has to finish it.
  std::unique_ptr<LogPlace> logPlace;
  bool awaitingFinish = false;
};

}  // namespace kst
