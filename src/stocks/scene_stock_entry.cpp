#include "stocks/scene_stock_entry.h"

#include "render/gl_table.h"
#include "stocks/scene_loader.h"

namespace kst {

// A read ahead the show never came to finish goes as it was read: nothing
// of it is uploaded or prepared only to be thrown away.
SceneStockEntry::~SceneStockEntry() {
  if (loader.joinable()) loader.join();
  if (awaitingFinish) {
    awaitingFinish = false;
    scene.reset();
  }
  endLoader();
}

SceneStockEntry::State SceneStockEntry::state() {
  if (awaitingFinish || (doneEvent != nullptr && !doneEvent->isSet())) return State::Loading;
  return scene != nullptr ? State::Ready : State::Failed;
}

Scene* SceneStockEntry::waitForScene(std::uint32_t milliseconds) {
  if (doneEvent != nullptr && !doneEvent->wait(milliseconds)) return nullptr;
  endLoader();
  return scene.get();
}

void SceneStockEntry::endLoader() {
  if (loader.joinable()) loader.join();
  // Deleted here, on the main thread, because the platform makes and
  // destroys the context's hidden drawable on the main thread only.
  if (loaderContext != nullptr) gl.wglDeleteContext(loaderContext);
  loaderContext = nullptr;
  if (awaitingFinish) {
    awaitingFinish = false;
    finishReadAhead(*this);
  }
}

}  // namespace kst
