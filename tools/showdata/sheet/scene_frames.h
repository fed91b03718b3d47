#pragma once
// Frames of a scene as the show's scene layer draws them, on the current
// GL device: the viewport filled with the scene's background colour at the
// far depth, the frame's usual state (back faces culled, clockwise fronts,
// depth test less-or-equal), the scene updated to the time and drawn
// through the chosen camera. Light volumes are drawn after it as the
// mesh-in-scene layer draws them: through the scene's current camera with
// a volumetric material, hidden behind nearer scene geometry.
//
// The review sheet and the scene tests use it. The GL state cache must
// describe the context; the function leaves it so.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/raster.h"

class MeshPrimitive;
class Scene;
namespace kst {
class SceneStock;
}

namespace showdata {

Raster sceneFrame(Scene& scene, int camera, float time, int width, int height, std::span<MeshPrimitive* const> lightVolumes = {});

// A light-volume object as the show's mesh stock holds it (build option 0).
// Throws std::runtime_error naming the file when it cannot be loaded.
std::unique_ptr<MeshPrimitive> loadLightVolume(const std::string& path);

// The scene file read into `stock` now, as the show reads it, and found
// there. Throws std::runtime_error naming the file when no scene could be
// read (the stock's warning in the log says why).
Scene& readThroughStock(kst::SceneStock& stock, const std::string& path);

}  // namespace showdata
