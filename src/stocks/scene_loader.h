#pragma once
// Reading scene files for the scene stock: at once on the calling thread, or
// on a loader thread of its own with its own GL context shared with the
// main one, so that the textures it uploads are the main context's too.
#include <functional>
#include <memory>
#include <string>

#include "platform/wgl.h"
#include "scene/scene.h"
#include "stocks/scene_stock_entry.h"

namespace kst {

// Reads and prepares the scene file `file` on the calling thread, whose GL
// context takes the scene's textures. Null, with one warning naming the
// file and the reason (the persistent::exception code for a damaged
// record), when the file cannot be opened or read or its root record is not
// a scene.
std::unique_ptr<Scene> readPreparedScene(const std::string& file);

// Main thread: starts the loader thread of `entry`, which is already in the
// stock and has its event, its file name and a loader context on `windowDC`.
// The thread makes that context current, reads and prepares the scene,
// finishes its GL work, releases the context, stores the scene into the
// entry and only then signals the entry's event, failed or not.
void startLoader(SceneStockEntry& entry, HDC windowDC);

// Main thread: starts the thread that reads `entry` ahead, without GL (its
// textures keep their pictures), writing into the entry's place in the log
// and closing it when the read ends. The entry is already in the stock with
// its event, file name and log place.
void startReadAhead(SceneStockEntry& entry);
// Main thread, once the read ahead has ended: uploads the scene's textures
// in the current context and prepares it, logging where the log is now
// under a line naming the scene.
void finishReadAhead(SceneStockEntry& entry);

// Test seam: every loader started while it is set calls it on its thread,
// with its file name, before reading (to hold a loader or slow it down).
// Main thread, while no loader starts.
void setLoaderPause(std::function<void(const std::string& file)> pause);

}  // namespace kst
