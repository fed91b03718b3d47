#pragma once
// What kstview tells about the scene it shows: its nodes and shapes, and
// the nodes' boxes drawn over the picture.
#include <cstddef>

class Camera;
class Scene;

namespace kstview {

struct NodeCounts {
  std::size_t nodes = 0;
  std::size_t shapes = 0;
};

NodeCounts countNodes(Scene& scene);

// Every node's world box (its own volume with its descendants') as lines
// over the frame, seen through `camera`: shapes in yellow, other nodes in
// blue; nothing hides them. Main thread, after the scene has drawn; the
// frame state is as it was afterwards, texturing off.
void drawNodeBoxes(Scene& scene, Camera& camera);

}  // namespace kstview
