#pragma once
// Scenes for the scene and mesh layer tests, built in code: a red square of
// side 2 at the origin, facing cameras that look at it from (0, 0, -10)
// through a view window of half size 0.5 x 0.375 at near distance 1, so
// that at 800 x 600 the square covers columns 320 to 480 and rows 220 to 380.
#include <memory>

#include "render/camera.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"

namespace layer_test {

inline Camera squareCamera() { return Camera({0, 0, -10}, {0, 0, 0}, {0, 1, 0}, 1, 100, 0.5f, 0.375f); }

// `cameras` cameras, all alike; the background colour as given. The square
// is drawn with `surface` when one is given (its name becomes "red").
inline std::unique_ptr<Scene> squareScene(const persist::Colour& background, int cameras = 1,
                                          std::unique_ptr<Surface> surface = nullptr) {
  auto scene = std::make_unique<Scene>();
  scene->backgroundColor = background;
  if (surface == nullptr) surface = std::make_unique<Surface>();
  surface->name = "red";
  surface->color = {1, 0, 0, 1};
  scene->addSurface(std::move(surface));
  auto source = std::make_unique<kst::RobustMesh>();
  // Counter-clockwise seen from the cameras: the scene's front faces.
  source->SetVertices({{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}});
  source->SetTriangles({0, 1, 2, 0, 2, 3}, {0, 0}, 1);
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->surfaceNames = {"red"};
  mesh->build(true, 0);
  scene->addMesh(std::move(mesh));

  scene->root = std::make_unique<TransformNode>();
  for (int i = 0; i < cameras; ++i)
    attachNode(std::make_unique<CameraNode>(squareCamera(), scene.get()), *scene->root);
  auto shape = std::make_unique<ShapeNode>(scene.get());
  shape->setMeshIndex(0);
  attachNode(std::move(shape), *scene->root);
  scene->root->setScene(scene.get());
  return scene;
}

}  // namespace layer_test
