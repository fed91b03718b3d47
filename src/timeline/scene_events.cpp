#include "timeline/scene_events.h"

#include "base/log.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"

namespace kst {

void EvtLoadScene::fire(float) { theSceneStock().load(file().c_str(), true); }

void EvtUnloadMesh::fire(float) { theMeshStock().unload(file().c_str()); }

void EvtUnloadScene::fire(float) {
  debugTrace("Start unloading: %s", file().c_str());
  theSceneStock().unload(file().c_str());
  debugTrace("Finished unloading: %s", file().c_str());
}

}  // namespace kst
