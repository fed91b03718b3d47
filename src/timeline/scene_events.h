#pragma once
// Loading scenes in the background some seconds before the layers that show
// them, and taking meshes and scenes out of their stocks after.
#include <string>

#include "timeline/file_event.h"

namespace kst {

// Starts a background read of the scene file and returns at once; the scene
// layers wait for it when they first need it. A read that fails is logged
// and leaves the layers drawing nothing.
class EvtLoadScene : public FileEvent {
 public:
  EvtLoadScene(float time, std::string file) : FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};

// Destroys the mesh stock's mesh of that name; a name not there is ignored.
class EvtUnloadMesh : public FileEvent {
 public:
  EvtUnloadMesh(float time, std::string file) : FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};

// Destroys the scene stock's entry of that name (waiting for its loader if
// it is still reading); a name not there is ignored.
class EvtUnloadScene : public FileEvent {
 public:
  EvtUnloadScene(float time, std::string file) : FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};

}  // namespace kst
