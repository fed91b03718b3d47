#pragma once
// The scene kstview shows and how one frame of it is drawn: through one of
// its cameras or the orbit camera, wireframe or not, with or without fog
// and the nodes' boxes. Main thread, with the device's context current (the
// scene's textures go to GL as it is read).
#include <memory>
#include <string>

#include "orbit_camera.h"
#include "render/camera.h"
#include "scene/scene.h"
#include "viewer_state.h"

namespace kstview {

class SceneView {
 public:
  explicit SceneView(std::string file) : file_(std::move(file)) {}

  // Reads and prepares the file, frames the orbit camera on what can be
  // seen of the scene at `time` (visibleBounds, clearSight). False, after
  // printing the file and the reason, when it cannot be read.
  bool load(float time);
  // Reads the file again. The new scene replaces the old one when it reads
  // well; otherwise the old one stays. Either way the outcome is said (on
  // standard error and in `outcome`). The orbit camera stays where it is.
  bool reload();

  // The frame at the state's time, through the state's camera (the orbit
  // camera for any number past the scene's own).
  void draw(const ViewerState& state);

  Scene& scene() { return *scene_; }
  std::size_t cameraCount() const { return cameraCount_; }
  OrbitCamera& orbit() { return orbit_; }
  bool hasFog() const { return sceneFog_; }
  const std::string& file() const { return file_; }
  // What the last reload did; empty before the first.
  const std::string& outcome() const { return outcome_; }
  // Triangles the last frame drew.
  std::uint32_t trianglesDrawn() const { return trianglesDrawn_; }

 private:
  std::unique_ptr<Scene> read();
  void adopt(std::unique_ptr<Scene> scene);
  Camera* lookThrough(const ViewerState& state);

  std::string file_;
  std::unique_ptr<Scene> scene_;
  std::size_t cameraCount_ = 0;  // the scene's own; the orbit camera comes after them
  bool sceneFog_ = false;
  OrbitCamera orbit_;
  Camera orbitView_;  // what the scene draws through while orbiting
  std::string outcome_;
  std::uint32_t trianglesDrawn_ = 0;
};

}  // namespace kstview
