#pragma once
// Whole scenes read from scene files, for the scene layers and the zoom
// layer, named by their file. The stock itself is used on the main thread
// only; a background load's thread touches only its own entry, which is in
// the stock before the thread starts.
#include <cstdint>

#include "scene/scene.h"
#include "stocks/object_stock.h"
#include "stocks/scene_stock_entry.h"

namespace kst {

class SceneStock : public ObjectStock<SceneStockEntry> {
 public:
  // How long a layer waits, each frame, for a scene still being read.
  static constexpr std::uint32_t kWaitMilliseconds = 10000;

  // background = false: reads and prepares the scene now, in the current
  // context. A file that cannot be opened or read adds nothing (one warning
  // names the file and the reason).
  // background = true: puts a Loading entry under `file` at once and reads
  // the scene on a thread of its own; a failed read leaves the entry Failed
  // (one warning). Without a loader context the scene is read now instead,
  // and so it is while the stock is set aside (a rebuild of the show waits
  // for its loads anyway). A name already in the stock keeps its entry and
  // nothing is read.
  void load(const char* file, bool background);
  // As load(file, false), but the file is read (decompressed, its records
  // and meshes made) on a thread of its own, without GL, while the caller
  // goes on; the calling thread uploads its textures and prepares it when it
  // first waits for the scene or ends its loads (finishLoads). Until then it
  // counts as loading. The log reads as if load(file, false) had run here.
  // While the stock is set aside, this is load(file, false).
  void loadAhead(const char* file);

  // What a scene layer draws each frame: the scene stored under `name`,
  // after waiting up to kWaitMilliseconds for a load still running. Null
  // when there is no such entry, its load failed (answered at once once the
  // load has ended) or it is still running after the wait.
  Scene* waitForScene(const char* name);
  // The scene stored under `name` when its load has ended well; null at
  // once otherwise (no entry, load failed or still running): for layers
  // that must not hold the frame up.
  Scene* loadedScene(const char* name);
  // Waits for every load still running to end, well or not (a show that
  // starts late has given its loads the time they take), and finishes the
  // scenes read ahead.
  void finishLoads();

 protected:
  // A scene taken back draws as one read fresh: what the last tour's
  // layers changed in it (a zoom layer's near distance, the current
  // camera) is put back.
  void takenBack(SceneStockEntry& entry) override;

 private:
  void loadInBackground(const char* file);
  // Joins the loaders whose load has ended and deletes their contexts (a
  // wait does the same for its own entry).
  void releaseFinishedLoaders();
};

// The scene stock of the program. Clearing it (or unloading an entry) waits
// for the loaders still running.
SceneStock& theSceneStock();

}  // namespace kst
