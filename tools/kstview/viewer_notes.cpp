#include "viewer_notes.h"

#include <cstdio>

#include "scene_facts.h"

namespace kstview {
namespace {

template <typename... Values>
std::string format(const char* pattern, Values... values) {
  char text[200];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

const char* onOff(bool on) { return on ? "on" : "off"; }

std::string cameraLine(SceneView& view, const ViewerState& state) {
  if (!state.orbiting()) return format("camera %zu of %zu (0-9, C)", state.camera, view.cameraCount());
  const OrbitCamera& orbit = view.orbit();
  return format("orbit camera: yaw %.0f, pitch %.0f, distance %.3g (C)", static_cast<double>(orbit.yaw()),
                static_cast<double>(orbit.pitch()), static_cast<double>(orbit.distance()));
}

}  // namespace

std::vector<std::string> viewerNotes(SceneView& view, const ViewerState& state, float framesPerSecond) {
  const NodeCounts counts = countNodes(view.scene());
  std::vector<std::string> lines{
      view.file(),
      cameraLine(view, state),
      format("t %.2f s%s", static_cast<double>(state.time), state.paused ? ", paused" : ""),
      format("%zu nodes, %zu shapes, %u triangles drawn", counts.nodes, counts.shapes, view.trianglesDrawn()),
      format("%.1f fps; wireframe %s (W), boxes %s (B), fog %s (F)", static_cast<double>(framesPerSecond),
             onOff(state.wireframe), onOff(state.boxes), view.hasFog() ? onOff(state.fog) : "none")};
  if (!view.outcome().empty()) lines.push_back(view.outcome() + " (R)");
  return lines;
}

}  // namespace kstview
