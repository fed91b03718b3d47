#include "scene_view.h"

#include <cstdio>

#include "persist/scene_file.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "scene/nodes/scene_node.h"
#include "scene/scene_io.h"
#include "scene_facts.h"
#include "shell/frame_state.h"

namespace kstview {

std::unique_ptr<Scene> SceneView::read() {
  try {
    if (std::unique_ptr<Scene> scene = readScene(file_)) return scene;
    outcome_ = file_ + ": not a scene file (its record is not a scene)";
  } catch (const SceneFileError& error) {
    outcome_ = error.what();
  }
  return nullptr;
}

// The orbit camera is listed after the scene's own, so the scene draws
// through it like through any of them.
void SceneView::adopt(std::unique_ptr<Scene> scene) {
  scene_ = std::move(scene);
  scene_->prepareAfterLoad(file_.c_str());
  cameraCount_ = scene_->cameras.size();
  scene_->cameras.push_back(&orbitView_);
  sceneFog_ = scene_->fogEnabled;
}

bool SceneView::load(float time) {
  std::unique_ptr<Scene> scene = read();
  if (scene == nullptr) {
    std::fprintf(stderr, "kstview: %s\n", outcome_.c_str());
    return false;
  }
  adopt(std::move(scene));
  scene_->update(time);
  const VisibleBounds visible = visibleBounds(*scene_);
  orbit_.frame(visible.framed, clearSight(*scene_), visible.all);
  return true;
}

bool SceneView::reload() {
  std::unique_ptr<Scene> scene = read();
  const bool readWell = scene != nullptr;
  if (readWell) {
    adopt(std::move(scene));
    outcome_ = "read again: " + file_;
  } else {
    outcome_ = "not read again: " + outcome_ + "; the previous version stays";
  }
  std::fprintf(stderr, "kstview: %s\n", outcome_.c_str());
  return readWell;
}

Camera* SceneView::lookThrough(const ViewerState& state) {
  if (state.camera < cameraCount_) {
    scene_->setPendingCamera(static_cast<std::int32_t>(state.camera));
    return scene_->cameras[state.camera];
  }
  orbitView_ = orbit_.camera(static_cast<float>(kst::kLayoutWidth) / kst::kLayoutHeight);
  scene_->setPendingCamera(static_cast<std::int32_t>(cameraCount_));
  return &orbitView_;
}

// The scene's 4:3 picture as large as the window holds, black bars around
// it, as the show frames its own.
void SceneView::draw(const ViewerState& state) {
  const kst::PixelRect picture = RenderDevice()->picture();
  gl.glViewport(picture.x, picture.y, picture.width, picture.height);
  shell::ResetFrameState();
  const persist::Colour& background = scene_->backgroundColor;
  gl.glClearColor(background[0], background[1], background[2], background[3]);
  gl.glEnable(GL_SCISSOR_TEST);
  gl.glScissor(picture.x, picture.y, picture.width, picture.height);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  gl.glDisable(GL_SCISSOR_TEST);
  trianglesDrawn_ = 0;
  Camera* camera = lookThrough(state);
  scene_->fogEnabled = sceneFog_ && state.fog;
  scene_->update(state.time);
  if (state.wireframe) gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  const std::uint32_t before = RenderDevice()->triangles;
  scene_->render();
  trianglesDrawn_ = RenderDevice()->triangles - before;
  if (state.wireframe) gl.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (state.boxes) drawNodeBoxes(*scene_, *camera);
}

}  // namespace kstview
