#pragma once
// The lines of kstview's overlay: the file, the camera, the time, the
// scene's node, shape and triangle counts, the frame rate, the switches
// and what the last reload did.
#include <string>
#include <vector>

#include "scene_view.h"
#include "viewer_state.h"

namespace kstview {

std::vector<std::string> viewerNotes(SceneView& view, const ViewerState& state, float framesPerSecond);

}  // namespace kstview
