#pragma once
// What kstview tells about the scene it shows: its nodes and shapes, and
// the nodes' boxes drawn over the picture.
#include <cstddef>

#include "persist/stored_values.h"

class Camera;
class Scene;

namespace kstview {

struct NodeCounts {
  std::size_t nodes = 0;
  std::size_t shapes = 0;
};

NodeCounts countNodes(Scene& scene);

// What the orbit camera frames, as the scene stands at its last update:
// the world boxes of the shapes that draw (with a mesh, and not shrunk to a
// point, as a shape hidden by a scale of 0 is), less those that enclose
// all the others (a sky or a backdrop round the scene: it surrounds what is
// shown rather than being part of it). `all` holds every shape that draws.
struct VisibleBounds {
  persist::BoundingBox framed;
  persist::BoundingBox all;
};
VisibleBounds visibleBounds(Scene& scene);

// How far the scene's fog lets one see clearly: halfway between where it
// starts and where it hides everything; 0 without fog.
float clearSight(const Scene& scene);

// Every node's world box (its own volume with its descendants') as lines
// over the frame, seen through `camera`: shapes in yellow, other nodes in
// blue; nothing hides them. Main thread, after the scene has drawn; the
// frame state is as it was afterwards, texturing off.
void drawNodeBoxes(Scene& scene, Camera& camera);

}  // namespace kstview
